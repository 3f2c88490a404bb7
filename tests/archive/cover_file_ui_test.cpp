#include "archive/zip_fixtures.h"
#include "document/cover_archive.h"
#include "document/pictures.h"
#include "editor/editor_window.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "platform/cover_open_dialog.h"
#include "platform/dialogs.h"
#include "platform/printers.h"
#include "shell/app_state.h"
#include "shell/language.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

class CoverFileUi : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        qputenv("CASELEAF_HOME", QByteArray(CASELEAF_BUILD_DIR));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath(QStringLiteral("config")));
        QString language = QStringLiteral("english");
        ASSERT_TRUE(LoadLanguage(language));
        m_work = m_dir.filePath(QStringLiteral("work/"));
        QDir().mkpath(m_work);
        app::setWorkingFolder(m_work);
        app::viewEnabled = true;
    }
    void TearDown() override
    {
        app::setWorkingFolder(QString());
        app::editorReady = false;
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // A cover archive saved by the program, with its preview bitmap.
    QString savedCover(const QString& name, int backColor)
    {
        CoverDocument doc;
        doc.BackColor = backColor;
        doc.Text = name;
        CoverFileContext ctx(doc);
        EXPECT_TRUE(SaveAsFile(ctx, path(name)));
        return path(name);
    }

    static QImage shown(const CoverOpenDialog& dialog)
    {
        return dialog.previewPicture()->pixmap().toImage();
    }

    QTemporaryDir m_dir;
    QString m_work;
    FakeDialogs m_dialogs;
};

// ---- the open dialog's preview area

TEST_F(CoverFileUi, OpenDialogStartsWithPreviewNotAvailable)
{
    FileDialogRequest request;
    request.folder = m_dir.path();
    request.filter = coverFileFilter();
    CoverOpenDialog dialog(request);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    QLabel* picture = dialog.findChild<QLabel*>(QStringLiteral("PreviewPicture"));
    ASSERT_EQ(picture, dialog.previewPicture());
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("PreviewCaption"))->text(), QStringLiteral("Preview:"));
    const QImage blank = shown(dialog);
    EXPECT_EQ(blank.size(), QSize(kPreviewBoxWidth, kPreviewBoxHeight));
    // Some text is drawn in the middle, nothing at the edges.
    const QRgb background = blank.pixel(0, 0);
    bool middleDrawn = false;
    for (int x = 0; x < blank.width(); ++x)
        middleDrawn = middleDrawn || blank.pixel(x, blank.height() / 2) != background;
    EXPECT_TRUE(middleDrawn);
    EXPECT_EQ(blank.pixel(blank.width() - 1, blank.height() - 1), background);
}

TEST_F(CoverFileUi, SelectingACoverShowsItsPreviewBitmap)
{
    const QString blue = savedCover(QStringLiteral("blue.vrz"), 0xFF0000);
    FileDialogRequest request;
    CoverOpenDialog dialog(request);
    const QImage notAvailable = shown(dialog);

    dialog.showPreviewOf(blue);
    const QImage preview = shown(dialog);
    EXPECT_NE(preview, notAvailable);
    EXPECT_EQ(preview.pixelColor(105, 135), QColor(Qt::blue));
    EXPECT_EQ(QDir(m_work + "preview").entryList(QDir::Files), QStringList());

    // Other files leave the preview; an archive without a bitmap shows "not available".
    dialog.showPreviewOf(path("notes.txt"));
    EXPECT_EQ(shown(dialog), preview);
    ASSERT_TRUE(pythonZip(path("old.VRZ"), {{"vorn.ini", "[LastCover]\r\n"}}));
    dialog.showPreviewOf(path("old.VRZ"));
    EXPECT_EQ(shown(dialog), notAvailable);
}

// ---- the editor's file commands

class EditorFileCommands : public CoverFileUi {
protected:
    void SetUp() override
    {
        CoverFileUi::SetUp();
        m_editor = std::make_unique<EditorWindow>(m_printers);
        m_editor->load();
    }
    void TearDown() override
    {
        m_editor->document().saved = true;
        m_editor.reset();
        CoverFileUi::TearDown();
    }
    QAction* action(const QString& name, const QString& menu = QString())
    {
        QObject* parent = m_editor.get();
        if (!menu.isEmpty())
            parent = m_editor->findChild<QMenu*>(menu);
        return parent ? parent->findChild<QAction*>(name) : nullptr;
    }

    ListedPrinters m_printers{{QStringLiteral("PDF")}, {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")}};
    std::unique_ptr<EditorWindow> m_editor;
};

TEST_F(EditorFileCommands, SaveAsAndOpenFromTheWindow)
{
    m_editor->document().Text = QStringLiteral("From the window");
    m_editor->document().saved = false;
    m_dialogs.files = {path("covers/w")};
    QDir().mkpath(path("covers"));
    ASSERT_NE(action(QStringLiteral("mSaveAs")), nullptr);
    action(QStringLiteral("mSaveAs"))->trigger();
    EXPECT_TRUE(QFileInfo::exists(path("covers/w.vrz")));
    EXPECT_TRUE(m_editor->document().saved);
    EXPECT_EQ(m_editor->lastPath(), path("covers/"));

    m_editor->document().Text = QStringLiteral("changed");
    m_editor->document().saved = false;
    action(QStringLiteral("mSave"))->trigger();
    EXPECT_TRUE(m_editor->document().saved);
    EXPECT_EQ(m_dialogs.fileRequests.size(), 1u);

    m_editor->document().Text.clear();
    m_editor->OpenSub(path("covers/w.vrz"));
    EXPECT_EQ(m_editor->document().Text, QStringLiteral("changed"));
    EXPECT_EQ(m_editor->document().currentFile, path("covers/w.vrz"));
}

TEST_F(EditorFileCommands, PictureMenusFillTheirOwnSlots)
{
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(path("red.png")));
    m_dialogs.files = {path("red.png"), path("red.png")};
    action(QStringLiteral("mPictureInsert"), QStringLiteral("InnerPopup"))->trigger();
    EXPECT_EQ(m_editor->document().FrontPicture1.ref, m_work + "red.png");
    EXPECT_TRUE(m_editor->document().BackPicture.image.isNull());
    action(QStringLiteral("mPictureInsert"), QStringLiteral("BackPopup"))->trigger();
    EXPECT_EQ(m_editor->document().BackPicture.ref, m_work + "red.png");
    EXPECT_EQ(m_editor->lastPicturePath(), m_dir.path() + "/");
    action(QStringLiteral("mPictureClear"), QStringLiteral("InnerPopup"))->trigger();
    EXPECT_EQ(m_editor->document().FrontPicture1.ref, QStringLiteral("none"));
    EXPECT_EQ(m_editor->document().BackPicture.ref, m_work + "red.png");
}

} // namespace
