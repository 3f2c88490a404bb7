#include "render/display_lines.h"

#include <QImage>
#include <QRegularExpression>
#include <QTextLayout>

namespace {

constexpr double kPixelsPerMm = 100;

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

} // namespace

QStringList displayLines(const QString& text, const QFont& font, double widthMm)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    const QStringList paragraphs = text.split(lineEnd);
    if (widthMm <= 0)
        return paragraphs;

    QFont layoutFont(font);
    layoutFont.setHintingPreference(QFont::PreferNoHinting);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    for (const QString& paragraph : paragraphs) {
        if (paragraph.isEmpty()) {
            lines << paragraph;
            continue;
        }
        QTextLayout layout(paragraph, layoutFont, &layoutDevice());
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(widthMm * kPixelsPerMm);
            lines << paragraph.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
    }
    return lines;
}
