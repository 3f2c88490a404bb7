#include "capture/color_notation.h"

#include <QImage>
#include <QPointF>

#include <climits>
#include <cmath>

QString ColorToHex(int colour)
{
    // The value's own digits hold blue first; the pairs are turned around.
    const QString bgr = QStringLiteral("%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
    return bgr.mid(4, 2) + bgr.mid(2, 2) + bgr.left(2);
}

QString HexToRgbText(const QString& hex, bool wantValue)
{
    const QString digits = hex.startsWith(QLatin1Char('#')) ? hex.mid(1) : hex;
    if (digits.size() != 6)
        return QStringLiteral("0");
    const int red = digits.mid(0, 2).toInt(nullptr, 16);
    const int green = digits.mid(2, 2).toInt(nullptr, 16);
    const int blue = digits.mid(4, 2).toInt(nullptr, 16);
    if (wantValue)
        return QString::number(red + 256 * green + 65536 * blue);
    return QStringLiteral("%1,%2,%3").arg(red).arg(green).arg(blue);
}

int ToInt16(double value)
{
    return int(std::nearbyint(std::clamp(value, -32768.0, 32767.0)));
}

int ToInt32(double value)
{
    return int(std::nearbyint(std::clamp(value, double(INT_MIN), double(INT_MAX))));
}

int ColourAt(const QImage& still, const QPointF& point)
{
    const qreal ratio = still.devicePixelRatio();
    const QPoint pixel(int(std::floor(point.x() * ratio)), int(std::floor(point.y() * ratio)));
    if (!still.valid(pixel))
        return -1;
    const QRgb rgb = still.pixel(pixel);
    return qRed(rgb) + 256 * qGreen(rgb) + 65536 * qBlue(rgb);
}
