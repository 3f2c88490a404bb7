#include "render/drawing_surface.h"

#include "gtest_qt.h"
#include "render_test_support.h"

#include <QBuffer>
#include <QFontMetricsF>

namespace {

bool isBlackInk(const QColor& c)
{
    return c.red() < 128 && c.green() < 128 && c.blue() < 128;
}

// How tall a capital of Arial is, in ems, measured at a size where hinting does not count.
double capHeightPerEm()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(1000);
    return QFontMetricsF(font).capHeight() / 1000;
}

// The ink height in mm of an "H" printed through a surface at a resolution.
double capitalHeightMm(double dpi, double points)
{
    ImageSurface surface(QSizeF(40, 30), dpi);
    surface.setScaleToMillimetres();
    surface.setFont(QStringLiteral("Arial"), points, false, false);
    surface.setCurrentX(5);
    surface.setCurrentY(5);
    surface.printText(QStringLiteral("H"));
    const QImage image = surface.image();
    const QRect ink = inkBox(image, image.rect(), isBlackInk);
    return ink.height() * 25.4 / dpi;
}

TEST(DrawingSurface, PointSizesKeepTheirSizeAtEveryResolution)
{
    const double expected = 12 * 25.4 / 72 * capHeightPerEm();
    EXPECT_NEAR(capitalHeightMm(254, 12), expected, 0.15);
    EXPECT_NEAR(capitalHeightMm(600, 12), expected, 0.1);
    // Screen resolution: within a pixel.
    EXPECT_NEAR(capitalHeightMm(96, 12), expected, 25.4 / 96 + 0.01);
}

TEST(DrawingSurface, MillimetreScaleMapsToDevicePixels)
{
    ImageSurface surface(QSizeF(160, 128), kTestDpi);
    EXPECT_EQ(surface.pixelWidth(), 1600);
    EXPECT_EQ(surface.pixelHeight(), 1280);
    EXPECT_DOUBLE_EQ(surface.width(), 1600); // pixels until scaled
    surface.setScaleToMillimetres();
    EXPECT_NEAR(surface.width(), 160, 1e-9);
    EXPECT_NEAR(surface.height(), 128, 1e-9);
    surface.filledBox(QPointF(10, 20), QPointF(30, 25), kRed);
    const QImage image = surface.image();
    EXPECT_EQ(inkBox(image, image.rect(), [](QColor c) { return c == rgb(kRed); }),
              QRect(QPoint(100, 200), QPoint(300, 250)));
}

TEST(DrawingSurface, ClearFillsWithWhite)
{
    ImageSurface surface(QSizeF(20, 20), kTestDpi);
    surface.setScaleToMillimetres();
    surface.filledBox(QPointF(0, 0), QPointF(20, 20), kBlue);
    surface.clear();
    const QImage image = surface.image();
    EXPECT_EQ(inkCount(image, image.rect(), [](QColor c) { return c != Qt::white; }), 0);
}

TEST(DrawingSurface, PrintTextMovesToTheNextLineAndBackToTheLeft)
{
    ImageSurface surface(QSizeF(60, 40), kTestDpi);
    surface.setScaleToMillimetres();
    surface.setFont(QStringLiteral("Arial"), 12, false, false);
    const double height = surface.textHeight(QStringLiteral("H"));
    surface.setCurrentX(7);
    surface.setCurrentY(3);
    surface.printText(QStringLiteral("H"));
    EXPECT_DOUBLE_EQ(surface.currentX(), 0);
    EXPECT_NEAR(surface.currentY(), 3 + height, 1e-9);
    // A line height of a 12 pt face lies between 1 and 1.3 ems.
    EXPECT_GT(height, 12 * 25.4 / 72);
    EXPECT_LT(height, 1.3 * 12 * 25.4 / 72);
}

TEST(DrawingSurface, TextWidthGrowsWithTheTextAndTheSize)
{
    ImageSurface surface(QSizeF(60, 40), kTestDpi);
    surface.setScaleToMillimetres();
    surface.setFont(QStringLiteral("Arial"), 10, false, false);
    const double one = surface.textWidth(QStringLiteral("MMMM"));
    EXPECT_NEAR(surface.textWidth(QStringLiteral("MMMMMMMM")), 2 * one, 0.05);
    // Fonts come in whole device pixels: within half a pixel per em.
    surface.setFont(QStringLiteral("Arial"), 20, false, false);
    EXPECT_NEAR(surface.textWidth(QStringLiteral("MMMM")), 2 * one, 0.4);
}

TEST(DrawingSurface, AnEmptyFontNameOrSizeKeepsTheCurrentOne)
{
    ImageSurface surface(QSizeF(60, 40), kTestDpi);
    surface.setFont(QStringLiteral("DejaVu Sans"), 14, false, false);
    surface.setFont(QString(), 0, true, false);
    EXPECT_EQ(surface.font().family(), QStringLiteral("DejaVu Sans"));
    EXPECT_DOUBLE_EQ(surface.font().pointSizeF(), 14);
    EXPECT_TRUE(surface.font().bold());
}

TEST(DrawingSurface, PictureSizeComesFromItsResolutionElse96Dpi)
{
    QImage stated(300, 150, QImage::Format_RGB32);
    stated.setDotsPerMeterX(11811); // 300 dpi
    stated.setDotsPerMeterY(11811);
    EXPECT_NEAR(pictureSizeMm(stated).width(), 25.4, 0.01);
    EXPECT_NEAR(pictureSizeMm(stated).height(), 12.7, 0.01);

    // A file that carries a resolution keeps it through loading.
    stated.fill(Qt::gray);
    QBuffer png;
    png.open(QIODevice::WriteOnly);
    ASSERT_TRUE(stated.save(&png, "PNG"));
    EXPECT_NEAR(pictureSizeMm(QImage::fromData(png.data(), "PNG")).width(), 25.4, 0.01);

    const QImage unstated(96, 48, QImage::Format_RGB32);
    EXPECT_NEAR(pictureSizeMm(unstated).width(), 25.4, 0.01);
    EXPECT_NEAR(pictureSizeMm(unstated).height(), 12.7, 0.01);
}

TEST(DrawingSurface, PaintPictureStretchesOrCopiesOneToOne)
{
    const QImage picture = positionPicture(40, 20);
    ImageSurface surface(QSizeF(100, 100), kTestDpi);
    surface.setScaleToMillimetres();
    surface.paintPicture(picture, QPointF(10, 10), QRectF(0, 0, 40, 20), QSizeF(80, 40));
    surface.paintPicture(picture, QPointF(10, 60), QRectF(20, 10, 10, 10));
    const QImage image = surface.image();
    QPointF p = picturePositionAt(image, 50.5, 30.5);
    EXPECT_NEAR(p.x(), 20.25, 1);
    EXPECT_NEAR(p.y(), 10.25, 1);
    p = picturePositionAt(image, 10.5, 60.5);
    EXPECT_NEAR(p.x(), 20.5, 1);
    EXPECT_NEAR(p.y(), 10.5, 1);
    EXPECT_EQ(colorAtMm(image, 21, 65), QColor(Qt::white)); // the 10 mm region ends at 20
}

TEST(DrawingSurface, PaintPictureDrawsOnlyWhereThePictureIs)
{
    const QImage picture = positionPicture(20, 20);
    ImageSurface surface(QSizeF(100, 100), kTestDpi);
    surface.setScaleToMillimetres();
    surface.paintPicture(picture, QPointF(10, 10), QRectF(-30, -30, 80, 80));
    surface.paintPicture(QImage(), QPointF(0, 0), QRectF(0, 0, 10, 10));
    const QImage image = surface.image();
    EXPECT_EQ(inkBox(image, image.rect(), [](QColor c) { return c != Qt::white; }),
              mmRect(40, 40, 60, 60));
}

} // namespace
