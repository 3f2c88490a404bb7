#include "render/calibration.h"

#include "document/cover_document.h"
#include "platform/settings_store.h"
#include "render/drawing_surface.h"

#include <cmath>

using namespace calibrationsheet;

namespace {

constexpr double kMmPerInch = 25.4;
const QString kGroup = QStringLiteral("Calibration");

// Rulers: a tick every millimetre, longer ones every 5 and 10, numbered every 10.
constexpr double kRulerLength = 200;
constexpr double kTickShort = 2;
constexpr double kTickMiddle = 3.5;
constexpr double kTickLong = 5;
// Lines thick enough to measure against a ruler.
constexpr double kLineMm = 0.15;

double valueOr(const QString& name, const char* key, double fallback)
{
    bool ok = false;
    const double v = readNamedSetting(kGroup, name, QString::fromLatin1(key), QString()).toDouble(&ok);
    return ok && std::isfinite(v) ? v : fallback;
}

void drawRulers(DrawingSurface& surface)
{
    for (int mm = 0; mm <= kRulerLength; ++mm) {
        const double tick = mm % 10 == 0 ? kTickLong : mm % 5 == 0 ? kTickMiddle : kTickShort;
        surface.line(QPointF(mm, 0), QPointF(mm, tick), 0);
        surface.line(QPointF(0, mm), QPointF(tick, mm), 0);
    }
    surface.setFont(QStringLiteral("Arial"), 6, false, false);
    for (int mm = 10; mm <= kRulerLength; mm += 10) {
        const QString number = QString::number(mm);
        surface.setCurrentX(mm - surface.textWidth(number) / 2);
        surface.setCurrentY(kTickLong + 0.5);
        surface.printText(number);
        surface.setCurrentX(kTickLong + 0.5);
        surface.setCurrentY(mm - surface.textHeight(number) / 2);
        surface.printText(number);
    }
}

} // namespace

PrinterCalibration calibrationFromMeasurements(double crossX, double crossY, double squareWidth,
                                               double squareHeight)
{
    PrinterCalibration c;
    c.scaleX = squareWidth / kSquareSide;
    c.scaleY = squareHeight / kSquareSide;
    c.offsetX = crossX - kCross * c.scaleX;
    c.offsetY = crossY - kCross * c.scaleY;
    return c;
}

void measurementsOf(const PrinterCalibration& c, double& crossX, double& crossY, double& squareWidth,
                    double& squareHeight)
{
    crossX = c.offsetX + kCross * c.scaleX;
    crossY = c.offsetY + kCross * c.scaleY;
    squareWidth = kSquareSide * c.scaleX;
    squareHeight = kSquareSide * c.scaleY;
}

QTransform correctionTransform(const PrinterCalibration& c, double dpiX, double dpiY)
{
    // p lands at offset + scale * q; drawing at q = (p - offset) / scale puts it at p.
    const double kx = dpiX / kMmPerInch;
    const double ky = dpiY / kMmPerInch;
    return QTransform(1 / c.scaleX, 0, 0, 1 / c.scaleY, -c.offsetX * kx / c.scaleX, -c.offsetY * ky / c.scaleY);
}

PrinterCalibration loadCalibration(const QString& printer)
{
    PrinterCalibration c;
    c.offsetX = valueOr(printer, "OffsetX", 0);
    c.offsetY = valueOr(printer, "OffsetY", 0);
    c.scaleX = valueOr(printer, "ScaleX", 1);
    c.scaleY = valueOr(printer, "ScaleY", 1);
    // A hand-edited store must not turn every page into nothing or a mirror image.
    const auto plausibleScale = [](double s) { return std::abs(s - 1) <= kMaxScaleError; };
    if (!plausibleScale(c.scaleX) || !plausibleScale(c.scaleY) || std::abs(c.offsetX) > kMaxCrossError
        || std::abs(c.offsetY) > kMaxCrossError)
        return PrinterCalibration();
    return c;
}

void saveCalibration(const QString& printer, const PrinterCalibration& c)
{
    removeNamedSettings(kGroup, printer);
    if (c.isNone())
        return;
    const auto text = [](double v) { return QString::number(v, 'g', 17); };
    writeNamedSetting(kGroup, printer, QStringLiteral("OffsetX"), text(c.offsetX));
    writeNamedSetting(kGroup, printer, QStringLiteral("OffsetY"), text(c.offsetY));
    writeNamedSetting(kGroup, printer, QStringLiteral("ScaleX"), text(c.scaleX));
    writeNamedSetting(kGroup, printer, QStringLiteral("ScaleY"), text(c.scaleY));
}

void DrawCalibrationSheet(DrawingSurface& surface, const QString& printer)
{
    surface.setScaleToMillimetres();
    const double pixelsPerMm = surface.pixelWidth() / surface.width();
    surface.setLineWidth(std::max(1, int(std::lround(kLineMm * pixelsPerMm))));

    const double arm = 8;
    surface.line(QPointF(kCross - arm, kCross), QPointF(kCross + arm, kCross), 0);
    surface.line(QPointF(kCross, kCross - arm), QPointF(kCross, kCross + arm), 0);
    const double right = kSquareLeft + kSquareSide;
    const double bottom = kSquareTop + kSquareSide;
    surface.line(QPointF(kSquareLeft, kSquareTop), QPointF(right, kSquareTop), 0);
    surface.line(QPointF(right, kSquareTop), QPointF(right, bottom), 0);
    surface.line(QPointF(right, bottom), QPointF(kSquareLeft, bottom), 0);
    surface.line(QPointF(kSquareLeft, bottom), QPointF(kSquareLeft, kSquareTop), 0);
    drawRulers(surface);

    surface.setTextColor(0);
    surface.setFont(QStringLiteral("Arial"), 10, true, false);
    surface.setCurrentX(kSquareLeft);
    surface.setCurrentY(bottom + 8);
    surface.printText(QStringLiteral("Caseleaf printer calibration: %1").arg(printer));
    surface.setFont(QStringLiteral("Arial"), 9, false, false);
    const QStringList lines{
        QStringLiteral("Printed without any calibration. Measure with a ruler, from the paper's edges:"),
        QStringLiteral("1. across and down from the top-left corner to the middle of the cross (meant: 20 mm, 20 mm);"),
        QStringLiteral("2. the width and the height of the square (meant: 100 mm each)."),
        QStringLiteral("Enter the four numbers under Settings, Printer calibration."),
    };
    for (const QString& line : lines) {
        surface.setCurrentX(kSquareLeft);
        surface.printText(line);
    }
}
