#include "render/printing.h"

#include "document/numbered_language.h"
#include "fake_dialogs.h"
#include "fake_print_device.h"
#include "gtest_qt.h"
#include "pdf_pages.h"
#include "render_test_support.h"
#include "shell/progress.h"

#include <QFile>

#include <memory>
#include <tuple>

namespace {

// Every trace line sent while it is installed, in debug mode.
class CapturedLog final : public TraceLog {
public:
    CapturedLog() : m_debugWas(app::debugMode)
    {
        app::debugMode = true;
        setTraceLog(this);
    }
    ~CapturedLog() override
    {
        setTraceLog(nullptr);
        app::debugMode = m_debugWas;
    }
    void append(const QString& line) override { lines << line; }
    QStringList lines;

private:
    bool m_debugWas;
};

class PrintingTest : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        ASSERT_TRUE(language.loaded());
        doc.Text = QStringLiteral("Label %c");
        doc.Contents = QStringLiteral("Back copy %c");
        doc.FrontText2 = QStringLiteral("Front copy %c");
        doc.sfText = 1;
        doc.CountFrom = doc.CountFrom2 = QStringLiteral("8");
        hooks.refuseCounterStart = [this](Sheet s) { refused.push_back(s); };
        hooks.counterChanged = [this](Sheet s) {
            counterSeen << (s == Sheet::Back ? doc.CountFrom : doc.CountFrom2);
        };
    }

    QString pdfPath() const { return dir.filePath(QStringLiteral("job.pdf")); }
    bool nothingPrinted() const { return !QFile::exists(pdfPath()); }

    NumberedLanguage language;
    FakeDialogs dialogs;
    QTemporaryDir dir;
    FakePrintDevice printer{dir.filePath(QStringLiteral("job.pdf"))};
    PrintHooks hooks;
    std::vector<Sheet> refused;
    QStringList counterSeen;
};

TEST_F(PrintingTest, ThreeNumberedCopiesAreThreePagesEightNineTenAndTheStartComesBack)
{
    printer.chosenCopies = 3;
    PrintBack(doc, printer, hooks);
    ASSERT_EQ(pdf::pageCount(pdfPath()), 3);
    for (int page = 1; page <= 3; ++page) {
        const QString number = QString::number(7 + page);
        EXPECT_TRUE(pdf::pageText(pdfPath(), page).contains(QStringLiteral("Back copy ") + number)) << page;
        EXPECT_TRUE(pdf::pageText(pdfPath(), page).contains(QStringLiteral("Label ") + number)) << page;
    }
    // Each step reached the editor, and so did the return to the start.
    EXPECT_EQ(counterSeen, (QStringList{"9", "10", "11", "8"}));
    EXPECT_EQ(doc.CountFrom, QStringLiteral("8"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PrintingTest, NoPageFollowsTheLastCopyOnEitherSheet)
{
    for (const int copies : {1, 2, 5}) {
        for (const Sheet sheet : {Sheet::Back, Sheet::Front}) {
            SCOPED_TRACE(testing::Message() << copies << " copies of the " << (sheet == Sheet::Back ? "back" : "front"));
            QFile::remove(pdfPath());
            FakePrintDevice device(pdfPath());
            device.chosenCopies = copies;
            device.setLandscape();
            sheet == Sheet::Back ? PrintBack(doc, device, hooks) : PrintFront(doc, device, hooks);
            EXPECT_EQ(device.writer.newPages, copies - 1);
            EXPECT_EQ(pdf::pageCount(pdfPath()), copies);
        }
    }
}

TEST_F(PrintingTest, WithTheCounterOffEveryCopyShowsTheSameStart)
{
    doc.Counter = 0;
    printer.chosenCopies = 2;
    PrintBack(doc, printer, hooks);
    ASSERT_EQ(pdf::pageCount(pdfPath()), 2);
    EXPECT_TRUE(pdf::pageText(pdfPath(), 2).contains(QStringLiteral("Back copy %c")));
    EXPECT_TRUE(counterSeen.isEmpty());
}

TEST_F(PrintingTest, AStartNearTheTopOfTheIntegerRangeKeepsCountingUpwards)
{
    doc.CountFrom = QStringLiteral("2147483647");
    printer.chosenCopies = 3;
    PrintBack(doc, printer, hooks);
    ASSERT_EQ(pdf::pageCount(pdfPath()), 3);
    EXPECT_TRUE(pdf::pageText(pdfPath(), 2).contains(QStringLiteral("Back copy 2147483648")));
    EXPECT_TRUE(pdf::pageText(pdfPath(), 3).contains(QStringLiteral("Back copy 2147483649")));
    EXPECT_EQ(doc.CountFrom, QStringLiteral("2147483647"));
}

TEST_F(PrintingTest, ACancelledDialogPrintsNothingAndSaysNothing)
{
    printer.acceptDialog = false;
    PrintBack(doc, printer, hooks);
    PrintFront(doc, printer, hooks);
    EXPECT_EQ(printer.dialogs, 2);
    EXPECT_TRUE(nothingPrinted());
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(doc.CountFrom, QStringLiteral("8"));
}

TEST_F(PrintingTest, ACounterStartThatIsNoNumberIsRefusedBeforeTheDialog)
{
    for (const Sheet sheet : {Sheet::Back, Sheet::Front}) {
        for (const char* start : {"8a", "", " ", "1.2.3", "eight"}) {
            SCOPED_TRACE(start);
            dialogs.shown.clear();
            refused.clear();
            // Refused even with the counter off: the field must hold a number.
            doc.Counter = doc.Counter2 = 0;
            (sheet == Sheet::Back ? doc.CountFrom : doc.CountFrom2) = QString::fromLatin1(start);
            sheet == Sheet::Back ? PrintBack(doc, printer, hooks) : PrintFront(doc, printer, hooks);
            ASSERT_EQ(dialogs.shown.size(), 1u);
            EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Message 5"));
            EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Message 32"));
            EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Exclamation);
            EXPECT_EQ(refused, std::vector<Sheet>{sheet});
        }
    }
    EXPECT_EQ(printer.dialogs, 0);
    EXPECT_TRUE(nothingPrinted());
}

TEST_F(PrintingTest, TheFrontOnPortraitPaperAsksAndFollowsTheAnswer)
{
    // The answer, then whether a page comes out and how wide it is (mm).
    const std::tuple<MsgResult, bool, double> cases[] = {
        {MsgResult::Yes, true, 297},
        {MsgResult::No, true, 210},
        {MsgResult::Cancel, false, 0},
    };
    for (const auto& [answer, printed, width] : cases) {
        SCOPED_TRACE(int(answer));
        QFile::remove(pdfPath());
        FakePrintDevice device(pdfPath());
        dialogs.shown.clear();
        dialogs.answers = {answer};
        counterSeen.clear();
        PrintFront(doc, device, hooks);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Message 6"));
        EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Message 7"));
        EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(QFile::exists(pdfPath()), printed);
        if (printed) {
            EXPECT_NEAR(pdf::pageSizeMm(pdfPath()).width(), width, 0.5);
            EXPECT_TRUE(pdf::pageText(pdfPath(), 1).contains(QStringLiteral("Front copy 8")));
        } else {
            EXPECT_TRUE(counterSeen.isEmpty());
        }
        EXPECT_EQ(doc.CountFrom2, QStringLiteral("8"));
    }
}

TEST_F(PrintingTest, TheFrontOnLandscapePaperAsksNothing)
{
    printer.setLandscape();
    PrintFront(doc, printer, hooks);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(pdf::pageCount(pdfPath()), 1);
}

TEST_F(PrintingTest, APrinterWithoutACopyCountStillPrintsEveryCopy)
{
    CapturedLog log;
    printer.singleCopy = SingleCopyResult::NotSupported;
    printer.chosenCopies = 2;
    PrintBack(doc, printer, hooks);
    EXPECT_EQ(pdf::pageCount(pdfPath()), 2);
    EXPECT_TRUE(log.lines.contains(QStringLiteral("Error \"Unable to set copies property, driver don't support it!\"")));
    EXPECT_TRUE(log.lines.contains(QStringLiteral("Skipping \"Set Printer Copies\" and continues..")));
}

TEST_F(PrintingTest, ACancelAtTheCopyCountStopsWithTheCounterRestored)
{
    CapturedLog log;
    printer.singleCopy = SingleCopyResult::Cancelled;
    PrintBack(doc, printer, hooks);
    PrintFront(doc, printer, hooks);
    EXPECT_TRUE(nothingPrinted());
    EXPECT_EQ(log.lines.count(QStringLiteral("Printing was canceled")), 1); // the back's only
    EXPECT_TRUE(dialogs.shown.size() == 1 && dialogs.shown[0].text == QStringLiteral("Message 6"));
    EXPECT_EQ(doc.CountFrom, QStringLiteral("8"));
}

TEST_F(PrintingTest, APrinterErrorShowsTheHaltMessageAndAbandonsTheJob)
{
    printer.singleCopy = SingleCopyResult::Failed;
    printer.setLandscape();
    const QString text = QStringLiteral("Message 4482\nOut of paper\n\nYou may need to restart Caseleaf to initialize "
                                        "another printer!");
    {
        CapturedLog log;
        PrintBack(doc, printer, hooks);
        EXPECT_TRUE(log.lines.contains(QStringLiteral("************ HALT *************")));
        EXPECT_TRUE(log.lines.contains(text + QStringLiteral(" Device : Desk printer Message 14")));
    }
    PrintFront(doc, printer, hooks);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].text, text);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Device : Desk printer Message 14"));
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.shown[1].title, QStringLiteral("Device : Desk printerMessage 14"));
    EXPECT_TRUE(nothingPrinted());
    // One abandoned leftover job per print, and one more for each failure.
    EXPECT_EQ(printer.aborts, 4);
}

TEST_F(PrintingTest, APrinterThatCannotBeOpenedIsReportedNotPassedOver)
{
    FakePrintDevice unreachable(dir.filePath(QStringLiteral("no/such/folder/job.pdf")));
    unreachable.chosenCopies = 3;
    PrintBack(doc, unreachable, hooks);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("\"Desk printer\" could not be opened")));
    EXPECT_TRUE(counterSeen.isEmpty());
    EXPECT_EQ(doc.CountFrom, QStringLiteral("8"));
}

TEST_F(PrintingTest, TheTraceFollowsEachStepInDebugMode)
{
    CapturedLog log;
    printer.chosenCopies = 2;
    PrintBack(doc, printer, hooks);
    EXPECT_EQ(log.lines.count(QStringLiteral("Reset printer object")), 2);
    EXPECT_EQ(log.lines.count(QStringLiteral("Printer Newpage")), 2); // after every copy
    EXPECT_EQ(log.lines.count(QStringLiteral("Print CurFile")), 2);   // the renderer's own steps
    EXPECT_LT(log.lines.indexOf(QStringLiteral("Get Dlg copies")), log.lines.indexOf(QStringLiteral("Set Printer copies")));
    EXPECT_EQ(log.lines.last(), QStringLiteral("Printer EndDoc"));

    log.lines.clear();
    QFile::remove(pdfPath());
    FakePrintDevice front(pdfPath());
    front.chosenCopies = 2;
    front.setLandscape();
    PrintFront(doc, front, hooks);
    EXPECT_EQ(log.lines, QStringList{QStringLiteral("Reset printer object")});
}

TEST_F(PrintingTest, PrintingLeavesASavedCoverSaved)
{
    doc.saved = true;
    printer.chosenCopies = 2;
    PrintBack(doc, printer, hooks);
    EXPECT_TRUE(doc.saved);
    doc.saved = false;
    PrintBack(doc, printer, hooks);
    EXPECT_FALSE(doc.saved);
}

TEST_F(PrintingTest, ThePrintCommandPrintsTheActiveTabsSheetOnlyWhenPrintable)
{
    // Back tab active, back printable, front printable: which sheet prints (0 none, 1 back, 2 front).
    const std::tuple<bool, bool, bool, int> cases[] = {
        {true, true, true, 1},  {true, false, true, 0}, {false, true, true, 2},
        {false, true, false, 0}, {true, true, false, 1},
    };
    for (const auto& [backTab, backPrintable, frontPrintable, sheet] : cases) {
        SCOPED_TRACE(testing::Message() << backTab << backPrintable << frontPrintable);
        QFile::remove(pdfPath());
        FakePrintDevice device(pdfPath());
        device.setLandscape();
        PrintCommand(doc, device, hooks, backTab, backPrintable, frontPrintable);
        EXPECT_EQ(device.dialogs, sheet ? 1 : 0);
        if (sheet) {
            EXPECT_TRUE(pdf::pageText(pdfPath(), 1).contains(sheet == 1 ? QStringLiteral("Back copy 8")
                                                                         : QStringLiteral("Front copy 8")));
        }
    }
}

TEST_F(PrintingTest, TheChosenPrintersCalibrationMovesEveryPage)
{
    doc.CutColor = kBlue;
    printer.chosenCopies = 2;
    // This printer puts everything 1.5 mm too far right.
    printer.correction.offsetX = 1.5;
    PrintBack(doc, printer, hooks);
    for (int page = 1; page <= 2; ++page) {
        const QImage image = pdf::pageImage(pdfPath(), page);
        const QRect cut = inkBox(image, mmRect(2, 60, 4.5, 61), [](QColor c) { return c.blue() > 200 && c.red() < 80; });
        EXPECT_NEAR(cut.center().x() / kPxPerMm, 3.5, 0.1) << page;
    }
}

} // namespace
