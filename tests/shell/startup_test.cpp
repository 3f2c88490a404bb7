#include "shell/startup.h"

#include "document/cover_archive.h"
#include "editor/editor_window.h"
#include "fake_dialogs.h"
#include "platform/printers.h"
#include "program_home.h"
#include "platform/settings_store.h"
#include "shell/about_text.h"
#include "shell/app_state.h"
#include "shell/log_window.h"
#include "shell/main_frame.h"
#include "shell/progress.h"
#include "shell/progress_window.h"
#include "shell/user_settings.h"
#include "toolbox/crypter.h"

#include "gtest_qt.h"

namespace {

// A program folder with the installed language files and a sound about text, and a
// per-user profile that has seen the first-use notice.
struct ProgramFolder : ProgramHome {
    QTemporaryDir config;
    FakeDialogs dialogs;
    ListedPrinters printers{{"Office laser"}, {"Arial", "Courier New", "Verdana"}};

    ProgramFolder() : ProgramHome({"language/english.ini", "language/german.ini"})
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        write("help/abouttext.txt", encipherAboutText("|Credits|Thanks"));
        writeSetting("NotFirstUse", "False");
        app::debugMode = app::editorReady = app::viewEnabled = false;
        installProgressWindows();
    }
    ~ProgramFolder()
    {
        UnloadProgressWindow();
        setProgressWindowHost(nullptr);
    }
};

class Startup : public ::testing::Test, protected ProgramFolder {
protected:
    // Runs the start-up until the editor is ready.
    void start(MainFrame& frame)
    {
        frame.load();
        ASSERT_TRUE(QTest::qWaitFor([] { return app::editorReady; }, 2000));
        ASSERT_NE(frame.editor(), nullptr);
    }
    static QAction* action(EditorWindow* editor, const char* name) { return editor->findChild<QAction*>(name); }

    // A cover archive in the program folder holding the spine label text.
    QString saveCover(const QString& label)
    {
        QDir().mkpath(app::workingFolder());
        CoverDocument doc;
        doc.Text = label;
        CoverFileContext ctx(doc);
        const QString file = path(label + ".vrz");
        return SaveAsFile(ctx, file) ? file : QString();
    }
};

template <typename W>
W* shownWindow(const char* name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return qobject_cast<W*>(w);
    return nullptr;
}

TEST(DebugSwitch, FoundInAnyLetterCaseAnywhereOnTheCommandLine)
{
    EXPECT_TRUE(hasDebugSwitch({"/debug"}));
    EXPECT_TRUE(hasDebugSwitch({"cover.vrz", "/DEBUG"}));
    EXPECT_TRUE(hasDebugSwitch({"x/DeBuGy"}));
    EXPECT_FALSE(hasDebugSwitch({}));
    EXPECT_FALSE(hasDebugSwitch({"debug", "-debug", "/debu", "g"}));
}

// Cancelled, the first-use notice quits and writes nothing; accepted, it is not shown again.
TEST_F(Startup, FirstUseNoticeIsShownUntilAccepted)
{
    QSettings(QSettings::UserScope, "Caseleaf", "VORN").clear();
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(RunFirstStage(printers));
    EXPECT_TRUE(QSettings(QSettings::UserScope, "Caseleaf", "VORN").allKeys().isEmpty());
    EXPECT_TRUE(RunFirstStage(printers));
    EXPECT_EQ(readSetting("NotFirstUse", "absent"), "False");
    EXPECT_TRUE(RunFirstStage(printers));
    ASSERT_EQ(dialogs.shown.size(), 2u) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::OkCancel);
}

// Each failed check shows its messages, the frame never shows and the program ends.
TEST(StartupFailure, ShowsItsMessagesAndQuits)
{
    const QString aboutError = "ERROR IN \"ABOUTTEXT.TXT\" PLEASE RE-INSTALL CASELEAF!";
    const struct {
        const char* what;
        std::function<void(ProgramFolder&)> breakIt;
        QStringList texts;
    } failures[] = {
        {"no printers", [](ProgramFolder& p) { p.printers = ListedPrinters({}, {"Arial"}); },
         {"This software needs minimum one priner installed. Please install a printer, and then start "
          "Caseleaf again."}},
        {"about text missing", [](ProgramFolder& p) { QFile::remove(p.path("help/abouttext.txt")); },
         {aboutError, "", ""}},
        // The two ends of the deciphered text follow the error.
        {"about text without markers",
         [](ProgramFolder& p) { p.write("help/abouttext.txt", Encrypt("ABcreditsYZ", kAboutTextKey).toLatin1()); },
         {aboutError, "AB", "YZ"}},
        {"no language",
         [](ProgramFolder& p) {
             settings::setLanguage("klingon");
             QFile::remove(p.path("language/english.ini"));
         },
         {"Unable to load languagefile \"klingon\" loading default !",
          "ERROR! Unable to load default languagefile, quitting !"}},
    };
    for (const auto& failure : failures) {
        ProgramFolder program;
        failure.breakIt(program);
        MainFrame frame(program.printers);
        QSignalSpy ended(&frame, &MainFrame::ended);
        frame.load();
        EXPECT_EQ(program.dialogs.texts(), failure.texts) << failure.what;
        EXPECT_FALSE(progressWindowOpen()) << failure.what;
        EXPECT_TRUE(ended.wait(1000)) << failure.what;
        EXPECT_FALSE(frame.isVisible()) << failure.what;
        EXPECT_EQ(frame.editor(), nullptr) << failure.what;
    }
}

TEST_F(Startup, LoadingModeShowsOneWordAndNoVersion)
{
    ShowProgressWindow(ProgressMode::Loading);
    auto* window = shownWindow<ProgressWindow>("ProgressWindow");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->findChild<QLabel*>("Picture")->text(), "Loading...");
    EXPECT_EQ(window->findChild<QLabel*>("Status")->text(), "Please wait...");
    EXPECT_FALSE(window->findChild<QLabel*>("Version")->isVisible());
}

TEST_F(Startup, TraceLinesOpenTheLogOnlyInDebugMode)
{
    ShowInLog("quiet");
    EXPECT_EQ(shownWindow<LogWindow>("LogWindow"), nullptr);
    EXPECT_FALSE(logWindowOpen());

    app::debugMode = true;
    ShowInLog("Printer: Office laser");
    ShowInLog("NewPage");
    auto* log = shownWindow<LogWindow>("LogWindow");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->text(), "Printer: Office laser\nNewPage\n");
    log->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Exit closes the editor first: a cancelled question about unsaved changes keeps the
// program open with nothing written; giving the changes up writes the settings and ends.
TEST_F(Startup, ExitAsksAboutUnsavedChangesThenWritesTheSettingsAndEnds)
{
    MainFrame frame(printers);
    start(frame);
    EditorWindow* editor = frame.editor();
    action(editor, "mShowResent")->setChecked(false);
    editor->setLastPath("/covers/");
    editor->setLastPicturePath("/pictures/");
    action(editor, "mLang1")->trigger();
    editor->document().saved = false;
    QSignalSpy ended(&frame, &MainFrame::ended);
    dialogs.answers = {MsgResult::Cancel, MsgResult::No};
    action(editor, "mExit")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_TRUE(frame.isVisible() && app::editorReady);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(readSetting("Language", "absent"), "absent");

    action(editor, "mExit")->trigger();
    EXPECT_TRUE(ended.count() == 1 || ended.wait(1000));
    EXPECT_EQ(QStringList({readSetting("showres", ""), readSetting("LastPath", ""), readSetting("LastPicturePath", ""),
                           readSetting("Language", "")}),
              QStringList({"False", "/covers/", "/pictures/", "German"}));
    EXPECT_FALSE(app::editorReady);
}

TEST_F(Startup, ExecuteRequestOpensOnceTheEditorIsReadyOrAtOnce)
{
    const QString early = saveCover("Early");
    ASSERT_FALSE(early.isEmpty());
    MainFrame frame(printers);
    frame.execute(early);
    EXPECT_EQ(frame.editor(), nullptr);
    start(frame);
    EXPECT_EQ(frame.editor()->document().Text, "Early");
    EXPECT_EQ(frame.editor()->document().currentFile, early);

    frame.execute(saveCover("Later"));
    EXPECT_EQ(frame.editor()->document().Text, "Later");
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();
}

TEST_F(Startup, ClosedBeforeTheSecondStageNeverLoadsTheEditor)
{
    MainFrame frame(printers);
    frame.load();
    EXPECT_TRUE(frame.close());
    QTest::qWait(250);
    EXPECT_EQ(frame.editor(), nullptr);
    EXPECT_FALSE(app::editorReady);
}

TEST_F(Startup, DraggedCoverIsTakenAsACopyOtherFilesAreRefused)
{
    MainFrame frame(printers);
    for (const auto& [file, taken] : {std::pair{"/covers/Band.VRZ", true}, std::pair{"/covers/notes.txt", false}}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        // Shift proposes a move, which would let a file manager delete the cover.
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::ShiftModifier);
        ASSERT_EQ(enter.proposedAction(), Qt::MoveAction);
        QCoreApplication::sendEvent(&frame, &enter);
        EXPECT_EQ(enter.isAccepted(), taken) << file;
        EXPECT_EQ(enter.dropAction(), taken ? Qt::CopyAction : Qt::MoveAction) << file;
    }
}

} // namespace
