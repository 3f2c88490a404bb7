#include "render/calibration_dialog.h"
#include "render/print_preview.h"

#include "gtest_qt.h"
#include "platform/qt_printer.h"
#include "render_test_support.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>

namespace {

class PreviewTest : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        doc.Contents = QStringLiteral("Copy %c");
        doc.CountFrom = doc.CountFrom2 = QStringLiteral("8");
        doc.saved = true;
    }
    QtPrinter printer;
};

TEST_F(PreviewTest, ShowsOnePagePerCopyAndLeavesTheCoverAsItWas)
{
    PrintPreviewWindow window(doc, Sheet::Back, printer);
    EXPECT_EQ(window.pageCount(), 1);
    window.findChild<QSpinBox*>(QStringLiteral("previewCopies"))->setValue(4);
    EXPECT_EQ(window.pageCount(), 4);
    EXPECT_EQ(doc.CountFrom, QStringLiteral("8"));
    EXPECT_TRUE(doc.saved);
}

TEST_F(PreviewTest, TheFrontGoesAcrossThePaperUntilADialogSaysOtherwise)
{
    PrintPreviewWindow front(doc, Sheet::Front, printer);
    EXPECT_FALSE(printer.isPortrait());
    EXPECT_EQ(front.findChild<QComboBox*>(QStringLiteral("previewOrientation"))->currentIndex(), 1);
    front.findChild<QComboBox*>(QStringLiteral("previewOrientation"))->setCurrentIndex(0);
    EXPECT_TRUE(printer.isPortrait());
}

TEST_F(PreviewTest, PrintHandsTheCopiesToThePrintDialog)
{
    PrintPreviewWindow window(doc, Sheet::Back, printer);
    QSignalSpy print(&window, &PrintPreviewWindow::printRequested);
    window.findChild<QSpinBox*>(QStringLiteral("previewCopies"))->setValue(3);
    window.findChild<QPushButton*>(QStringLiteral("previewPrint"))->click();
    EXPECT_EQ(print.count(), 1);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(printer.copies(), 3);
}

TEST_F(PreviewTest, ItsFieldsAreNamedByTheirLabels)
{
    PrintPreviewWindow window(doc, Sheet::Back, printer);
    for (const char* name : {"previewCopies", "previewOrientation"}) {
        QWidget* control = window.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_TRUE(control);
        bool labelled = false;
        for (QLabel* label : window.findChildren<QLabel*>())
            labelled |= label->buddy() == control;
        EXPECT_TRUE(labelled) << name;
    }
}

// The dialog on two printers, the sheets it printed recorded.
class CalibrationDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saveCalibration(QStringLiteral("Laser"), PrinterCalibration());
        saveCalibration(QStringLiteral("Inkjet"), calibrationFromMeasurements(21.5, 19, 100.5, 99.5));
    }
    template <typename T> T* child(const char* name) { return dialog.findChild<T*>(QString::fromLatin1(name)); }
    void enter(double x, double y, double w, double h)
    {
        child<QDoubleSpinBox>("calibrationCrossX")->setValue(x);
        child<QDoubleSpinBox>("calibrationCrossY")->setValue(y);
        child<QDoubleSpinBox>("calibrationSquareWidth")->setValue(w);
        child<QDoubleSpinBox>("calibrationSquareHeight")->setValue(h);
    }

    QStringList printed;
    bool printerWorks = true;
    CalibrationDialog dialog{{QStringLiteral("Laser"), QStringLiteral("Inkjet")}, [this](const QString& printer) {
                                 printed << printer;
                                 return printerWorks;
                             }};
};

TEST_F(CalibrationDialogTest, ShowsWhatWasEnteredForEachPrinter)
{
    EXPECT_EQ(child<QDoubleSpinBox>("calibrationCrossX")->value(), 20);
    child<QComboBox>("calibrationPrinter")->setCurrentIndex(1);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("calibrationCrossX")->value(), 21.5);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("calibrationCrossY")->value(), 19);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("calibrationSquareWidth")->value(), 100.5);
    EXPECT_DOUBLE_EQ(child<QDoubleSpinBox>("calibrationSquareHeight")->value(), 99.5);
    EXPECT_TRUE(child<QLabel>("calibrationCorrection")->text().contains(QStringLiteral("moved by -1.39 mm across")));
}

TEST_F(CalibrationDialogTest, SaveStoresTheEnteredCorrectionForTheChosenPrinterOnly)
{
    // The laser prints 1.5 mm too far right.
    enter(21.5, 20, 100, 100);
    child<QPushButton>("calibrationSave")->click();
    EXPECT_EQ(loadCalibration(QStringLiteral("Laser")), calibrationFromMeasurements(21.5, 20, 100, 100));
    EXPECT_EQ(loadCalibration(QStringLiteral("Inkjet")), calibrationFromMeasurements(21.5, 19, 100.5, 99.5));
    // Reset and save: the laser needs no correction any more.
    child<QPushButton>("calibrationReset")->click();
    child<QPushButton>("calibrationSave")->click();
    EXPECT_TRUE(loadCalibration(QStringLiteral("Laser")).isNone());
}

TEST_F(CalibrationDialogTest, PrintsTheSheetOnTheChosenPrinterAndSaysWhenItCannot)
{
    child<QComboBox>("calibrationPrinter")->setCurrentIndex(1);
    child<QPushButton>("calibrationPrintSheet")->click();
    printerWorks = false;
    child<QPushButton>("calibrationPrintSheet")->click();
    EXPECT_EQ(printed, (QStringList{"Inkjet", "Inkjet"}));
    EXPECT_TRUE(child<QLabel>("calibrationCorrection")->text().contains(QStringLiteral("could not be printed")));
}

TEST(CalibrationDialogWithoutPrinters, OffersNothingToCalibrate)
{
    CalibrationDialog dialog({}, [](const QString&) { return true; });
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("calibrationPrintSheet"))->isEnabled());
    EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("calibrationSave"))->isEnabled());
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("calibrationCorrection"))->text(),
              QStringLiteral("No printer is installed."));
}

} // namespace
