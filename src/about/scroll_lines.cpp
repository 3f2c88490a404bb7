#include "about/scroll_lines.h"

namespace {

void wrapInto(QStringList& lines, const QString& line, int viewWidth, int shadowSize,
              const std::function<int(const QString&)>& widthOf)
{
    const int shadow = 2 * shadowSize;
    if (widthOf(line) + shadow <= viewWidth) {
        lines << line;
        return;
    }
    int start = 0;
    int lastSpace = -1;
    for (int i = 0; i < line.size(); ++i) {
        // A piece keeps at least one character, so a view narrower than a letter
        // still shows every letter, one a line.
        if (i > start && widthOf(line.mid(start, i - start + 1)) + shadow > viewWidth) {
            const int cut = lastSpace > start ? lastSpace : i;
            lines << line.mid(start, cut - start);
            start = cut;
        }
        if (line.at(i) == QLatin1Char(' '))
            lastSpace = i;
    }
    if (start < line.size())
        lines << line.mid(start);
}

} // namespace

QStringList SplitScrollLines(const QString& text, int direction, bool wordWrap, int viewWidth, int shadowSize,
                             const std::function<int(const QString&)>& widthOf)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    if (direction == kScrollLeft) {
        QString single = text;
        lines << single.replace(QLatin1Char('|'), QStringLiteral("    "));
        return lines;
    }
    if (direction != kScrollUp0 && direction != kScrollUp)
        return lines;
    for (const QString& line : text.split(QLatin1Char('|'))) {
        if (wordWrap)
            wrapInto(lines, line, viewWidth, shadowSize, widthOf);
        else
            lines << line;
    }
    return lines;
}
