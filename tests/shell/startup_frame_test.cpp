#include "shell/main_frame.h"

#include "document/cover_archive.h"
#include "editor/editor_window.h"
#include "platform/settings_store.h"
#include "shell/language.h"
#include "shell/progress_window.h"
#include "shell/user_settings.h"

#include <QAction>
#include <QFile>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "gtest_qt.h"
#include "startup_fixture.h"

namespace {

class Frame : public ProgramFolder {
protected:
    void SetUp() override
    {
        ProgramFolder::SetUp();
        installProgressWindows();
        settings::setNotFirstUse(false);
    }
    void TearDown() override
    {
        setProgressWindowHost(nullptr);
        ProgramFolder::TearDown();
    }

    // Runs the start-up until the editor is ready.
    void start(MainFrame& frame)
    {
        frame.load();
        ASSERT_TRUE(QTest::qWaitFor([] { return app::editorReady; }, 2000));
        ASSERT_NE(frame.editor(), nullptr);
    }

    // The first stage fails: the frame never shows, no editor is made, the program ends.
    void expectQuitWithoutEditor()
    {
        MainFrame frame(printers);
        QSignalSpy ended(&frame, &MainFrame::ended);
        frame.load();
        EXPECT_FALSE(frame.isVisible());
        EXPECT_FALSE(progressWindowOpen());
        EXPECT_TRUE(ended.wait(1000));
        EXPECT_EQ(frame.editor(), nullptr);
    }

    static QComboBox* list(EditorWindow* editor, const char* name) { return editor->findChild<QComboBox*>(name); }
    static QAction* action(EditorWindow* editor, const char* name) { return editor->findChild<QAction*>(name); }
};

TEST_F(Frame, FailedFirstStageEndsTheProgramFromUnloadTimer)
{
    const ListedPrinters none({}, {});
    MainFrame frame(none);
    QSignalSpy ended(&frame, &MainFrame::ended);
    frame.load();
    EXPECT_EQ(dialogs.shown.size(), 1u);
    auto* unloadTimer = frame.findChild<QTimer*>("UnloadTimer");
    EXPECT_TRUE(unloadTimer->isActive());
    EXPECT_EQ(unloadTimer->interval(), 50);
    EXPECT_TRUE(ended.wait(1000));
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(frame.editor(), nullptr);
}

TEST_F(Frame, CancelledFirstUseNoticeEndsTheProgram)
{
    settings::setNotFirstUse(true);
    dialogs.answers = {MsgResult::Cancel};
    expectQuitWithoutEditor();
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(Frame, MissingAboutTextEndsTheProgram)
{
    ASSERT_TRUE(QFile::remove(path("help/abouttext.txt")));
    expectQuitWithoutEditor();
    EXPECT_EQ(dialogs.shown.size(), 3u);
}

TEST_F(Frame, MissingLanguagesEndTheProgram)
{
    settings::setLanguage("klingon");
    ASSERT_TRUE(QFile::remove(path("language/english.ini")));
    expectQuitWithoutEditor();
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().text, "ERROR! Unable to load default languagefile, quitting !");
}

TEST_F(Frame, StartShowsTheFrameThenTheEditor)
{
    MainFrame frame(printers);
    frame.load();
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.windowTitle(), "Caseleaf v4.0 Rev. 11");
    EXPECT_TRUE(progressWindowOpen());
    EXPECT_EQ(frame.editor(), nullptr);
    EXPECT_EQ(frame.findChild<QTimer*>("Timer1")->interval(), 100);

    ASSERT_TRUE(QTest::qWaitFor([] { return app::editorReady; }, 2000));
    EXPECT_FALSE(progressWindowOpen());
    EXPECT_TRUE(app::viewEnabled);
    EXPECT_TRUE(frame.editor()->isVisible());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Frame, DebugModeMarksTheFrameTitle)
{
    app::debugMode = true;
    MainFrame frame(printers);
    frame.load();
    EXPECT_EQ(frame.windowTitle(), "Caseleaf v4.0 Rev. 11 - (DEBUGMODE!)");
    app::debugMode = false;
}

TEST_F(Frame, EditorHasBothCoverTabs)
{
    MainFrame frame(printers);
    start(frame);
    auto* tabs = frame.editor()->findChild<QTabWidget*>("MainTabs");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Back cover");
    EXPECT_EQ(tabs->tabText(1), "Front cover");
    EXPECT_NE(frame.editor()->backPreviewArea(), nullptr);
    EXPECT_NE(frame.editor()->frontPreviewArea(), nullptr);
}

TEST_F(Frame, FontListsHoldThePrinterFontsAndTheSizes)
{
    MainFrame frame(printers);
    start(frame);
    EditorWindow* editor = frame.editor();
    const QStringList sizes = {"6",  "7",  "8",  "9",  "10", "11", "12", "13", "14", "15", "16",
                               "17", "18", "19", "20", "22", "24", "26", "28", "36", "48", "72"};
    for (const char* name : {"Fontname", "Fontname2", "FrontFont", "FrontFont2"}) {
        QComboBox* fonts = list(editor, name);
        ASSERT_NE(fonts, nullptr) << name;
        EXPECT_EQ(fonts->count(), 3) << name;
        EXPECT_EQ(fonts->currentText(), "Verdana") << name;
    }
    for (const char* name : {"Fontsize", "Fontsize2", "FrontFontSize", "FrontFontSize2"}) {
        QComboBox* box = list(editor, name);
        ASSERT_NE(box, nullptr) << name;
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries << box->itemText(i);
        EXPECT_EQ(entries, sizes) << name;
    }
    EXPECT_EQ(list(editor, "Fontsize")->currentText(), "16");
    EXPECT_EQ(list(editor, "Fontsize2")->currentText(), "12");
    EXPECT_EQ(list(editor, "FrontFontSize")->currentText(), "12");
    EXPECT_EQ(list(editor, "FrontFontSize2")->currentText(), "12");
}

struct RecordedStatus final : ProgressView {
    QStringList lines;
    void setStatus(const QString& text) override { lines << text; }
};

TEST_F(Frame, EditorLoadReportsItsStepsOnTheStatusLine)
{
    setProgressWindowHost(nullptr);
    RecordedStatus status;
    setProgressView(&status);
    const ListedPrinters twoFonts({"Office laser"}, {"Arial", "Verdana"});
    EditorWindow editor(twoFonts);
    editor.load();
    setProgressView(nullptr);
    EXPECT_EQ(status.lines, (QStringList{"Enumerating printerfonts(0)...", "Enumerating printerfonts(1)...",
                                         "Enumerating fontsize...", "Enumerating printerfonts(2)...",
                                         "Enumerating printerfonts(3)...", "Enumerating printerfonts(4)...",
                                         "Loading profile..."}));
}

TEST_F(Frame, WithoutVerdanaTheFirstFontStaysSelected)
{
    const ListedPrinters noVerdana({"Office laser"}, {"DejaVu Sans", "Liberation Serif"});
    MainFrame frame(noVerdana);
    start(frame);
    EXPECT_EQ(list(frame.editor(), "Fontname")->currentText(), "DejaVu Sans");
    EXPECT_EQ(list(frame.editor(), "FrontFont2")->currentText(), "DejaVu Sans");
}

TEST_F(Frame, LanguageMenuListsTheFilesAndMarksTheCurrentOne)
{
    MainFrame frame(printers);
    start(frame);
    auto* menu = frame.editor()->findChild<QMenu*>("mLanguage");
    QStringList captions;
    QStringList marked;
    for (QAction* a : menu->actions()) {
        captions << a->text();
        if (a->isChecked())
            marked << a->text();
    }
    EXPECT_EQ(captions, (QStringList{"English", "German"}));
    EXPECT_EQ(marked, QStringList{"English"});
}

TEST_F(Frame, ChoosingALanguageAppliesItsCaptionsAndMovesTheMark)
{
    MainFrame frame(printers);
    start(frame);
    EditorWindow* editor = frame.editor();
    action(editor, "mLang1")->trigger();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(editor->fileMenu()->title(), Lang(LangSection::Menu, 1));
    EXPECT_EQ(editor->fileMenu()->title(), "Datei");
    EXPECT_EQ(editor->findChild<QTabWidget*>("MainTabs")->tabText(0), Lang(LangSection::BackCover, 1));
    EXPECT_FALSE(action(editor, "mLang0")->isChecked());
    EXPECT_TRUE(action(editor, "mLang1")->isChecked());
}

TEST_F(Frame, ChoosingADeletedLanguageFallsBackAndStillMarksTheEntry)
{
    MainFrame frame(printers);
    start(frame);
    ASSERT_TRUE(QFile::remove(path("language/german.ini")));
    action(frame.editor(), "mLang1")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains("loading default"));
    EXPECT_EQ(CurrentLanguage(), "english");
    EXPECT_TRUE(action(frame.editor(), "mLang1")->isChecked());
    EXPECT_FALSE(action(frame.editor(), "mLang0")->isChecked());
}

TEST_F(Frame, ChoosingALanguageWhenNoFileIsLeftChangesNothing)
{
    MainFrame frame(printers);
    start(frame);
    ASSERT_TRUE(QFile::remove(path("language/german.ini")));
    ASSERT_TRUE(QFile::remove(path("language/english.ini")));
    const QString title = frame.editor()->fileMenu()->title();
    action(frame.editor(), "mLang1")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].text, "ERROR! Unable to load languagefile !");
    EXPECT_TRUE(action(frame.editor(), "mLang0")->isChecked());
    EXPECT_FALSE(action(frame.editor(), "mLang1")->isChecked());
    EXPECT_EQ(frame.editor()->fileMenu()->title(), title);
}

TEST_F(Frame, ExitWritesTheSettingsAndEndsTheProgram)
{
    MainFrame frame(printers);
    start(frame);
    EditorWindow* editor = frame.editor();
    action(editor, "mShowResent")->trigger();
    editor->setLastPath("/covers/");
    editor->setLastPicturePath("/pictures/");
    action(editor, "mLang1")->trigger();
    QSignalSpy ended(&frame, &MainFrame::ended);
    action(editor, "mExit")->trigger();
    EXPECT_TRUE(ended.count() == 1 || ended.wait(1000));
    EXPECT_EQ(readSetting("showres", "absent"), "False");
    EXPECT_EQ(readSetting("LastPath", "absent"), "/covers/");
    EXPECT_EQ(readSetting("LastPicturePath", "absent"), "/pictures/");
    EXPECT_EQ(readSetting("Language", "absent"), "German");
    EXPECT_FALSE(app::editorReady);
}

TEST_F(Frame, MissingStoredLanguageIsReplacedByEnglishAtShutDown)
{
    settings::setLanguage("klingon");
    MainFrame frame(printers);
    start(frame);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains("\"klingon\""));
    action(frame.editor(), "mExit")->trigger();
    EXPECT_EQ(readSetting("Language", "absent"), "English");
}

TEST_F(Frame, WithoutAMarkedLanguageTheStoredOneStays)
{
    settings::setLanguage("english");
    MainFrame frame(printers);
    start(frame);
    ASSERT_TRUE(QFile::remove(path("language/english.ini")));
    frame.editor()->GetLanguages();
    for (QAction* a : frame.editor()->findChild<QMenu*>("mLanguage")->actions())
        EXPECT_FALSE(a->isChecked()) << a->text().toStdString();
    action(frame.editor(), "mExit")->trigger();
    EXPECT_EQ(readSetting("Language", "absent"), "english");
    EXPECT_EQ(readSetting("showres", "absent"), "True");
}

TEST_F(Frame, EscapeClosesLikeExit)
{
    MainFrame frame(printers);
    start(frame);
    QApplication::setActiveWindow(&frame);
    QSignalSpy ended(&frame, &MainFrame::ended);
    QTest::keyClick(frame.editor(), Qt::Key_Escape);
    EXPECT_TRUE(ended.count() == 1 || ended.wait(1000));
    EXPECT_EQ(readSetting("Language", "absent"), "English");
    EXPECT_EQ(readSetting("showres", "absent"), "True");
}

TEST_F(Frame, ClosingTheEditorWindowEndsTheProgram)
{
    MainFrame frame(printers);
    start(frame);
    QSignalSpy ended(&frame, &MainFrame::ended);
    frame.findChild<QMdiArea*>()->subWindowList().first()->close();
    EXPECT_TRUE(ended.count() == 1 || ended.wait(1000));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(readSetting("Language", "absent"), "English");
}

TEST_F(Frame, CancelledUnsavedQuestionKeepsTheProgramOpen)
{
    MainFrame frame(printers);
    start(frame);
    frame.editor()->document().saved = false;
    dialogs.answers = {MsgResult::Cancel};
    QSignalSpy ended(&frame, &MainFrame::ended);
    EXPECT_FALSE(frame.close());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(dialogs.shown[0].title, Lang(LangSection::Messages, 37));
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(app::editorReady);
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(readSetting("Language", "absent"), "absent");
    EXPECT_EQ(readSetting("showres", "absent"), "absent");

    // Giving up the changes closes.
    dialogs.answers = {MsgResult::No};
    EXPECT_TRUE(frame.close());
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(readSetting("Language", "absent"), "English");
}

TEST_F(Frame, NewStartsAnEmptySavedCover)
{
    MainFrame frame(printers);
    start(frame);
    CoverDocument& doc = frame.editor()->document();
    doc.Text = "Spine";
    doc.Contents = "1. Track";
    doc.currentFile = "/covers/a.vrz";
    doc.BackPicture.ref = "/pictures/a.bmp";
    doc.saved = true;
    action(frame.editor(), "mNew")->trigger();
    EXPECT_EQ(doc.Text, "");
    EXPECT_EQ(doc.Contents, "");
    EXPECT_EQ(doc.currentFile, "");
    EXPECT_EQ(doc.BackPicture.ref, "none");
    EXPECT_TRUE(doc.saved);
}

TEST_F(Frame, NewOnUnsavedChangesAsksAndCancelKeepsTheCover)
{
    MainFrame frame(printers);
    start(frame);
    CoverDocument& doc = frame.editor()->document();
    doc.Contents = "1. Track";
    doc.saved = false;
    dialogs.answers = {MsgResult::Cancel};
    action(frame.editor(), "mNew")->trigger();
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(doc.Contents, "1. Track");
    EXPECT_FALSE(doc.saved);
}

TEST_F(Frame, ShowResentMarkFollowsTheStoredSetting)
{
    settings::setShowres(false);
    MainFrame frame(printers);
    start(frame);
    EXPECT_FALSE(action(frame.editor(), "mShowResent")->isChecked());
}

// A cover archive holding the spine label text.
QString saveCover(const QString& folder, const QString& label)
{
    QDir().mkpath(app::workingFolder());
    CoverDocument doc;
    doc.Text = label;
    CoverFileContext ctx(doc);
    const QString file = folder + QStringLiteral("/") + label + QStringLiteral(".vrz");
    return SaveAsFile(ctx, file) ? file : QString();
}

TEST_F(Frame, RequestBeforeTheEditorIsReadyOpensAfterItsLoad)
{
    const QString cover = saveCover(home.path(), "Early");
    ASSERT_FALSE(cover.isEmpty());
    MainFrame frame(printers);
    frame.execute(cover);
    start(frame);
    EXPECT_EQ(frame.editor()->document().Text, "Early");
    EXPECT_EQ(frame.editor()->document().currentFile, cover);
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();
}

TEST_F(Frame, RequestWhileReadyOpensAtOnce)
{
    MainFrame frame(printers);
    start(frame);
    const QString cover = saveCover(home.path(), "Later");
    ASSERT_FALSE(cover.isEmpty());
    frame.execute(cover);
    EXPECT_EQ(frame.editor()->document().Text, "Later");
}

// A drag of a file list offered to the frame; true when the frame takes it as a copy.
bool offered(MainFrame& frame, const QString& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &enter);
    return enter.isAccepted() && enter.dropAction() == Qt::CopyAction;
}

TEST_F(Frame, OnlyCoverArchivesMayBeDropped)
{
    MainFrame frame(printers);
    EXPECT_TRUE(offered(frame, "/covers/a.vrz"));
    EXPECT_TRUE(offered(frame, "/covers/A.VRZ"));
    EXPECT_FALSE(offered(frame, "/covers/a.txt"));
    EXPECT_FALSE(offered(frame, "/covers/vrz"));
}

TEST_F(Frame, RightClickOnTheEmptyAreaOpensTheFileMenu)
{
    MainFrame frame(printers);
    start(frame);
    QWidget* viewport = frame.findChild<QMdiArea*>()->viewport();
    QTest::mouseClick(viewport, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_TRUE(frame.editor()->fileMenu()->isVisible());
    frame.editor()->fileMenu()->close();
}

} // namespace
