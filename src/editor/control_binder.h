#pragma once

#include <QObject>

#include <vector>

struct Binding;
struct CoverDocument;
class QWidget;

// Binds the controls of the binding table, found by object name under a root widget, to
// the document in both directions: a change the user makes is reported as the row's new
// value, and the document is shown in the controls without any of them reporting it.
class ControlBinder final : public QObject {
    Q_OBJECT
public:
    explicit ControlBinder(QWidget* root);

    // Shows every setting of the document, and which controls it enables.
    void show(const CoverDocument& doc);
    void showRow(const CoverDocument& doc, const Binding& row);
    void applyEnableRules(const CoverDocument& doc);

    // The control of a row, or nullptr when the root has none of that name.
    QWidget* control(const Binding& row) const;
    // What the user knows the control by: its caption or its label's.
    QString caption(const Binding& row) const;

signals:
    // The user changed a control (a colour swatch: chose a colour); value is the
    // setting's new value as bindingValue() writes it.
    void edited(const Binding& row, const QString& value);

private:
    void connectRow(const Binding& row, QWidget* control);

    QWidget* m_root;
    std::vector<QWidget*> m_controls; // one for each row of bindings()
};
