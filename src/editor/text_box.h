#pragma once

#include <QFont>
#include <QTextEdit>

#include <optional>

// The editor of one cover text, lying over its preview at the text's area. Its lines break
// exactly where the renderers break them (displayLines): the breaks are line separators
// the box keeps in its own document and leaves out of the text it hands over.
class SheetTextBox final : public QTextEdit {
    Q_OBJECT
public:
    explicit SheetTextBox(QWidget* parent = nullptr);

    // The text as the cover holds it: lines separated by CR LF.
    QString text() const;
    // Shows a text (lines separated by CR LF, LF or CR) with the cursor at its end; reports
    // no edit.
    void setText(const QString& text);

    // The text's font (its size in points) and the width of its area in millimetres,
    // shown at the preview's scale in pixels per millimetre.
    void setTextLayout(const QFont& font, double widthMm, double pixelsPerMm);
    void setColors(const QColor& text, const QColor& background);
    void setCentred(bool centred);

    // The lines as the box shows them.
    QStringList lines() const;

    void setVisible(bool visible) override;

signals:
    // The user changed the text.
    void textEdited();
    void clicked();
    void doubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void noteChange(int position, int removed, int added);
    void reflowChanged();
    void reflow(int from, int to);
    void applyLineFormat();
    void fill(const QString& text);
    void showPending();

    QFont m_font;
    double m_widthMm = 0;
    double m_pixelsPerMm = 1;
    bool m_centred = false;
    bool m_quiet = false;     // setting the text or the layout: no edit to report
    bool m_reflowing = false; // moving breaks: no change to note
    int m_changedFrom = -1;
    int m_changedTo = -1;
    // A hidden box keeps its text aside until it is shown: laying out a long text line by
    // line is slow, and a box is only seen in its edit mode.
    std::optional<QString> m_pending;
};
