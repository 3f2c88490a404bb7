#include "editor/editor_menus.h"

#include "editor/text_box.h"
#include "shell/app_state.h"

#include <QAction>
#include <QCheckBox>
#include <QDesktopServices>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QUrl>

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

class Commands : public EditorTest {
protected:
    QAction* action(const char* name) const { return control<QAction>(name); }
    QAction* popupEntry(const char* popup, const char* entry) const
    {
        return control<QMenu>(popup)->findChild<QAction*>(entry);
    }
    // The pop-up menu as it is set up when it opens.
    void opening(const char* popup) const { emit control<QMenu>(popup)->aboutToShow(); }

    QString picture(const QString& name, const char* format)
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::blue);
        EXPECT_TRUE(image.save(path(name), format));
        return path(name);
    }
    QByteArray bytes(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeLanguage(const QString& name, const QByteArray& common)
    {
        QFile english(path("language/english.ini"));
        ASSERT_TRUE(english.open(QIODevice::ReadOnly));
        QByteArray text = english.readAll();
        text.replace("V2=gbhelp.html", common);
        QFile file(path("language/" + name + ".ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
};

TEST_F(Commands, NewAsksFirstAndCancellingKeepsTheCover)
{
    doc().Text = "Label";
    doc().Contents = "Tracks";
    doc().FrontText2 = "Front";
    doc().BackPicture = {picture("back.png", "PNG"), QImage(4, 4, QImage::Format_RGB32)};
    doc().currentFile = path("cover.vrz");
    doc().saved = false;
    dialogs.answers = {MsgResult::Cancel};
    action("mNew")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(QStringList({doc().Text, doc().Contents, doc().FrontText2, doc().currentFile}),
              QStringList({"Label", "Tracks", "Front", path("cover.vrz")}));
    EXPECT_FALSE(doc().BackPicture.image.isNull());

    dialogs.answers = {MsgResult::No};
    action("mNew")->trigger();
    EXPECT_EQ(QStringList({doc().Text, doc().Contents, doc().FrontText2, doc().currentFile}),
              QStringList({"", "", "", ""}));
    EXPECT_TRUE(doc().BackPicture.image.isNull());
    EXPECT_EQ(doc().BackPicture.ref, "none");
    EXPECT_TRUE(doc().saved);
    EXPECT_EQ(editor->windowTitle(), "Caseleaf cover[*]");
    EXPECT_FALSE(editor->isWindowModified());
}

TEST_F(Commands, TextCommandsOfThePopUpMenus)
{
    QFile text(path("tracks.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("01 One\r\n02 Two\r\n");
    text.close();
    const struct {
        const char* popup;
        QString CoverDocument::*text;
        const char* box;
        bool back;
    } menus[] = {{"BackPopup", &CoverDocument::Contents, "ContentsBox", true},
                 {"InnerPopup", &CoverDocument::FrontText1, "InnerTextBox", false},
                 {"OuterPopup", &CoverDocument::FrontText2, "OuterTextBox", false}};
    for (const auto& m : menus) {
        dialogs.files = {path("tracks.txt")};
        scribbleOnPreviews();
        popupEntry(m.popup, "mTextInsert")->trigger();
        EXPECT_EQ(doc().*m.text, "01 One\r\n02 Two") << m.popup;
        EXPECT_EQ(control<SheetTextBox>(m.box)->text(), doc().*m.text) << m.popup;
        EXPECT_EQ(redrawn(backPreview()), m.back) << m.popup;
        EXPECT_EQ(redrawn(frontPreview()), !m.back) << m.popup;

        popupEntry(m.popup, "mTextEdit")->trigger();
        EXPECT_FALSE(control<SheetTextBox>(m.box)->isHidden()) << m.popup;
        popupEntry(m.popup, "mTextEdit")->trigger();
        EXPECT_TRUE(control<SheetTextBox>(m.box)->isHidden()) << m.popup;

        scribbleOnPreviews();
        popupEntry(m.popup, "mTextClear")->trigger();
        EXPECT_EQ(doc().*m.text, "") << m.popup;
        EXPECT_EQ(control<SheetTextBox>(m.box)->text(), "") << m.popup;
        EXPECT_EQ(redrawn(backPreview()), m.back) << m.popup;
        EXPECT_EQ(redrawn(frontPreview()), !m.back) << m.popup;
    }
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();
}

TEST_F(Commands, PicturesAreInsertedExportedAndCleared)
{
    const QString jpeg = picture("photo.jpg", "JPG");
    QDir().mkpath(path("export"));
    for (const char* popup : {"BackPopup", "InnerPopup", "OuterPopup"}) {
        dialogs.files = {jpeg};
        popupEntry(popup, "mPictureInsert")->trigger();
        opening(popup);
        ASSERT_TRUE(popupEntry(popup, "mExportPicture")->isEnabled()) << popup;

        // Exported under another extension: the same bytes, nothing converted.
        const QString target = path(QStringLiteral("export/%1.bmp").arg(popup));
        dialogs.files = {target};
        popupEntry(popup, "mExportPicture")->trigger();
        EXPECT_EQ(bytes(target), bytes(jpeg)) << popup;
        EXPECT_EQ(editor->lastPicturePath(), path("export/")) << popup;

        popupEntry(popup, "mPictureClear")->trigger();
        opening(popup);
        EXPECT_FALSE(popupEntry(popup, "mExportPicture")->isEnabled()) << popup;
    }
    EXPECT_TRUE(doc().BackPicture.image.isNull() && doc().FrontPicture.image.isNull()
                && doc().FrontPicture1.image.isNull());
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();
    // The export dialog opened in the folder of the last picture inserted.
    EXPECT_EQ(dialogs.fileRequests.back().folder, home.path() + "/");
}

TEST_F(Commands, HelpOpensThePageTheLanguageNamesInsideTheHelpFolder)
{
    Browser browser;
    QFile page(path("help/gbhelp.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    action("mHelp")->trigger();
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], QUrl::fromLocalFile(path("help/gbhelp.html")));

    struct {
        const char* language;
        QByteArray common;
        bool opens; // else the missing-page message
    } cases[] = {{"empty", "V2=", true},
                 {"escape", "V2=../language/english.ini", false},
                 {"other", "V2=hilfe.html", false}};
    for (const auto& c : cases) {
        writeLanguage(c.language, c.common);
        QString name = c.language;
        ASSERT_TRUE(LoadLanguage(name));
        browser.opened.clear();
        dialogs.shown.clear();
        action("mHelp")->trigger();
        EXPECT_EQ(browser.opened.size(), c.opens ? 1 : 0) << c.language;
        if (c.opens) {
            EXPECT_EQ(browser.opened.value(0), QUrl::fromLocalFile(path("help/gbhelp.html"))) << c.language;
        } else {
            EXPECT_EQ(dialogs.texts(), QStringList{Lang(LangSection::Messages, 21)}) << c.language;
        }
    }
}

TEST_F(Commands, HelpWithoutABrowserSaysSo)
{
    QFile page(path("help/gbhelp.html"));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    // The offscreen platform starts no browser.
    action("mHelp")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, Lang(LangSection::Messages, 20));
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
}

TEST_F(Commands, MenuEntriesWorkOrWaitVisiblyForTheirWindows)
{
    QStringList enabled;
    QStringList disabled;
    for (QAction* entry : control<QMenuBar>("MenuBar")->findChildren<QAction*>()) {
        if (entry->isSeparator() || entry->menu() || entry->objectName().isEmpty())
            continue;
        EXPECT_TRUE(entry->isVisible()) << entry->objectName().toStdString();
        (entry->isEnabled() ? enabled : disabled) << entry->objectName();
    }
    enabled.sort();
    disabled.sort();
    EXPECT_EQ(enabled, QStringList({"mAbout", "mCalibration", "mClearResent", "mColorCapture", "mExit", "mExport",
                                    "mGetContents", "mHelp", "mImport", "mLang0", "mLang1", "mNew", "mOpen", "mPreset",
                                    "mPrint", "mPrintPreview", "mSave", "mSaveAs", "mShowResent", "mZoomActual",
                                    "mZoomFit", "mZoomIn", "mZoomOut"}));
    EXPECT_TRUE(disabled.isEmpty()) << disabled.join(' ').toStdString();

    // Opening the File menu names the print entry after the sheet showing.
    emit editor->fileMenu()->aboutToShow();
    EXPECT_EQ(action("mPrint")->text(), Lang(LangSection::Menu, 20));
    control<QTabWidget>("MainTabs")->setCurrentIndex(1);
    emit editor->fileMenu()->aboutToShow();
    EXPECT_EQ(action("mPrint")->text(), Lang(LangSection::Menu, 21));
    EXPECT_EQ(editor->currentSheet(), Sheet::Front);
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
        scribbleOnPreviews();
        doc().*s.start = "9";
        hooks.counterChanged(s.sheet);
        EXPECT_EQ(control<QLineEdit>(s.field)->text(), "9");
        EXPECT_EQ(redrawn(backPreview()), s.sheet == Sheet::Back);
        EXPECT_EQ(redrawn(frontPreview()), s.sheet == Sheet::Front);

        control<QCheckBox>(s.box)->setChecked(false);
        control<QLineEdit>(s.field)->setText("8x");
        hooks.refuseCounterStart(s.sheet);
        EXPECT_EQ(doc().*s.counter, 1);
        auto* field = control<QLineEdit>(s.field);
        EXPECT_TRUE(field->isEnabled());
        EXPECT_EQ(editor->focusWidget(), field);
        EXPECT_EQ(field->selectedText(), "8x");
        EXPECT_EQ(doc().*s.start, "8x"); // kept as typed
        EXPECT_EQ(editor->currentSheet(), s.sheet);
    }
}

} // namespace

#include "commands_test.moc"
