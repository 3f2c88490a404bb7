#pragma once

#include <QDialog>

class QLabel;
class TextScroller;

// "About Caseleaf": the version, the credits scrolling by, the display mode and the
// links to the home page and the support address.
class AboutBox final : public QDialog {
    Q_OBJECT
public:
    // credits: the about text start-up read, "|" between lines.
    explicit AboutBox(const QString& credits, QWidget* parent = nullptr);

    // The About command: the box, modal over parent, with the credits start-up read.
    static void showModal(QWidget* parent);

    TextScroller* scroller() const { return m_scroller; }

private:
    void openLink(const QString& link);

    TextScroller* m_scroller;
    QLabel* m_display;
};
