#include "about/about_box.h"
#include "about/text_scroller.h"
#include "capture/capture_window.h"
#include "contents/contents_dialog.h"
#include "render/calibration_dialog.h"
#include "render/pdf_pages.h"
#include "render/print_preview.h"
#include "render/scripted_printer.h"
#include "shell/preset_dialog.h"
#include "shell/startup.h"
#include "shell/user_settings.h"

#include <optional>

#include "editor_fixture.h"

namespace {

// Stands for the desktop's browser.
class Browser : public QObject {
    Q_OBJECT
public:
    Browser() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~Browser() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

using Commands = EditorTest;

TEST_F(Commands, NewAsksFirstThenClearsTheTextsAndPicturesAndKeepsTheSettings)
{
    control<QLineEdit>("Text")->setText("Label");
    control<QComboBox>("Fontsize")->setCurrentText("72");
    doc().Contents = "Tracks";
    doc().FrontText2 = "Front";
    doc().BackPicture = {picture("back.png"), QImage(4, 4, QImage::Format_RGB32)};
    doc().currentFile = path("cover.vrz");
    editor->documentReplaced();
    const auto texts = [this] {
        return QStringList({doc().Text, doc().Contents, doc().FrontText2, doc().currentFile,
                            control<QLineEdit>("Text")->text(), box("ContentsBox")->text()});
    };
    dialogs.answers = {MsgResult::Cancel};
    action("mNew")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(texts(), QStringList({"Label", "Tracks", "Front", path("cover.vrz"), "Label", "Tracks"}));
    EXPECT_FALSE(doc().BackPicture.image.isNull());

    dialogs.answers = {MsgResult::No};
    action("mNew")->trigger();
    EXPECT_EQ(texts(), QStringList(6, ""));
    EXPECT_TRUE(doc().BackPicture.image.isNull());
    EXPECT_EQ(doc().BackPicture.ref, "none");
    EXPECT_EQ(control<QComboBox>("Fontsize")->currentText(), "72");
    EXPECT_FALSE(action("mUndo")->isEnabled()); // a fresh history
    EXPECT_TRUE(doc().saved);
    EXPECT_EQ(editor->windowTitle(), "Caseleaf cover[*]");
    EXPECT_FALSE(editor->isWindowModified());
}

TEST_F(Commands, ThePopUpMenusInsertEditAndClearTextsAndInsertExportAndClearPictures)
{
    const QString jpeg = picture("photo.jpg");
    QDir().mkpath(path("export"));
    for (const EditedText& m : kEditedTexts) {
        const QAction* exportEntry = popupEntry(m.popup, "mExportPicture");
        dialogs.files = {written("tracks.txt", "01 One\r\n02 Two\r\n")};
        scribbleOnPreviews();
        popupEntry(m.popup, "mTextInsert")->trigger();
        EXPECT_EQ(doc().*m.text, "01 One\r\n02 Two") << m.popup;
        EXPECT_EQ(box(m.box)->text(), doc().*m.text) << m.popup;
        EXPECT_EQ(redrawn(), m.back ? "back" : "front") << m.popup;

        popupEntry(m.popup, "mTextEdit")->trigger();
        EXPECT_FALSE(box(m.box)->isHidden()) << m.popup;
        popupEntry(m.popup, "mTextEdit")->trigger();
        EXPECT_TRUE(box(m.box)->isHidden()) << m.popup;

        scribbleOnPreviews();
        popupEntry(m.popup, "mTextClear")->trigger();
        EXPECT_EQ(doc().*m.text + box(m.box)->text(), "") << m.popup;
        EXPECT_EQ(redrawn(), m.back ? "back" : "front") << m.popup;

        dialogs.files = {jpeg};
        popupEntry(m.popup, "mPictureInsert")->trigger();
        emit control<QMenu>(m.popup)->aboutToShow();
        ASSERT_TRUE(exportEntry->isEnabled()) << m.popup;
        // Exported under another extension: the same bytes, nothing converted.
        const QString target = path(QStringLiteral("export/%1.bmp").arg(m.popup));
        dialogs.files = {target};
        popupEntry(m.popup, "mExportPicture")->trigger();
        EXPECT_EQ(fixtures::readFile(target), fixtures::readFile(jpeg)) << m.popup;
        EXPECT_EQ(editor->lastPicturePath(), path("export/")) << m.popup;
        // The export dialog opened in the folder of the last picture inserted.
        EXPECT_EQ(dialogs.fileRequests.back().folder, home.path() + "/");

        popupEntry(m.popup, "mPictureClear")->trigger();
        emit control<QMenu>(m.popup)->aboutToShow();
        EXPECT_FALSE(exportEntry->isEnabled()) << m.popup;
    }
    EXPECT_TRUE(doc().BackPicture.image.isNull() && doc().FrontPicture.image.isNull()
                && doc().FrontPicture1.image.isNull());
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();
}

TEST_F(Commands, HelpOpensThePageTheLanguageNamesInsideTheHelpFolderInTheBrowser)
{
    write("help/gbhelp.html", "");
    const QByteArray english = fixtures::readFile(path("language/english.ini"));
    const struct {
        QByteArray common;
        bool browser;
        int message; // else the page opens
    } cases[] = {{"V2=gbhelp.html", true, 0},
                 {"V2=", true, 0},
                 {"V2=../language/english.ini", true, 21},
                 {"V2=hilfe.html", true, 21},
                 {"V2=gbhelp.html", false, 20}}; // the offscreen platform starts none
    for (const auto& c : cases) {
        write("language/test.ini", QByteArray(english).replace("V2=gbhelp.html", c.common));
        QString name = "test";
        ASSERT_TRUE(LoadLanguage(name));
        std::optional<Browser> browser;
        if (c.browser)
            browser.emplace();
        dialogs.shown.clear();
        action("mHelp")->trigger();
        const QList<QUrl> opened = c.message ? QList<QUrl>() : QList{QUrl::fromLocalFile(path("help/gbhelp.html"))};
        EXPECT_EQ(browser ? browser->opened : QList<QUrl>(), opened) << c.common.data();
        EXPECT_EQ(dialogs.texts(), c.message ? QStringList{Lang(LangSection::Messages, c.message)} : QStringList())
            << c.common.data();
    }
    EXPECT_EQ(dialogs.shown.at(0).icon, MsgIcon::Critical);
}

TEST_F(Commands, PrintAndPreviewFollowTheSheetShowingAndItsEditMode)
{
    ScriptedPrinter printer(path("job.pdf"), false);
    installPrintDevice(&printer);
    const auto uninstall = qScopeGuard([] { installPrintDevice(nullptr); });
    // Opening the File menu names the print entry after the sheet showing.
    emit editor->fileMenu()->aboutToShow();
    EXPECT_EQ(action("mPrint")->text(), Lang(LangSection::Menu, 20));
    control<QTabWidget>("MainTabs")->setCurrentIndex(1);
    emit editor->fileMenu()->aboutToShow();
    EXPECT_EQ(action("mPrint")->text(), Lang(LangSection::Menu, 21));
    EXPECT_EQ(editor->currentSheet(), Sheet::Front);
    control<QTabWidget>("MainTabs")->setCurrentIndex(0);

    // While the contents are edited in place the back cannot be printed.
    control<QCheckBox>("EditContents")->setChecked(true);
    emit editor->fileMenu()->aboutToShow();
    EXPECT_FALSE(action("mPrint")->isEnabled() || action("mPrintPreview")->isEnabled());

    control<QCheckBox>("EditContents")->setChecked(false);
    emit editor->fileMenu()->aboutToShow();
    EXPECT_TRUE(action("mPrint")->isEnabled() && action("mPrintPreview")->isEnabled());
    doc().Contents = "Copy %c";
    control<QLineEdit>("CountFrom")->setText("8");
    printer.chosenCopies = 2;
    // The preview shows the copies last printed; its "Print..." prints them.
    int previewed = 0;
    EXPECT_TRUE(runModal<PrintPreviewWindow>(action("mPrintPreview"), [&](PrintPreviewWindow& preview) {
        previewed = preview.pageCount();
        preview.findChild<QPushButton*>("previewPrint")->click();
    }));
    EXPECT_EQ(previewed, 2);
    ASSERT_EQ(pdf::pageCount(path("job.pdf")), 2);
    EXPECT_TRUE(pdf::pageText(path("job.pdf"), 2).contains("Copy 9"));
    EXPECT_EQ(control<QLineEdit>("CountFrom")->text(), "8");
}

TEST_F(Commands, PrintingStepsTheCounterInTheFieldAndRefusesAStartThatIsNoNumber)
{
    const PrintHooks hooks = editor->printHooks();
    const struct {
        Sheet sheet;
        const char* box;
        const char* field;
        QString CoverDocument::*start;
        int CoverDocument::*counter;
    } sheets[] = {{Sheet::Back, "Counter", "CountFrom", &CoverDocument::CountFrom, &CoverDocument::Counter},
                  {Sheet::Front, "Counter2", "CountFrom2", &CoverDocument::CountFrom2, &CoverDocument::Counter2}};
    for (const auto& s : sheets) {
        auto* field = control<QLineEdit>(s.field);
        scribbleOnPreviews();
        doc().*s.start = "9";
        hooks.counterChanged(s.sheet);
        EXPECT_EQ(field->text(), "9");
        EXPECT_EQ(redrawn(), s.sheet == Sheet::Back ? "back" : "front");

        control<QCheckBox>(s.box)->setChecked(false);
        field->setText("8x");
        hooks.refuseCounterStart(s.sheet);
        EXPECT_EQ(doc().*s.counter, 1);
        EXPECT_TRUE(field->isEnabled());
        EXPECT_EQ(editor->focusWidget(), field);
        EXPECT_EQ(field->selectedText(), "8x");
        EXPECT_EQ(doc().*s.start, "8x"); // kept as typed
        EXPECT_EQ(editor->currentSheet(), s.sheet);
    }
}

TEST_F(Commands, ToolsAndSettingsOpenTheirWindows)
{
    QStringList offered;
    EXPECT_TRUE(runModal<CalibrationDialog>(action("mCalibration"), [&](CalibrationDialog& dialog) {
        auto* printers = dialog.findChild<QComboBox*>("calibrationPrinter");
        for (int i = 0; i < printers->count(); ++i)
            offered << printers->itemText(i);
    }));
    EXPECT_EQ(offered, QStringList{"Office laser"});
    EXPECT_TRUE(runModal<ContentsDialog>(action("mGetContents"), [](ContentsDialog& dialog) {
        EXPECT_EQ(dialog.currentFolder(), QDir::currentPath());
    }));
    EXPECT_TRUE(runModal<AboutBox>(action("mAbout"), [](AboutBox& box) {
        EXPECT_EQ(box.scroller()->Text(), app::title() + aboutText());
        EXPECT_TRUE(box.scroller()->IsScrolling());
    }));

    // The picker is not modal, and there is one of it however often it is asked for.
    action("mColorCapture")->trigger();
    action("mColorCapture")->trigger();
    QList<ColorCaptureWindow*> pickers;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* picker = qobject_cast<ColorCaptureWindow*>(w); picker && picker->isVisible())
            pickers << picker;
    }
    ASSERT_EQ(pickers.size(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    delete pickers.first();
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Commands, SavedAndOpenedCoversAreListedAndReopened)
{
    // The File menu's recent entries: number and full path.
    const auto recent = [this] {
        QStringList shown;
        for (QAction* entry : editor->fileMenu()->actions()) {
            if (entry->objectName().startsWith("mResent") && !entry->isSeparator())
                shown << entry->text().section(' ', 0, 0) + ' ' + entry->data().toString()
                             + (entry->isVisible() ? "" : " (hidden)");
        }
        return shown;
    };
    dialogs.files = {path("a.vrz"), path("b.vrz")};
    action("mSaveAs")->trigger();
    action("mSaveAs")->trigger();
    EXPECT_EQ(recent(), QStringList({"0 " + path("b.vrz"), "1 " + path("a.vrz")}));
    editor->fileMenu()->findChild<QAction*>("mResent1")->trigger(); // opens a.vrz
    EXPECT_EQ(doc().currentFile, path("a.vrz"));
    EXPECT_EQ(recent().first(), "0 " + path("a.vrz"));
    action("mShowResent")->trigger();
    EXPECT_EQ(recent(), QStringList({"0 " + path("a.vrz") + " (hidden)", "1 " + path("b.vrz") + " (hidden)"}));
    dialogs.answers = {MsgResult::Cancel};
    action("mClearResent")->trigger();
    action("mClearResent")->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList(2, Lang(LangSection::Menu, 28)));
    EXPECT_TRUE(recent().isEmpty());
}

TEST_F(Commands, NewCoversTakeThePresetAndTheDialogAppliesOne)
{
    write("presets/Rock.ini", "[LastCover]\r\nBackColor=255\r\n");
    write("presets/default.ini", "[LastCover]\r\nBackColor=65280\r\n");
    settings::setPreset("Rock");
    action("mNew")->trigger();
    EXPECT_EQ(doc().BackColor, 255);
    EXPECT_TRUE(doc().saved);
    // Start-up gives the first cover the preset too.
    EditorWindow second(printers);
    second.load();
    EXPECT_EQ(second.document().BackColor, 255);
    // The dialog opens on the current preset; "Use selected" applies another.
    EXPECT_TRUE(runModal<PresetDialog>(action("mPreset"), [](PresetDialog& dialog) {
        auto* list = dialog.findChild<QListWidget*>("PresetList");
        EXPECT_EQ(dialog.windowTitle() + list->currentItem()->text(), Lang(LangSection::Preset, 6) + "Rock");
        list->setCurrentRow(0); // "default"
        dialog.findChild<QPushButton*>("cmdApply")->click();
    }));
    EXPECT_EQ(doc().BackColor, 65280);
    EXPECT_EQ(settings::preset(), "default");
    // Closing it without a selection makes "default" the current preset.
    settings::setPreset("gone");
    EXPECT_TRUE(runModal<PresetDialog>(action("mPreset"), [](PresetDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QListWidget*>("PresetList")->currentItem(), nullptr);
        dialog.findChild<QPushButton*>("cmdClose")->click();
    }));
    EXPECT_EQ(settings::preset(), "default");
}

} // namespace

#include "commands_test.moc"
