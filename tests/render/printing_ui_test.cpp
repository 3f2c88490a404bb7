#include "render/calibration_dialog.h"
#include "render/drawing_surface.h"
#include "render/print_preview.h"

#include "gtest_qt.h"
#include "pdf_pages.h"
#include "render/back_renderer.h"
#include "render_test_support.h"

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
    const QRect cut = inkBox(page, mmRect(60, 4.5, 61, 5.5), isBlueInk);
    EXPECT_NEAR(cut.center().y() / kPxPerMm, 5, 0.15);
    EXPECT_NEAR(inkBox(page, mmRect(11.5, 5.5, 60, 20), isBlackInk).height() / kPxPerMm, capHeight12ptMm(), 0.15);
}

template <typename T> T* child(const QWidget& w, const char* name) { return w.findChild<T*>(QString::fromLatin1(name)); }

TEST_F(RendererTest, ThePreviewShowsAPagePerCopyOnThePrintersPaper)
{
    doc.CountFrom = QStringLiteral("8");
    doc.saved = true;
    const QPageLayout a4(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF());
    // The front goes across the paper, as printing asks to turn it.
    PrintPreviewWindow front(doc, Sheet::Front, a4, 0);
    EXPECT_EQ(child<QComboBox>(front, "previewOrientation")->currentIndex(), 1);
    EXPECT_EQ(front.pageCount(), 1);

    PrintPreviewWindow back(doc, Sheet::Back, a4, 3); // the copies last printed
    EXPECT_EQ(back.pageCount(), 3);
    child<QSpinBox>(back, "previewCopies")->setValue(4);
    EXPECT_EQ(back.pageCount(), 4);
    EXPECT_EQ(doc.CountFrom, QStringLiteral("8"));
    EXPECT_TRUE(doc.saved);
    for (QLabel* label : back.findChildren<QLabel*>())
        EXPECT_TRUE(label->buddy()) << label->text().toStdString(); // fields are named by their labels
}

TEST(CalibrationDialog, ShowsAndSavesTheCorrectionOfTheChosenPrinter)
{
    const PrinterCalibration inkjet = calibrationFromMeasurements(21.5, 19, 100.5, 99.5);
    saveCalibration(QStringLiteral("Laser"), PrinterCalibration());
    saveCalibration(QStringLiteral("Inkjet"), inkjet);
    QStringList printed;
    CalibrationDialog dialog({QStringLiteral("Laser"), QStringLiteral("Inkjet")}, [&](const QString& printer) {
        printed << printer;
        return false;
    });
    const auto field = [&](const char* name) { return child<QDoubleSpinBox>(dialog, name); };
    child<QComboBox>(dialog, "calibrationPrinter")->setCurrentIndex(1);
    EXPECT_EQ(QList<double>({field("calibrationCrossX")->value(), field("calibrationCrossY")->value(),
                             field("calibrationSquareWidth")->value(), field("calibrationSquareHeight")->value()}),
              QList<double>({21.5, 19, 100.5, 99.5}));
    child<QPushButton>(dialog, "calibrationPrintSheet")->click();
    EXPECT_EQ(printed, QStringList{"Inkjet"});
    EXPECT_TRUE(child<QLabel>(dialog, "calibrationCorrection")->text().contains(QStringLiteral("could not be printed")));
    // The laser prints 1.5 mm too far right; the inkjet keeps its own correction.
    child<QComboBox>(dialog, "calibrationPrinter")->setCurrentIndex(0);
    field("calibrationCrossX")->setValue(21.5);
    child<QPushButton>(dialog, "calibrationSave")->click();
    EXPECT_EQ(loadCalibration(QStringLiteral("Laser")), calibrationFromMeasurements(21.5, 20, 100, 100));
    EXPECT_EQ(loadCalibration(QStringLiteral("Inkjet")), inkjet);
}

} // namespace
