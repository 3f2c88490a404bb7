#include "platform/cover_open_dialog.h"

#include "document/cover_files_env.h"
#include "document/pictures.h"
#include "gtest_qt.h"
#include "platform/dialogs.h"

#include <QLabel>

using namespace fixtures;

namespace {

using CoverOpenDialogTest = CoverFilesTest;

QImage shown(const CoverOpenDialog& dialog)
{
    return dialog.previewPicture()->pixmap().toImage();
}

TEST_F(CoverOpenDialogTest, SelectingACoverShowsItsPreviewBitmap)
{
    m_doc.BackColor = 0xFF0000; // blue back
    ASSERT_TRUE(SaveAsFile(m_ctx, path("blue.vrz")));
    CoverOpenDialog dialog{FileDialogRequest()};
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("PreviewPicture")), dialog.previewPicture());
    const QImage notAvailable = shown(dialog);
    ASSERT_EQ(notAvailable.size(), QSize(kPreviewBoxWidth, kPreviewBoxHeight));
    // "Preview not available" is written across the middle.
    bool written = false;
    for (int x = 0; x < notAvailable.width(); ++x)
        written = written || notAvailable.pixel(x, notAvailable.height() / 2) != notAvailable.pixel(0, 0);
    EXPECT_TRUE(written);

    dialog.showPreviewOf(path("blue.vrz"));
    const QImage preview = shown(dialog);
    EXPECT_EQ(preview.pixelColor(105, 135), QColor(Qt::blue));
    EXPECT_EQ(QDir(m_work + "preview").entryList(QDir::Files), QStringList());
    // Other files leave the preview as it is; an archive without a bitmap, or no archive at
    // all, shows "not available".
    dialog.showPreviewOf(path("notes.txt"));
    EXPECT_EQ(shown(dialog), preview);
    ASSERT_TRUE(pythonZip(path("old.VRZ"), {{"vorn.ini", "[LastCover]\r\n"}}));
    ASSERT_TRUE(writeFile(path("junk.vrz"), "junk"));
    for (const char* name : {"old.VRZ", "junk.vrz"}) {
        dialog.showPreviewOf(path("blue.vrz"));
        dialog.showPreviewOf(path(name));
        EXPECT_EQ(shown(dialog), notAvailable) << name;
    }
}

} // namespace
