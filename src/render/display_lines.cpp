#include "render/display_lines.h"

#include <QImage>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr double kPixelsPerMm = 100;
// A paragraph is laid out this many characters at a time, so a text of millions of
// characters costs only the lines asked for.
constexpr qsizetype kChunk = 4096;

// 2540 dpi, where hinting and rounding of advances no longer move a break.
const QImage& layoutDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(int(kPixelsPerMm * 1000));
        image.setDotsPerMeterY(int(kPixelsPerMm * 1000));
        return image;
    }();
    return device;
}

// Where the paragraph starting at start ends: at the next CR LF, LF or CR, or the text's end.
qsizetype paragraphEnd(const QString& text, qsizetype start)
{
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n'))
            return i;
    }
    return text.size();
}

// Breaks one non-empty paragraph into lines until lines holds maxLines. Each chunk's last
// line may have been cut by the chunk's end; unless it is the chunk's only line it is
// laid out again, from its start, with the next chunk. Breaking is greedy, so every line
// comes out as the whole paragraph laid out at once would give it.
void wrapParagraph(QStringView paragraph, const QFont& font, double widthMm, int maxLines, QStringList& lines)
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    qsizetype offset = 0;
    while (offset < paragraph.size() && lines.size() < maxLines) {
        qsizetype length = std::min(kChunk, paragraph.size() - offset);
        const bool last = offset + length == paragraph.size();
        if (!last && paragraph[offset + length - 1].isHighSurrogate())
            --length;
        QTextLayout layout(paragraph.mid(offset, length).toString(), font, &layoutDevice());
        layout.setTextOption(option);
        layout.beginLayout();
        QList<std::pair<int, int>> found;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(widthMm * kPixelsPerMm);
            found.append({line.textStart(), line.textLength()});
        }
        layout.endLayout();
        if (!last && found.size() > 1)
            found.removeLast();
        for (const auto& [start, count] : found) {
            if (lines.size() >= maxLines)
                return;
            lines << paragraph.mid(offset + start, count).toString();
        }
        const qsizetype advance = found.isEmpty() ? 0 : found.back().first + found.back().second;
        if (advance <= 0)
            return;
        offset += advance;
    }
}

} // namespace

QStringList displayLines(const QString& text, const QFont& font, double widthMm, int maxLines)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    QFont layoutFont(font);
    layoutFont.setHintingPreference(QFont::PreferNoHinting);
    qsizetype start = 0;
    while (lines.size() < maxLines) {
        const qsizetype end = paragraphEnd(text, start);
        const QStringView paragraph = QStringView(text).mid(start, end - start);
        if (widthMm <= 0 || paragraph.isEmpty())
            lines << paragraph.toString();
        else
            wrapParagraph(paragraph, layoutFont, widthMm, maxLines, lines);
        if (end == text.size())
            break;
        const bool crLf = text[end] == QLatin1Char('\r') && end + 1 < text.size() && text[end + 1] == QLatin1Char('\n');
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}
