#include "render/drawing_surface.h"

#include "gtest_qt.h"
#include "render/back_renderer.h"
#include "render_test_support.h"

#include <QFontMetricsF>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

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

// Printing through a PDF page: the page must come out at true size from the paper's corner.
TEST(PrinterSurface, PrintsTheBackAtTrueSizeFromThePaperCorner)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty())
        GTEST_SKIP() << "pdftoppm is not installed";
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("back.pdf"));
    CoverDocument doc;
    doc.BackColor = kYellow;
    doc.CutColor = kBlue;
    doc.CrullColor = kGreen;
    doc.Fontname2 = QStringLiteral("Arial");
    doc.Fontsize2 = QStringLiteral("12");
    doc.Contents = QStringLiteral("HHHH");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::A4));
        // Margins the surface has to do away with.
        printer.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
        PrinterSurface surface(printer);
        ASSERT_TRUE(surface.isActive());
        const bool viewWas = app::viewEnabled;
        app::viewEnabled = true;
        UpdateBack(doc, surface, true);
        app::viewEnabled = viewWas;
        EXPECT_TRUE(surface.end());
    }
    const QString prefix = dir.filePath(QStringLiteral("page"));
    ASSERT_EQ(QProcess::execute(pdftoppm, {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-png"),
                                           QStringLiteral("-aaVector"), QStringLiteral("no"),
                                           QStringLiteral("-singlefile"), pdf, prefix}),
              0);
    const QImage page(prefix + QStringLiteral(".png"));
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(page.width(), 2100, 2); // A4 at 10 px per mm

    // The filled cut rectangle starts at (5, 5) mm.
    EXPECT_TRUE(near(colorAtMm(page, 5.4, 60), rgb(kYellow), 10));
    EXPECT_TRUE(near(colorAtMm(page, 4.6, 60), QColor(Qt::white), 10));
    // The top cut mark: a blue row at y = 5 mm, found across the page width of the sheet.
    const QRect mark = inkBox(page, mmRect(60, 4.5, 61, 5.5), [](QColor c) { return near(c, rgb(kBlue), 80); });
    ASSERT_FALSE(mark.isEmpty());
    EXPECT_NEAR(mark.center().y() / kPxPerMm, 5, 0.15);
    // The left crull mark at x = 11 mm.
    const QRect crull = inkBox(page, mmRect(10.5, 60, 11.5, 61), [](QColor c) { return near(c, rgb(kGreen), 80); });
    ASSERT_FALSE(crull.isEmpty());
    EXPECT_NEAR(crull.center().x() / kPxPerMm, 11, 0.15);
    // 12 pt on paper.
    const QRect text = inkBox(page, mmRect(11.5, 5.5, 60, 20), isBlackInk);
    EXPECT_NEAR(text.height() / kPxPerMm, 12 * 25.4 / 72 * capHeightPerEm(), 0.15);
}

} // namespace
