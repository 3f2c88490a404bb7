#include "render/back_renderer.h"

#include "document/cover_document.h"
#include "render/busy_pointer.h"
#include "render/counter_text.h"
#include "render/display_lines.h"
#include "render/drawing_surface.h"
#include "render/rotator.h"
#include "render/sheet_geometry.h"
#include "shell/app_state.h"
#include "shell/progress.h"

#include <cmath>

using namespace backsheet;

namespace {

const QString kCaptionFont = QStringLiteral("Arial");
constexpr double kCaptionPoints = 8;

// Trace lines go to the log only for the printer, where a failing driver needs them.
class Trace {
public:
    explicit Trace(bool printing) : m_printing(printing) {}
    void operator()(const char* step) const
    {
        if (m_printing)
            ShowInLog(QString::fromLatin1(step));
    }

private:
    bool m_printing;
};

void setTransparent(DrawingSurface& surface)
{
    surface.deviceContext().setBackgroundMode(Qt::TransparentMode);
}

void drawPicture(const CoverDocument& doc, DrawingSurface& surface, const QSizeF& sheet,
                 const Trace& trace)
{
    const PictureImage& picture = doc.BackPicture.image;
    const QSizeF natural = picture.sizeMm();
    const QRectF whole(QPointF(0, 0), natural);
    const QSizeF cut(kCutRight - kCutLeft, kCutBottom - kCutTop);
    const QSizeF crull(kCrullRight - kCrullLeft, kCutBottom - kCutTop);
    // The centre box counts only for the cut placements, where the editor enables it.
    const bool centred = doc.pCenter != 0;
    const auto centredRegion = [&](const QSizeF& region) {
        const QPointF dest(sheet.width() / 2 - region.width() / 2, sheet.height() / 2 - region.height() / 2);
        const QRectF source(QPointF(natural.width() / 2 - region.width() / 2,
                                    natural.height() / 2 - region.height() / 2),
                            region);
        surface.paintPicture(picture, dest, source);
    };
    switch (doc.pMethod) {
    case 0:
        trace("PaintPicture BackPic(3)");
        surface.paintPicture(picture, QPointF(kCutLeft, kCutTop), whole, cut);
        break;
    case 1:
        trace("PaintPicture BackPic(4)");
        surface.paintPicture(picture, QPointF(kCrullLeft, kCutTop), whole, crull);
        break;
    case 2:
        if (centred) {
            trace("PaintPicture BackPic(1)");
            centredRegion(cut);
        } else {
            trace("PaintPicture BackPic(5)");
            surface.paintPicture(picture, QPointF(kCutLeft, kCutTop), QRectF(QPointF(0, 0), cut));
        }
        break;
    case 3:
        if (centred) {
            trace("PaintPicture BackPic(2)");
            centredRegion(crull);
        } else {
            trace("PaintPicture BackPic(6)");
            surface.paintPicture(picture, QPointF(kCrullLeft, kCutTop), QRectF(QPointF(0, 0), crull));
        }
        break;
    default:
        break;
    }
}

void drawMarks(const CoverDocument& doc, DrawingSurface& surface, const Trace& trace)
{
    surface.setLineWidth(1);
    trace("Line (1)");
    surface.line(QPointF(0, kCutTop), QPointF(kWidth, kCutTop), doc.CutColor);
    trace("Line (2)");
    surface.line(QPointF(0, kCutBottom), QPointF(kWidth, kCutBottom), doc.CutColor);
    trace("Line (3)");
    surface.line(QPointF(kCutLeft, 0), QPointF(kCutLeft, kHeight), doc.CutColor);
    trace("Line (4)");
    surface.line(QPointF(kCutRight, 0), QPointF(kCutRight, kHeight), doc.CutColor);
    trace("Line (5)");
    surface.line(QPointF(kCrullLeft, 0), QPointF(kCrullLeft, kHeight), doc.CrullColor);
    trace("Line (6)");
    surface.line(QPointF(kCrullRight, 0), QPointF(kCrullRight, kHeight), doc.CrullColor);
}

void drawLabels(const CoverDocument& doc, DrawingSurface& surface, Rotator& rotator,
                const QString& label, bool printing, const Trace& trace)
{
    trace("ForeColor (1)");
    surface.setTextColor(doc.ForeColor);
    if (!doc.Fontname.isEmpty() && !doc.Fontsize.isEmpty()) {
        trace("FontItalic(1)");
        trace("FontName(1)");
        trace("FontBold(1)");
        trace("FontSize(1)");
        surface.setFont(doc.Fontname, leadingNumber(doc.Fontsize), doc.FontBold != 0, doc.FontItalic != 0);
    }
    const double width = surface.textWidth(label);
    const double height = surface.textHeight(label);

    // Reading upwards, the text spans y - width ... y.
    trace("GetObj.TextWidth(1)");
    const double upwardsY = std::nearbyint(kSpineMiddle + width / 2 - kLabelOffset);
    if (printing) {
        trace("Set iBKMode(1), Transparent");
        setTransparent(surface);
    }
    trace("Set CurrentY(1)");
    surface.setCurrentY(upwardsY);
    trace("Set Text Angle(1)");
    rotator.Angle(90);
    trace("Set Text CurrentX(1)");
    surface.setCurrentX(kLeftLabelX - height / 2);
    trace("rText.PrintText(Txt)");
    rotator.PrintText(label);

    trace("GetTextWidth(Txt)");
    const bool flipped = doc.FlipLabels != 0;
    const double rightY = flipped ? std::nearbyint(kSpineMiddle - width / 2 + kLabelOffset) : upwardsY;
    if (printing) {
        trace("Set iBKMode, Transparent");
        setTransparent(surface);
    }
    trace("Set CurrentY(1)");
    surface.setCurrentY(rightY);
    // Turned by 270 degrees the text reads downwards and its cell lies left of x.
    trace(flipped ? "Set Angle (270)" : "Set Angle (90)");
    rotator.Angle(flipped ? 270 : 90);
    trace("Set CurrentX(1)");
    surface.setCurrentX(flipped ? kFlippedLabelX + height / 2 : kRightLabelX - height / 2);
    trace("rText.PrintText(Txt)");
    rotator.PrintText(label);
}

void drawContents(const CoverDocument& doc, DrawingSurface& surface, const Trace& trace)
{
    const QRectF area = contentsTextArea(doc);
    trace("Set CurrentX(1)");
    surface.setCurrentX(area.left());
    trace("Set CurrentY(1)");
    surface.setCurrentY(area.top());
    trace("Set FontName");
    trace("Set FontBold");
    trace("Set FontItalic");
    trace("Set FontSize");
    // FontItalic2 holds the contents' bold, FontBold2 its italic.
    surface.setFont(doc.Fontname2, leadingNumber(doc.Fontsize2), doc.FontItalic2 != 0, doc.FontBold2 != 0);
    trace("Set ForeColor");
    surface.setTextColor(doc.ForeColor2);
    // Exactly the lines the contents editor shows; a long list runs on below the cut line.
    // Lines that would start below the surface are neither made nor drawn.
    const int visible = surface.linesToBottom(area.top());
    for (const QString& line : displayLines(doc.Contents, surface.font(), area.width(), visible)) {
        trace("Set CurrentX(1)");
        surface.setCurrentX(area.left());
        trace("Print(Contents lines...)");
        surface.printText(withCounter(line, doc.Counter, doc.CountFrom));
    }
}

} // namespace

void UpdateBack(CoverDocument& doc, DrawingSurface& surface, bool printing)
{
    doc.saved = false;
    if (!app::viewEnabled)
        return;
    const BusyPointer busy;
    const Trace trace(printing);

    const QString label = withCounter(doc.Text, doc.Counter, doc.CountFrom);
    if (!printing)
        surface.clear();
    trace("Set DrawWidth");
    surface.setLineWidth(1);
    trace("Set ScaleMode");
    surface.setScaleToMillimetres();
    Rotator rotator;
    rotator.Device(surface);
    // The printer page may be larger than the sheet; centring follows the preview.
    const QSizeF sheet = printing ? QSizeF(kWidth, kHeight) : QSizeF(surface.width(), surface.height());

    trace("Add Line");
    surface.filledBox(QPointF(kCutLeft, kCutTop), QPointF(kCutRight, kCutBottom), doc.BackColor);

    trace("Set FontName");
    trace("Set FontBold");
    trace("Set FontItalic");
    trace("Set FontSize");
    surface.setFont(kCaptionFont, kCaptionPoints, false, false);
    if (printing) {
        trace("SetBkMode, Transparent");
        setTransparent(surface);
    }
    trace("Set ForeColor");
    surface.setTextColor(0);
    trace("Set CurrentX");
    surface.setCurrentX(kFileCaption.x());
    trace("Set CurrentY");
    surface.setCurrentY(kFileCaption.y());
    trace("Print CurFile");
    surface.printText(doc.currentFile);
    trace("Set CurrentX(2)");
    surface.setCurrentX(kSizeCaption.x());
    trace("Set CurrentY(2)");
    surface.setCurrentY(kSizeCaption.y());
    trace("Print (Crull)");
    surface.printText(kSizeCaptionText);

    if (!doc.BackPicture.image.isNull())
        drawPicture(doc, surface, sheet, trace);
    drawMarks(doc, surface, trace);
    drawLabels(doc, surface, rotator, label, printing, trace);
    drawContents(doc, surface, trace);
}
