#include "document/pictures.h"

#include "cover_files_env.h"
#include "document/wmf_picture.h"
#include "gtest_qt.h"

using namespace fixtures;

namespace {

using Pictures = CoverFilesTest;

const QString kData = QStringLiteral(CASELEAF_TEST_DATA "/pictures/");

TEST_F(Pictures, MetafilesDecodeByTheirContent)
{
    // Two inches by one, filled red; named like another format.
    ASSERT_TRUE(QFile::copy(kData + "logo.wmf", path("logo.jpg")));
    const QImage image = readPictureFile(path("logo.jpg"));
    ASSERT_EQ(image.size(), QSize(192, 96));
    EXPECT_EQ(image.pixelColor(96, 48), QColor(Qt::red));
    EXPECT_FALSE(readPictureFile(kData + "bare.wmf").isNull()); // no placeable header
    EXPECT_TRUE(readPictureFile(kData + "huge.wmf").isNull());  // 32000 inches square
    EXPECT_FALSE(looksLikeWmf("GIF89a............."));
    // Cut short anywhere, a metafile must not bring the reader down.
    const QByteArray logo = readFile(kData + "logo.wmf");
    for (int cut : {20, 30, 40, 60, int(logo.size()) - 6})
        EXPECT_TRUE(readWmf(logo.left(cut), 1 << 20).isNull() || cut > 40) << cut;
}

TEST_F(Pictures, InsertCopiesIntoTheWorkingFolderAndClearLeavesTheCopy)
{
    m_ctx.lastPicturePath = QStringLiteral("/start/");
    m_dialogs.files = {makePicture(QStringLiteral("x/pic.png"), Qt::red), makePicture(QStringLiteral("y/pic.png"), Qt::blue),
                       kData + "logo.wmf"};
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Back));
    EXPECT_EQ(m_dialogs.fileRequests.at(0).folder, QStringLiteral("/start/"));
    EXPECT_EQ(m_ctx.lastPicturePath, path("x/"));
    // A picture of the same name from elsewhere replaces the one copy both slots share.
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Front));
    EXPECT_EQ(m_doc.BackPicture.ref, m_work + "pic.png");
    EXPECT_EQ(m_doc.FrontPicture.ref, m_work + "pic.png");
    EXPECT_EQ(m_doc.FrontPicture.image.pixelColor(0, 0), QColor(Qt::blue));
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Front1));
    ClearPicture(m_ctx, PictureSlot::Front);
    EXPECT_EQ(m_doc.FrontPicture.ref, QStringLiteral("none"));
    EXPECT_TRUE(m_doc.FrontPicture.image.isNull());
    EXPECT_EQ(entriesBelow(m_work), (QStringList{"dummy.txt", "logo.wmf", "pic.png"}));

    ASSERT_TRUE(SaveAsFile(m_ctx, path("c.vrz")));
    m_doc = CoverDocument();
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    EXPECT_EQ(m_doc.BackPicture.image.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(m_doc.FrontPicture1.image.size(), QSize(192, 96));
    EXPECT_EQ(m_doc.FrontPicture.ref, QStringLiteral("none"));
    EXPECT_TRUE(m_dialogs.shown.empty()) << m_dialogs.texts().join('|').toStdString();
}

TEST_F(Pictures, PictureThatCannotBeUsedChangesNothing)
{
    m_dialogs.files = {makePicture(QStringLiteral("a/pic.png"), Qt::green)};
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Back));
    // Not decodable, and of the name the back's working copy has.
    ASSERT_TRUE(writeFile(path("pic.png"), "garbage, not a picture"));
    const struct {
        QString file;
        QString shown; // a part of the message
    } cases[] = {
        {path("gone.jpg"), QStringLiteral("File don't exist !")},
        {path("pic.png"), path("pic.png")},
        {kData + "huge.png", QStringLiteral("20000")},
        {kData + "huge.wmf", QStringLiteral("huge.wmf")},
    };
    for (const auto& c : cases) {
        m_dialogs.files = {c.file};
        m_dialogs.shown.clear();
        EXPECT_FALSE(InsertPicture(m_ctx, PictureSlot::Front)) << c.file.toStdString();
        ASSERT_EQ(m_dialogs.shown.size(), 1u);
        EXPECT_TRUE(m_dialogs.shown[0].text.contains(c.shown)) << m_dialogs.shown[0].text.toStdString();
        EXPECT_EQ(m_dialogs.shown[0].icon, MsgIcon::Critical);
        EXPECT_TRUE(m_doc.FrontPicture.ref.isEmpty());
        EXPECT_EQ(entriesBelow(m_work), (QStringList{"dummy.txt", "pic.png"}));
        EXPECT_EQ(QImage(m_work + "pic.png").pixelColor(0, 0), QColor(Qt::green));
    }
}

TEST_F(Pictures, PreviewShowsFrontAboveBackInTheGreyBox)
{
    m_doc.fBackColor = m_doc.fBackColor2 = 0x0000FF; // red front
    m_doc.BackColor = 0xFF0000;                      // blue back
    ASSERT_TRUE(SavePreview(m_doc, path("p.bmp")));
    EXPECT_TRUE(readFile(path("p.bmp")).startsWith("BM"));
    const QImage preview(path("p.bmp"));
    ASSERT_EQ(preview.size(), QSize(kPreviewBoxWidth, kPreviewBoxHeight));
    // Taller than wide: grey margins left and right, full height.
    EXPECT_EQ(preview.pixelColor(1, 90), kPreviewBoxColor);
    EXPECT_EQ(preview.pixelColor(208, 90), kPreviewBoxColor);
    EXPECT_EQ(preview.pixelColor(60, 45), QColor(Qt::red));
    EXPECT_EQ(preview.pixelColor(105, 135), QColor(Qt::blue));
    // Drawing leaves the document's saved flag alone.
    EXPECT_TRUE(m_doc.saved);
    // A preview that cannot be written is reported, and the cover is saved without it.
    QDir().mkpath(m_work + kPreviewFileName);
    ASSERT_TRUE(SaveAsFile(m_ctx, path("c.vrz")));
    EXPECT_EQ(membersOf(path("c.vrz")), (QStringList{"vorn.ini", "c.vrz.txt"}));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_TRUE(m_dialogs.shown[0].text.endsWith(QStringLiteral("\n\nPreview could not be saved!")));
}

} // namespace
