#include "capture/color_notation.h"

#include "platform/screen_access.h"

#include <QImage>
#include <QPointF>

#include "gtest_qt.h"

namespace {

int value(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

TEST(ColourNotation, HexDigitsAreRedGreenBlue)
{
    const struct {
        int colour;
        const char* hex;
        const char* rgb;
    } cases[] = {
        {value(255, 128, 0), "FF8000", "255,128,0"}, {value(255, 0, 0), "FF0000", "255,0,0"}, {0, "000000", "0,0,0"},
        {value(0, 0, 16), "000010", "0,0,16"}, {value(0x12, 0x34, 0x56), "123456", "18,52,86"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColorToHex(c.colour), c.hex) << c.colour;
        EXPECT_EQ(HexToRgbText(QStringLiteral("#") + c.hex, false), c.rgb);
        EXPECT_EQ(HexToRgbText(c.hex, true), QString::number(c.colour));
    }
    for (const char* text : {"", "#FFF", "FF80001", "##FF8000"})
        EXPECT_EQ(HexToRgbText(text, false), "0") << text;
    EXPECT_EQ(ToInt16(2.5), 2);
    EXPECT_EQ(ToInt16(3.5), 4);
    EXPECT_EQ(ToInt16(70000), 32767);
    EXPECT_EQ(ToInt32(1e12), 2147483647);
}

TEST(ColourNotation, ColourUnderAPointFollowsTheDevicePixelRatio)
{
    // Left half red, right half blue, in device pixels, one marked pixel.
    QImage still(8, 4, QImage::Format_RGB32);
    still.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            still.setPixel(x, y, qRgb(0, 0, 255));
    still.setPixel(2, 2, qRgb(1, 2, 3));
    EXPECT_EQ(ColourAt(still, QPointF(2, 2)), value(1, 2, 3));
    EXPECT_EQ(ColourAt(still, QPointF(8, 1)), -1);
    // On a screen scaled by 2 the window's point (1, 1) shows device pixel (2, 2).
    still.setDevicePixelRatio(2);
    EXPECT_EQ(ColourAt(still, QPointF(1, 1)), value(1, 2, 3));
    EXPECT_EQ(ColourAt(still, QPointF(2.5, 0)), value(0, 0, 255));
    EXPECT_EQ(ColourAt(still, QPointF(4, 1)), -1);
}

TEST(ScreenAccess, WaylandSessionsPickThroughThePortal)
{
    const struct {
        const char* platform;
        const char* session;
        bool waylandDisplay;
        ScreenAccess access;
    } cases[] = {
        {"xcb", "x11", false, ScreenAccess::StillImage},
        {"offscreen", "wayland", true, ScreenAccess::StillImage},
        {"wayland", "wayland", true, ScreenAccess::Portal},
        {"wayland-egl", "", true, ScreenAccess::Portal},
        // Through XWayland the copy would show other programs' windows black.
        {"xcb", "wayland", true, ScreenAccess::Portal},
        {"xcb", "", true, ScreenAccess::Portal},
    };
    for (const auto& c : cases)
        EXPECT_EQ(screenAccessFor(c.platform, c.session, c.waylandDisplay), c.access) << c.platform << " " << c.session;
}

} // namespace
