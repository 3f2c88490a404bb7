#pragma once

#include "document/cover_document.h"
#include "shell/app_state.h"

#include <QColor>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

// Sheets are painted at 254 dpi: 10 pixels per millimetre.
constexpr double kTestDpi = 254;
constexpr double kPxPerMm = 10;

inline QColor colorAtMm(const QImage& image, double xMm, double yMm)
{
    return image.pixelColor(int(xMm * kPxPerMm), int(yMm * kPxPerMm));
}

inline QColor rgb(int value)
{
    return colorFromValue(value);
}

// Colours that the tests pick apart: 0x00BBGGRR values.
constexpr int kRed = 0x0000FF;
constexpr int kGreen = 0x00FF00;
constexpr int kBlue = 0xFF0000;
constexpr int kYellow = 0x00FFFF;
constexpr int kMagenta = 0xFF00FF;

// Pixels close to a colour; anti-aliased glyph edges count when they lean clearly to it.
inline bool near(const QColor& a, const QColor& b, int tolerance = 60)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

// The bounding box in pixels of the pixels inside a region (pixels) that match.
inline QRect inkBox(const QImage& image, const QRect& region, const std::function<bool(QColor)>& ink)
{
    QRect box;
    const QRect r = region & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (ink(image.pixelColor(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

inline int inkCount(const QImage& image, const QRect& region, const std::function<bool(QColor)>& ink)
{
    int count = 0;
    const QRect r = region & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            count += ink(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

inline QRect mmRect(double left, double top, double right, double bottom)
{
    return QRect(QPoint(int(left * kPxPerMm), int(top * kPxPerMm)),
                 QPoint(int(right * kPxPerMm) - 1, int(bottom * kPxPerMm) - 1));
}

// A picture whose pixel colour tells where in the picture (in whole mm) it was taken:
// red = x mm, green = y mm. Two pixels per millimetre (50.8 dpi).
inline QImage positionPicture(int widthMm, int heightMm)
{
    QImage picture(widthMm * 2, heightMm * 2, QImage::Format_RGB32);
    picture.setDotsPerMeterX(2000);
    picture.setDotsPerMeterY(2000);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixelColor(x, y, QColor(x / 2, y / 2, 200));
    return picture;
}

// The picture position (mm) shown at a sheet position, or (-1, -1) where no picture is.
inline QPointF picturePositionAt(const QImage& sheet, double xMm, double yMm)
{
    const QColor c = colorAtMm(sheet, xMm, yMm);
    if (std::abs(c.blue() - 200) > 3)
        return QPointF(-1, -1);
    return QPointF(c.red(), c.green());
}

// Drawing is on for renderer tests; each test starts from a new cover.
class RendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_viewWas = app::viewEnabled;
        app::viewEnabled = true;
    }
    void TearDown() override { app::viewEnabled = m_viewWas; }

    CoverDocument doc;

private:
    bool m_viewWas = false;
};
