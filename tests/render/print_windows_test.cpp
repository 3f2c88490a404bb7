#include "render/calibration_dialog.h"
#include "render/print_preview.h"

#include "gtest_qt.h"
#include "render_test_support.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QPageLayout>
#include <QSpinBox>

namespace {

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
