#include "editor/preview_widget.h"

#include "gtest_qt.h"
#include "render/back_renderer.h"
#include "render/front_renderer.h"
#include "render_test_support.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

class PreviewWidgetTest : public RendererTest {};

double screenPixelsPerMm()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double physical = screen->physicalDotsPerInchX();
    return (physical >= 50 && physical <= 600 ? physical : screen->logicalDotsPerInchX()) / 25.4;
}

TEST_F(PreviewWidgetTest, ShowsTheSheetAtTrueSizeOnTheScreen)
{
    PreviewWidget preview(QSizeF(160, 128));
    EXPECT_NEAR(preview.sizeHint().width(), 160 * screenPixelsPerMm(), 1);
    EXPECT_NEAR(preview.sizeHint().height(), 128 * screenPixelsPerMm(), 1);
}

TEST_F(PreviewWidgetTest, ShowsWhatTheRendererDrew)
{
    PreviewWidget preview(QSizeF(250, 130));
    preview.resize(preview.sizeHint());
    doc.fCutColor = kBlue;
    doc.fBackColor = kYellow;
    UpdateFront(doc, preview.surface(), false);
    preview.showDrawing();
    const QImage shown = preview.grab().toImage();
    const double scale = screenPixelsPerMm();
    EXPECT_EQ(shown.pixelColor(int(185 * scale), int(65 * scale)), rgb(kYellow));
    // The top cut mark on the row at 5 mm.
    const int row = int(5 * scale);
    bool found = false;
    for (int y = row - 1; y <= row + 1; ++y)
        found = found || shown.pixelColor(int(60 * scale), y) == rgb(kBlue);
    EXPECT_TRUE(found);
}

} // namespace
