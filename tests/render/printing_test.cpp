#include "render/printing.h"

#include "numbered_language.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "pdf_pages.h"
#include "render/counter_text.h"
#include "render_test_support.h"
#include "scripted_printer.h"
#include "shell/progress.h"

namespace {

// Every trace line sent while it is installed, in debug mode.
struct CapturedLog final : TraceLog {
    CapturedLog() { app::debugMode = true, setTraceLog(this); }
    ~CapturedLog() override { app::debugMode = false, setTraceLog(nullptr); }
    void append(const QString& line) override { lines << line; }
    QStringList lines;
};

class PrintingTest : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        ASSERT_TRUE(language.loaded());
        doc.Contents = QStringLiteral("Back copy %c");
        doc.FrontText2 = QStringLiteral("Front copy %c");
        doc.sfText = 1;
        hooks.refuseCounterStart = [this](Sheet s) { refused << (s == Sheet::Back ? "back" : "front"); };
        hooks.counterChanged = [this](Sheet s) { counterSeen << (s == Sheet::Back ? doc.CountFrom : doc.CountFrom2); };
    }
    void print(Sheet sheet, PrintDevice& printer)
    {
        sheet == Sheet::Back ? PrintBack(doc, printer, hooks) : PrintFront(doc, printer, hooks);
    }

    NumberedLanguage language;
    FakeDialogs dialogs;
    QTemporaryDir dir;
    const QString pdfPath = dir.filePath(QStringLiteral("job.pdf"));
    PrintHooks hooks;
    QStringList refused;
    QStringList counterSeen;
};

TEST_F(PrintingTest, EachCopyIsAPageOfItsOwnWithTheNextCounterAndNoPageAfterTheLast)
{
    // The front's question on portrait paper gets the answer.
    const struct Row { Sheet sheet; const char* start; int copies; bool portrait; MsgResult answer; double pageWidth; }
        rows[] = {
        {Sheet::Back, "8", 3, true, MsgResult::Ok, 210},
        {Sheet::Back, "2147483647", 2, true, MsgResult::Ok, 210},
        {Sheet::Front, "8", 1, true, MsgResult::Yes, 297},
        {Sheet::Front, "-1", 2, true, MsgResult::No, 210},
        {Sheet::Front, "8", 2, false, MsgResult::Ok, 297},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.start << " x " << row.copies);
        QFile::remove(pdfPath);
        dialogs.shown.clear();
        dialogs.answers = {row.answer};
        counterSeen.clear();
        doc.CountFrom = doc.CountFrom2 = QString::fromLatin1(row.start);
        doc.saved = true;
        ScriptedPrinter printer(pdfPath, row.portrait);
        printer.chosenCopies = row.copies;
        print(row.sheet, printer);

        ASSERT_EQ(pdf::pageCount(pdfPath), row.copies);
        EXPECT_EQ(printer.newPages, row.copies - 1);
        EXPECT_NEAR(pdf::pageSizeMm(pdfPath).width(), row.pageWidth, 0.5);
        QString counter = QString::fromLatin1(row.start);
        for (int page = 1; page <= row.copies; ++page, counter = nextCounterText(counter))
            EXPECT_TRUE(pdf::pageText(pdfPath, page).contains(QStringLiteral(" copy ") + counter)) << page;
        // Every step reached the editor, and so did the return to the start.
        EXPECT_EQ(counterSeen.size(), row.copies + 1);
        EXPECT_EQ(counterSeen.last(), QString::fromLatin1(row.start));
        EXPECT_EQ(row.sheet == Sheet::Back ? doc.CountFrom : doc.CountFrom2, QString::fromLatin1(row.start));
        EXPECT_TRUE(doc.saved);
        // Only the front on portrait paper asks, with Yes, No and Cancel.
        const bool asked = row.sheet == Sheet::Front && row.portrait;
        EXPECT_EQ(dialogs.texts(), asked ? QStringList{"Message 6"} : QStringList());
        EXPECT_TRUE(!asked || dialogs.shown[0].buttons == MsgButtons::YesNoCancel);
    }
}

TEST_F(PrintingTest, StopsBeforeAnyPageWithTheCounterStartUntouched)
{
    const QString halt = QStringLiteral("Message 4482\nOut of paper\n\nYou may need to restart Caseleaf to "
                                        "initialize another printer!");
    // The front asks on portrait paper, and the answer is Cancel; message: the last one shown.
    const struct Row { const char* what; Sheet sheet; const char* start; bool acceptDialog; SingleCopyResult singleCopy;
                       bool reachable, portrait; QString message, title; const char* refused, *trace; }
        rows[] = {
        {"cancelled dialog", Sheet::Back, "8", false, SingleCopyResult::Done, true, false, {}, {}, "", nullptr},
        {"letters after the digits", Sheet::Back, "8a", true, SingleCopyResult::Done, true, false, "Message 5",
         "Message 32", "back", nullptr},
        {"empty start", Sheet::Front, "", true, SingleCopyResult::Done, true, false, "Message 5", "Message 32", "front",
         nullptr},
        {"portrait question cancelled", Sheet::Front, "8", true, SingleCopyResult::Done, true, true, "Message 6",
         "Message 7", "", nullptr},
        {"copies cancelled", Sheet::Back, "8", true, SingleCopyResult::Cancelled, true, false, {}, {}, "",
         "Printing was canceled"},
        {"printer error", Sheet::Back, "8", true, SingleCopyResult::Failed, true, false, halt,
         "Device : Desk printer Message 14", "", "************ HALT *************"},
        {"printer error, front", Sheet::Front, "8", true, SingleCopyResult::Failed, true, false, halt,
         "Device : Desk printerMessage 14", "", nullptr},
        {"printer that cannot be opened", Sheet::Back, "8", true, SingleCopyResult::Done, false, false,
         "Message 4482\nThe printer \"Desk printer\" could not be opened for printing.",
         "Device : Desk printer Message 14", "", nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        CapturedLog log;
        dialogs.shown.clear();
        dialogs.answers = {MsgResult::Cancel};
        refused.clear();
        counterSeen.clear();
        doc.Counter = doc.Counter2 = 0; // the start must be a number even with the counter off
        doc.CountFrom = doc.CountFrom2 = QString::fromLatin1(row.start);
        ScriptedPrinter printer(row.reachable ? pdfPath : dir.filePath(QStringLiteral("no/such/job.pdf")), row.portrait);
        printer.acceptDialog = row.acceptDialog;
        printer.singleCopy = row.singleCopy;
        print(row.sheet, printer);
        EXPECT_FALSE(QFile::exists(pdfPath));
        EXPECT_EQ(dialogs.shown.empty() ? QString() : dialogs.shown.back().text, row.message);
        EXPECT_EQ(dialogs.shown.empty() ? QString() : dialogs.shown.back().title, row.title);
        EXPECT_EQ(refused.join(QString()), QString::fromLatin1(row.refused));
        EXPECT_TRUE(!row.trace || log.lines.contains(QString::fromLatin1(row.trace)));
        EXPECT_TRUE(counterSeen.isEmpty());
        EXPECT_EQ(row.sheet == Sheet::Back ? doc.CountFrom : doc.CountFrom2, QString::fromLatin1(row.start));
    }
}

// A driver without a copy count of its own is passed over; the front traces only the reset.
TEST_F(PrintingTest, TheTraceFollowsEachStepInDebugMode)
{
    CapturedLog log;
    ScriptedPrinter back(pdfPath, true);
    back.chosenCopies = 2;
    back.singleCopy = SingleCopyResult::NotSupported;
    print(Sheet::Back, back);
    EXPECT_EQ(pdf::pageCount(pdfPath), 2);
    // The printing steps among the renderer's, in order.
    const QRegularExpression step(QStringLiteral("^(Reset|Get Dlg|Set Printer|Skipping|Print CurFile|Printer )"));
    EXPECT_EQ(log.lines.filter(step), (QStringList{"Reset printer object", "Reset printer object", "Get Dlg copies",
                                                   "Set Printer copies", "Skipping \"Set Printer Copies\" and continues..",
                                                   "Print CurFile", "Printer Newpage", "Print CurFile",
                                                   "Printer Newpage", "Printer EndDoc"}));
    log.lines.clear();
    ScriptedPrinter front(pdfPath, false);
    front.chosenCopies = 2;
    print(Sheet::Front, front);
    EXPECT_EQ(log.lines, QStringList{QStringLiteral("Reset printer object")});
}

TEST_F(PrintingTest, ThePrintCommandPrintsTheActiveTabsSheetOnlyWhenPrintable)
{
    // Back tab active, back printable, front printable, and what prints.
    const std::tuple<bool, bool, bool, const char*> rows[] = {
        {true, true, false, "Back copy"}, {true, false, true, nullptr}, {false, true, true, "Front copy"},
        {false, true, false, nullptr}};
    for (const auto& [backTab, backPrintable, frontPrintable, printed] : rows) {
        QFile::remove(pdfPath);
        ScriptedPrinter printer(pdfPath, false);
        PrintCommand(doc, printer, hooks, backTab, backPrintable, frontPrintable);
        EXPECT_TRUE(printed ? pdf::pageText(pdfPath, 1).contains(QString::fromLatin1(printed)) : !QFile::exists(pdfPath));
    }
}

} // namespace
