#pragma once

#include "gtest_qt.h"
#include "document/cover_document.h"
#include "render/drawing_surface.h"
#include "shell/app_state.h"

// Sheets are painted at 254 dpi: 10 pixels per millimetre.
constexpr double kTestDpi = 254;
constexpr double kPxPerMm = 10;

// Colours as 0x00BBGGRR values.
constexpr int kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kYellow = 0x00FFFF, kMagenta = 0xFF00FF,
              kWhite = 0xFFFFFF;

using Ink = std::function<bool(QColor)>;

inline QColor colorAtMm(const QImage& image, double xMm, double yMm)
{
    return image.pixelColor(int(xMm * kPxPerMm), int(yMm * kPxPerMm));
}

inline bool isRedInk(QColor c) { return c.red() > 180 && c.green() < 140 && c.blue() < 140; }
inline bool isBlackInk(QColor c) { return c.red() < 128 && c.green() < 128 && c.blue() < 128; }
inline bool isBlueInk(QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; }

inline QRect mmRect(double left, double top, double right, double bottom)
{
    return QRect(QPoint(int(left * kPxPerMm), int(top * kPxPerMm)),
                 QPoint(int(right * kPxPerMm) - 1, int(bottom * kPxPerMm) - 1));
}

// The bounding box (pixels) of the matching pixels in a region.
inline QRect inkBox(const QImage& image, const QRect& region, const Ink& ink)
{
    QRect box;
    const QRect r = region & image.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (ink(image.pixelColor(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// The first pixel rows of the runs of rows in a region that hold matching pixels.
inline QList<int> runTops(const QImage& image, const QRect& region, const Ink& ink)
{
    QList<int> tops;
    bool inInk = false;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        const bool row = !inkBox(image, QRect(region.left(), y, region.width(), 1), ink).isEmpty();
        if (row && !inInk)
            tops << y;
        inInk = row;
    }
    return tops;
}

// A picture, two pixels per mm, whose pixels tell where in it (whole mm) they lie: red = x, green = y.
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

// A sheet position (mm) and the picture position expected there; negative: the background shows.
struct Probe { double x, y, pictureX, pictureY; };

inline void expectProbes(const QImage& sheet, const std::vector<Probe>& probes, int background, const char* what)
{
    for (const Probe& p : probes) {
        SCOPED_TRACE(testing::Message() << what << " at " << p.x << "," << p.y);
        const QColor c = colorAtMm(sheet, p.x, p.y);
        if (p.pictureX < 0) {
            EXPECT_EQ(c, colorFromValue(background));
            continue;
        }
        ASSERT_NEAR(c.blue(), 200, 3) << "no picture";
        EXPECT_NEAR(c.red(), p.pictureX, 1.5);
        EXPECT_NEAR(c.green(), p.pictureY, 1.5);
    }
}

// Drawing is on for renderer tests; each test starts from a new cover.
class RendererTest : public ::testing::Test {
protected:
    void SetUp() override { app::viewEnabled = true; }
    void TearDown() override { app::viewEnabled = m_viewWas; }

    CoverDocument doc;

private:
    bool m_viewWas = app::viewEnabled;
};
