#include "render/front_renderer.h"

#include "document/cover_document.h"
#include "render/busy_pointer.h"
#include "render/counter_text.h"
#include "render/display_lines.h"
#include "render/drawing_surface.h"
#include "render/sheet_geometry.h"
#include "shell/app_state.h"

#include <cmath>

using namespace frontsheet;

namespace {

const QString kCaptionFont = QStringLiteral("Arial");
constexpr double kCaptionPoints = 8;
// Note lines and their numbers on the inner half.
constexpr double kNoteLeft = 7;
constexpr double kNoteRight = 123;
constexpr double kFirstNumberY = 6;

// A half's picture: stretched over the half, or a 120 mm square region of it at 1:1,
// from its top-left corner or from its middle.
void drawHalfPicture(DrawingSurface& surface, const PictureImage& picture, double left, int stretch, int centre)
{
    if (picture.isNull())
        return;
    const QSizeF natural = picture.sizeMm();
    const QSizeF half(kHalfSize, kHalfSize);
    const QPointF dest(left, kCutTop);
    if (stretch)
        surface.paintPicture(picture, dest, QRectF(QPointF(0, 0), natural), half);
    else if (centre)
        surface.paintPicture(picture, dest,
                             QRectF(QPointF(natural.width() / 2 - kHalfSize / 2,
                                            natural.height() / 2 - kHalfSize / 2),
                                    half));
    else
        surface.paintPicture(picture, dest, QRectF(QPointF(0, 0), half));
}

void drawNoteLines(const CoverDocument& doc, DrawingSurface& surface)
{
    const double space = leadingNumber(doc.LineSpace);
    // No spacing gives no count, and a spacing beyond twice the half no line at all.
    if (space == 0)
        return;
    surface.setTextColor(doc.fFontColor2);
    // The positions are whole millimetres of the half: more lines than that fall on each other.
    const double count = std::min(std::nearbyint(kHalfSize / space), kHalfSize);
    if (count < 1)
        return;
    if (doc.LineNumbers) {
        // The line pitch in millimetres taken as a point size.
        surface.setFont(kCaptionFont, kHalfSize / count, false, false);
        double y = kFirstNumberY;
        for (int i = 1; i <= count; ++i) {
            surface.setCurrentX(kNoteLeft);
            surface.setCurrentY(y);
            surface.printText(QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')));
            y = std::nearbyint(y + space);
        }
    }
    double y = std::nearbyint(kCutTop + space);
    for (int i = 1; i < count; ++i) {
        surface.line(QPointF(kNoteLeft, y), QPointF(kNoteRight, y), doc.fCutColor);
        y = std::nearbyint(y + space);
    }
}

void drawMarks(const CoverDocument& doc, DrawingSurface& surface, const QSizeF& sheet)
{
    surface.setLineWidth(1);
    surface.line(QPointF(0, kCutTop), QPointF(sheet.width(), kCutTop), doc.fCutColor);
    surface.line(QPointF(0, kCutBottom), QPointF(sheet.width(), kCutBottom), doc.fCutColor);
    surface.line(QPointF(kCutLeft, 0), QPointF(kCutLeft, sheet.height()), doc.fCutColor);
    const double right = sheet.width() - kRightMarkInset;
    surface.line(QPointF(right, 0), QPointF(right, sheet.height()), doc.fCutColor);
    surface.line(QPointF(kFold, 0), QPointF(kFold, sheet.height()), doc.fCrullColor);
}

struct FrontText {
    const QString& text;
    QRectF area;
    const QString& face;
    const QString& size;
    int bold;
    int italic;
    int color;
    bool centred;
};

void drawText(const CoverDocument& doc, DrawingSurface& surface, const FrontText& front)
{
    surface.setCurrentX(front.area.left());
    surface.setCurrentY(front.area.top());
    surface.setFont(front.face, leadingNumber(front.size), front.bold != 0, front.italic != 0);
    surface.setTextColor(front.color);
    // Lines that would start below the surface are neither made nor drawn.
    const int visible = surface.linesToBottom(front.area.top());
    for (const QString& displayed : displayLines(front.text, surface.font(), front.area.width(), visible)) {
        const QString line = withCounter(displayed, doc.Counter2, doc.CountFrom2);
        // A centred line wider than the area starts left of it.
        surface.setCurrentX(front.centred
                                ? front.area.left() + front.area.width() / 2 - surface.textWidth(line) / 2
                                : front.area.left());
        surface.printText(line);
    }
}

} // namespace

void UpdateFront(CoverDocument& doc, DrawingSurface& surface, bool printing)
{
    doc.saved = false;
    if (!app::viewEnabled)
        return;
    const BusyPointer busy;

    if (!printing)
        surface.clear();
    surface.setLineWidth(1);
    surface.setScaleToMillimetres();
    // The printer page may be larger than the sheet; the marks follow the preview.
    const QSizeF sheet = printing ? QSizeF(kWidth, kHeight) : QSizeF(surface.width(), surface.height());

    surface.filledBox(QPointF(kFold, kCutTop), QPointF(kCutRight, kCutBottom), doc.fBackColor);
    surface.filledBox(QPointF(kCutLeft, kCutTop), QPointF(kFold, kCutBottom), doc.fBackColor2);

    surface.setFont(kCaptionFont, kCaptionPoints, false, false);
    surface.setTextColor(0);
    surface.setCurrentX(kFileCaption.x());
    surface.setCurrentY(kFileCaption.y());
    surface.printText(doc.currentFile);
    surface.setCurrentX(kSizeCaption.x());
    surface.setCurrentY(kSizeCaption.y());
    surface.printText(kSizeCaptionText);

    drawHalfPicture(surface, doc.FrontPicture1.image, kCutLeft, doc.fStretch1, doc.fCenter1);
    if (doc.WriteLines)
        drawNoteLines(doc, surface);
    drawHalfPicture(surface, doc.FrontPicture.image, kFold, doc.fStretch, doc.fCenter);
    drawMarks(doc, surface, sheet);

    surface.setTextColor(0);
    if (printing)
        surface.deviceContext().setBackgroundMode(Qt::TransparentMode);
    if (!doc.FrontText2.isEmpty() && doc.sfText)
        drawText(doc, surface,
                 {doc.FrontText2, outerTextArea(doc), doc.FrontFont, doc.FrontFontSize, doc.fFontBold,
                  doc.fFontItalic, doc.fFontColor, doc.fFontCenter != 0});
    if (!doc.FrontText1.isEmpty() && doc.sfText2)
        drawText(doc, surface,
                 {doc.FrontText1, innerTextArea(doc), doc.FrontFont2, doc.FrontFontSize2, doc.fFontBold2,
                  doc.fFontItalic2, doc.fFontColor2, false});
}
