#include "editor/text_box.h"

#include "render/display_lines.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>

#include <algorithm>
#include <vector>

namespace {

constexpr QChar kBreak = QChar::LineSeparator;

QString withoutBreaks(QString text)
{
    return text.remove(kBreak);
}

// Where a block's lines should break, as indexes into its text without breaks.
std::vector<int> wantedBreaks(const QString& plain, const QFont& font, double widthMm)
{
    std::vector<int> breaks;
    int at = 0;
    const QStringList lines = displayLines(plain, font, widthMm);
    for (int i = 0; i + 1 < lines.size(); ++i) {
        at += int(lines[i].size());
        breaks.push_back(at);
    }
    return breaks;
}

// Where a block's lines break now, as indexes into its text without breaks.
std::vector<int> currentBreaks(const QString& raw)
{
    std::vector<int> breaks;
    for (int i = 0; i < raw.size(); ++i) {
        if (raw[i] == kBreak)
            breaks.push_back(i - int(breaks.size()));
    }
    return breaks;
}

} // namespace

SheetTextBox::SheetTextBox(QWidget* parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The box breaks no line itself; the width only centres lines.
    setLineWrapMode(QTextEdit::FixedPixelWidth);
    setWordWrapMode(QTextOption::NoWrap);
    document()->setDocumentMargin(0);
    // The editor keeps the history of the cover's texts.
    setUndoRedoEnabled(false);
    // A line that measures a pixel wider on the screen than on paper must not scroll the box.
    connect(horizontalScrollBar(), &QScrollBar::rangeChanged, this, [this](int, int max) {
        if (max != 0)
            horizontalScrollBar()->setRange(0, 0);
    });
    connect(document(), &QTextDocument::contentsChange, this, &SheetTextBox::noteChange);
    connect(this, &QTextEdit::textChanged, this, &SheetTextBox::reflowChanged);
}

QString SheetTextBox::text() const
{
    if (m_pending) {
        static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
        return withoutBreaks(*m_pending).replace(lineEnd, QStringLiteral("\r\n"));
    }
    QStringList lines;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        lines << withoutBreaks(b.text());
    return lines.join(QStringLiteral("\r\n"));
}

void SheetTextBox::setText(const QString& text)
{
    if (isHidden())
        m_pending = text;
    else
        fill(text);
}

void SheetTextBox::setVisible(bool visible)
{
    if (visible)
        showPending();
    QTextEdit::setVisible(visible);
}

void SheetTextBox::showPending()
{
    if (!m_pending)
        return;
    const QString text = *m_pending;
    m_pending.reset();
    fill(text);
}

void SheetTextBox::fill(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r"));
    const QScopedValueRollback quiet(m_quiet, true);
    setPlainText(QString(text).replace(lineEnd, QStringLiteral("\n")));
    applyLineFormat();
    moveCursor(QTextCursor::End);
}

QStringList SheetTextBox::lines() const
{
    const_cast<SheetTextBox*>(this)->showPending();
    QStringList shown;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        shown << b.text().split(kBreak);
    return shown;
}

void SheetTextBox::setTextLayout(const QFont& font, double widthMm, double pixelsPerMm)
{
    if (font == m_font && widthMm == m_widthMm && pixelsPerMm == m_pixelsPerMm)
        return;
    m_font = font;
    m_widthMm = widthMm;
    m_pixelsPerMm = pixelsPerMm;
    // The point size as the preview shows it, on a widget that counts its own dots per inch.
    QFont shown = font;
    shown.setPointSizeF(font.pointSizeF() * pixelsPerMm * 25.4 / logicalDpiY());
    setFont(shown);
    document()->setDefaultFont(shown);
    setLineWrapColumnOrWidth(int(widthMm * pixelsPerMm + 0.5));
    const QScopedValueRollback quiet(m_quiet, true);
    reflow(0, document()->characterCount());
    applyLineFormat();
}

void SheetTextBox::setColors(const QColor& text, const QColor& background)
{
    QPalette colors = palette();
    colors.setColor(QPalette::Text, text);
    colors.setColor(QPalette::Base, background);
    setPalette(colors);
}

void SheetTextBox::setCentred(bool centred)
{
    if (centred == m_centred)
        return;
    m_centred = centred;
    const QScopedValueRollback quiet(m_quiet, true);
    applyLineFormat();
}

// Every line one line height of the font apart, as the renderers print them, with the
// first baseline where theirs is.
void SheetTextBox::applyLineFormat()
{
    const QFontMetricsF metrics(font(), viewport());
    const double height = metrics.height();
    QTextBlockFormat lines;
    lines.setLineHeight(height, QTextBlockFormat::FixedHeight);
    lines.setAlignment(m_centred ? Qt::AlignHCenter : Qt::AlignLeft);
    QTextCursor all(document());
    all.select(QTextCursor::Document);
    all.joinPreviousEditBlock();
    all.mergeBlockFormat(lines);
    all.endEditBlock();
    // A fixed line height puts the baseline at four fifths of it, less the leading.
    QTextFrameFormat frame = document()->rootFrame()->frameFormat();
    frame.setTopMargin(std::max(0.0, metrics.ascent() - (height * 4 / 5 - metrics.leading())));
    document()->rootFrame()->setFrameFormat(frame);
}

void SheetTextBox::noteChange(int position, int, int added)
{
    if (m_reflowing)
        return;
    if (m_changedFrom < 0 || position < m_changedFrom)
        m_changedFrom = position;
    m_changedTo = std::max(m_changedTo, position + added);
}

void SheetTextBox::reflowChanged()
{
    if (m_changedFrom < 0)
        return;
    const int from = m_changedFrom;
    const int to = m_changedTo;
    m_changedFrom = m_changedTo = -1;
    reflow(from, to);
    if (!m_quiet)
        emit textEdited();
}

// Moves the breaks of the blocks between two positions to where displayLines puts them.
// Only breaks that differ are touched, so the cursor keeps its place.
void SheetTextBox::reflow(int from, int to)
{
    if (m_widthMm <= 0 || m_reflowing)
        return;
    const QScopedValueRollback busy(m_reflowing, true);
    QTextBlock block = document()->findBlock(from);
    const QTextBlock last = document()->findBlock(to);
    QTextCursor edit(document());
    edit.joinPreviousEditBlock();
    for (; block.isValid(); block = block.next()) {
        const QString raw = block.text();
        const std::vector<int> wanted = wantedBreaks(withoutBreaks(raw), m_font, m_widthMm);
        const std::vector<int> current = currentBreaks(raw);
        if (wanted != current) {
            // From the end, so that the indexes before stay valid.
            for (int i = int(current.size()) - 1; i >= 0; --i) {
                if (std::find(wanted.begin(), wanted.end(), current[i]) != wanted.end())
                    continue;
                edit.setPosition(block.position() + current[i] + i);
                edit.deleteChar();
            }
            int kept = 0;
            for (int at : wanted) {
                if (std::find(current.begin(), current.end(), at) == current.end()) {
                    edit.setPosition(block.position() + at + kept);
                    edit.insertText(QString(kBreak));
                }
                ++kept;
            }
        }
        if (block == last)
            break;
    }
    edit.endEditBlock();
}

void SheetTextBox::keyPressEvent(QKeyEvent* event)
{
    // A break is no character of the text: deleting across it deletes the character beyond.
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        const QChar before = cursor.position() > 0 ? document()->characterAt(cursor.position() - 1) : QChar();
        const QChar after = document()->characterAt(cursor.position());
        if (event->key() == Qt::Key_Backspace && before == kBreak) {
            cursor.movePosition(QTextCursor::PreviousCharacter);
            setTextCursor(cursor);
        } else if (event->key() == Qt::Key_Delete && after == kBreak) {
            cursor.movePosition(QTextCursor::NextCharacter);
            setTextCursor(cursor);
        }
    }
    QTextEdit::keyPressEvent(event);
}

void SheetTextBox::mousePressEvent(QMouseEvent* event)
{
    emit clicked();
    QTextEdit::mousePressEvent(event);
}

void SheetTextBox::mouseDoubleClickEvent(QMouseEvent*)
{
    emit doubleClicked();
}

QMimeData* SheetTextBox::createMimeDataFromSelection() const
{
    auto* data = new QMimeData;
    QString selected = withoutBreaks(textCursor().selectedText());
    data->setText(selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n')));
    return data;
}

void SheetTextBox::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r"));
    insertPlainText(source->text().replace(lineEnd, QStringLiteral("\n")).remove(kBreak));
}
