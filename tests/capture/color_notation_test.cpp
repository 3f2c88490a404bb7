#include "capture/color_notation.h"

#include "platform/screen_access.h"

#include "gtest_qt.h"

namespace {

int value(int red, int green, int blue) { return red + 256 * green + 65536 * blue; }

TEST(ColourNotation, HexDigitsAreRedGreenBlue)
{
    // The colour, its hexadecimal and its "R,G,B" text.
    const std::tuple<int, const char*, const char*> cases[] = {
        {value(255, 128, 0), "FF8000", "255,128,0"}, {value(255, 0, 0), "FF0000", "255,0,0"}, {0, "000000", "0,0,0"},
        {value(0, 0, 16), "000010", "0,0,16"}, {value(0x12, 0x34, 0x56), "123456", "18,52,86"},
    };
    for (const auto& [colour, hex, rgb] : cases) {
        EXPECT_EQ(ColorToHex(colour), hex) << colour;
        EXPECT_EQ(HexToRgbText(QStringLiteral("#") + hex, false), rgb);
        EXPECT_EQ(HexToRgbText(hex, true), QString::number(colour));
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
    QPainter(&still).fillRect(4, 0, 4, 4, QColor(0, 0, 255));
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
    // The platform, the session type, whether WAYLAND_DISPLAY is set, the access.
    const std::tuple<const char*, const char*, bool, ScreenAccess> cases[] = {
        {"xcb", "x11", false, ScreenAccess::StillImage},
        {"offscreen", "wayland", true, ScreenAccess::StillImage},
        {"wayland", "wayland", true, ScreenAccess::Portal},
        {"wayland-egl", "", true, ScreenAccess::Portal},
        // Through XWayland the copy would show other programs' windows black.
        {"xcb", "wayland", true, ScreenAccess::Portal},
        {"xcb", "", true, ScreenAccess::Portal},
    };
    for (const auto& [platform, session, waylandDisplay, access] : cases)
        EXPECT_EQ(screenAccessFor(platform, session, waylandDisplay), access) << platform << " " << session;
}

} // namespace
