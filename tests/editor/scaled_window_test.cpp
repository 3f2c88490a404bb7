#include "editor_fixture.h"

// A screen at twice the density: every pixel of the desktop is two by two device pixels.
// Set before the application starts, which reads it.
[[maybe_unused]] static const bool kScaled = (qputenv("QT_SCALE_FACTOR", "2"), true);

namespace {

using ScaledWindow = EditorTest;

TEST_F(ScaledWindow, AtTheSizeOfASmallLaptopEveryControlShowsWhole)
{
    ASSERT_DOUBLE_EQ(editor->devicePixelRatioF(), 2);
    expectEveryControlShowsWhole(QSize(1366, 768));
}

TEST_F(ScaledWindow, PreviewsAreDrawnWithEveryDevicePixel)
{
    for (PreviewWidget* preview : {backPreview(), frontPreview()}) {
        const QImage& drawn = preview->image();
        EXPECT_EQ(drawn.width(), 2 * preview->width()) << preview->objectName().toStdString();
        EXPECT_EQ(drawn.height(), 2 * preview->height()) << preview->objectName().toStdString();
        // True size still: millimetres at the screen's resolution in desktop pixels.
        EXPECT_NEAR(preview->width(), preview->sheetSizeMm().width() * preview->truePixelsPerMm(), 1);
    }
}

} // namespace
