#include "render/drawing_surface.h"

#include "gtest_qt.h"
#include "pdf_pages.h"
#include "render/back_renderer.h"
#include "render_test_support.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPrinter>

namespace {

// The height of a 12 pt Arial capital in mm, measured where hinting does not count.
double capHeight12ptMm()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(1000);
    return 12 * 25.4 / 72 * QFontMetricsF(font).capHeight() / 1000;
}

TEST(DrawingSurface, TwelvePointCapitalsAreTwelvePointAtEveryResolution)
{
    for (const double dpi : {254.0, 600.0, 96.0}) {
        ImageSurface surface(QSizeF(40, 30), dpi);
        surface.setScaleToMillimetres();
        surface.setFont(QStringLiteral("Arial"), 12, false, false);
        surface.setCurrentX(5);
        surface.setCurrentY(5);
        surface.printText(QStringLiteral("H"));
        const double heightMm = inkBox(surface.image(), surface.image().rect(), isBlackInk).height() * 25.4 / dpi;
        EXPECT_NEAR(heightMm, capHeight12ptMm(), std::max(0.15, 25.4 / dpi + 0.01)) << dpi;
    }
}

// The printer's margins are done away with: the sheet lies at true size from the paper's corner.
TEST_F(RendererTest, PrintsTheBackToPdfAtTrueSizeFromThePaperCorner)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("back.pdf"));
    doc.BackColor = kYellow;
    doc.CutColor = kBlue;
    doc.Fontname2 = QStringLiteral("Arial");
    doc.Contents = QStringLiteral("HHHH");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFileName(file);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        PrinterSurface surface(printer);
        ASSERT_TRUE(surface.isActive());
        UpdateBack(doc, surface, true);
        EXPECT_TRUE(surface.end());
    }
    const QImage page = pdf::pageImage(file, 1);
    ASSERT_NEAR(page.width(), 2100, 2); // A4 at 10 px per mm
    EXPECT_EQ(colorAtMm(page, 5.4, 60), colorFromValue(kYellow));
    EXPECT_EQ(colorAtMm(page, 4.6, 60), colorFromValue(kWhite));
    const QRect cut = inkBox(page, mmRect(60, 4.5, 61, 5.5), [](QColor c) { return c.blue() > 200 && c.red() < 80; });
    EXPECT_NEAR(cut.center().y() / kPxPerMm, 5, 0.15);
    EXPECT_NEAR(inkBox(page, mmRect(11.5, 5.5, 60, 20), isBlackInk).height() / kPxPerMm, capHeight12ptMm(), 0.15);
}

} // namespace
