#include "render/rotator.h"

#include "gtest_qt.h"
#include "render/drawing_surface.h"
#include "render_test_support.h"

#include <QFontMetricsF>

namespace {

bool isBlackInk(const QColor& c)
{
    return c.red() < 128 && c.green() < 128 && c.blue() < 128;
}

class RotatorTest : public ::testing::Test {
protected:
    RotatorTest() : surface(QSizeF(100, 100), kTestDpi)
    {
        surface.setScaleToMillimetres();
        surface.setFont(QStringLiteral("Arial"), 16, false, false);
        rotator.Device(surface);
    }

    QRect printAt(double x, double y, int angle, const QString& text)
    {
        surface.setCurrentX(x);
        surface.setCurrentY(y);
        rotator.Angle(angle);
        rotator.PrintText(text);
        const QImage image = surface.image();
        return inkBox(image, image.rect(), isBlackInk);
    }

    ImageSurface surface;
    Rotator rotator;
};

TEST_F(RotatorTest, AtNinetyDegreesReadsUpwardsWithTheCellToTheRight)
{
    const QRect ink = printAt(50, 80, 90, QStringLiteral("HHHHHH"));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 500);
    EXPECT_LE(ink.left(), 520);
    EXPECT_LE(ink.bottom(), 800);
    EXPECT_GE(ink.bottom(), 780);
    EXPECT_GT(ink.height(), 3 * ink.width()); // runs along y
    EXPECT_EQ(surface.currentX(), 50); // the position stays
    EXPECT_EQ(surface.currentY(), 80);
}

TEST_F(RotatorTest, AtTwoHundredSeventyDegreesReadsDownwardsWithTheCellToTheLeft)
{
    const QRect ink = printAt(50, 20, 270, QStringLiteral("HHHHHH"));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.right(), 500);
    EXPECT_GE(ink.right(), 480);
    EXPECT_GE(ink.top(), 200);
    EXPECT_LE(ink.top(), 220);
    EXPECT_GT(ink.height(), 3 * ink.width());
}

TEST_F(RotatorTest, AtZeroDegreesStartsWhereTheSurfacePrints)
{
    const QRect rotated = printAt(20, 30, 0, QStringLiteral("H"));
    surface.clear();
    surface.setCurrentX(20);
    surface.setCurrentY(30);
    surface.printText(QStringLiteral("H"));
    const QImage image = surface.image();
    const QRect plain = inkBox(image, image.rect(), isBlackInk);
    // The same cell top-left; the rotated font is smaller (sized by cell height), so its
    // capital starts a little higher and its side bearing is a little narrower.
    EXPECT_NEAR(rotated.left(), plain.left(), 2);
    EXPECT_LE(rotated.top(), plain.top());
    EXPECT_GE(rotated.top(), 300);
    EXPECT_LT(rotated.height(), plain.height());
}

TEST_F(RotatorTest, SizesTheFontByCellHeight)
{
    const QRect rotated = printAt(20, 30, 0, QStringLiteral("H"));
    surface.clear();
    surface.setCurrentX(20);
    surface.setCurrentY(30);
    surface.printText(QStringLiteral("H"));
    const QImage image = surface.image();
    const QRect plain = inkBox(image, image.rect(), isBlackInk);
    // The cell of 16 pt at 254 dpi is 4064 \ 72 = 56 pixels; the surface's own font has
    // that as its em, and a cell of ascent plus descent.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(1000);
    const double cellPerEm = QFontMetricsF(font).height() / 1000;
    const double emPixels = 16 * 254 / 72.0;
    EXPECT_NEAR(double(rotated.height()) / plain.height(), 56 / (emPixels * cellPerEm), 0.04);
}

TEST_F(RotatorTest, AnEmptyTextDrawsNothing)
{
    EXPECT_TRUE(printAt(50, 50, 90, QString()).isEmpty());
}

TEST_F(RotatorTest, TakesBoldAndItalicFromTheSurfaceFont)
{
    printAt(30, 90, 90, QStringLiteral("Label"));
    const int plainInk = inkCount(surface.image(), surface.image().rect(), isBlackInk);
    const QImage plainImage = surface.image();

    surface.clear();
    surface.setFont(QStringLiteral("Arial"), 16, true, false);
    printAt(30, 90, 90, QStringLiteral("Label"));
    EXPECT_GT(inkCount(surface.image(), surface.image().rect(), isBlackInk), plainInk * 1.2);

    surface.clear();
    surface.setFont(QStringLiteral("Arial"), 16, false, true);
    printAt(30, 90, 90, QStringLiteral("Label"));
    EXPECT_NE(surface.image(), plainImage);
}

TEST_F(RotatorTest, DrawsInTheSurfaceTextColour)
{
    surface.setTextColor(kRed);
    const QImage image = (printAt(50, 80, 90, QStringLiteral("HHHH")), surface.image());
    EXPECT_GT(inkCount(image, image.rect(), [](QColor c) { return c == rgb(kRed); }), 100);
}

TEST_F(RotatorTest, ConvertsThePositionToTheNearestDevicePixel)
{
    // 8.44 mm is pixel 84.4, so 84; 8.46 mm is 84.6, so 85.
    const QRect a = printAt(30, 8.44 + 40, 0, QStringLiteral("H"));
    surface.clear();
    const QRect b = printAt(30, 8.46 + 40, 0, QStringLiteral("H"));
    EXPECT_EQ(b.top() - a.top(), 1);
}

} // namespace
