#include "editor_fixture.h"
#include "render/calibration_dialog.h"
#include "render/pdf_pages.h"
#include "render/print_preview.h"
#include "render/scripted_printer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {

// The editor printing through a scripted printer into a PDF file.
class PrintCommands : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        installPrintDevice(&printer);
    }
    void TearDown() override
    {
        installPrintDevice(nullptr);
        EditorTest::TearDown();
    }
    QAction* action(const char* name) const
    {
        return control<QMenuBar>(QStringLiteral("MenuBar"))->findChild<QAction*>(QString::fromLatin1(name));
    }
    // Runs check on the modal window the next command opens.
    template <typename Window> void whenOpen(const std::function<void(Window&)>& check)
    {
        QTimer::singleShot(0, this->editor.get(), [check] {
            auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
            ASSERT_TRUE(window);
            check(*window);
        });
    }

    QString pdfPath = home.filePath(QStringLiteral("job.pdf"));
    ScriptedPrinter printer{pdfPath, false};
};

TEST_F(PrintCommands, PrintAndPreviewFollowTheSheetShowingAndItsEditMode)
{
    EXPECT_EQ(action("mPrintPreview")->text(), QStringLiteral("Print pre&view..."));
    EXPECT_EQ(action("mCalibration")->text(), QStringLiteral("&Printer calibration..."));
    // While the contents are edited in place the back cannot be printed.
    control<QCheckBox>(QStringLiteral("EditContents"))->setChecked(true);
    emit editor->fileMenu()->aboutToShow();
    EXPECT_FALSE(action("mPrint")->isEnabled() || action("mPrintPreview")->isEnabled());
    action("mPrint")->trigger();
    EXPECT_FALSE(QFile::exists(pdfPath));

    control<QCheckBox>(QStringLiteral("EditContents"))->setChecked(false);
    emit editor->fileMenu()->aboutToShow();
    EXPECT_TRUE(action("mPrint")->isEnabled() && action("mPrintPreview")->isEnabled());
    doc().Contents = QStringLiteral("Copy %c");
    control<QLineEdit>(QStringLiteral("CountFrom"))->setText(QStringLiteral("8"));
    printer.chosenCopies = 2;
    // The preview shows the copies last printed; its "Print..." prints them.
    int previewed = 0;
    whenOpen<PrintPreviewWindow>([&](PrintPreviewWindow& preview) {
        previewed = preview.pageCount();
        preview.findChild<QPushButton*>(QStringLiteral("previewPrint"))->click();
    });
    action("mPrintPreview")->trigger();
    EXPECT_EQ(previewed, 2);
    ASSERT_EQ(pdf::pageCount(pdfPath), 2);
    EXPECT_TRUE(pdf::pageText(pdfPath, 2).contains(QStringLiteral("Copy 9")));
    EXPECT_EQ(control<QLineEdit>(QStringLiteral("CountFrom"))->text(), QStringLiteral("8"));
}

TEST_F(PrintCommands, CalibrationOffersTheMachinesPrinters)
{
    QStringList offered;
    whenOpen<CalibrationDialog>([&](CalibrationDialog& dialog) {
        auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("calibrationPrinter"));
        for (int i = 0; i < printers->count(); ++i)
            offered << printers->itemText(i);
        dialog.reject();
    });
    action("mCalibration")->trigger();
    EXPECT_EQ(offered, QStringList{"Office laser"});
}

} // namespace
