#include "document/pictures.h"

#include "archive/zip_fixtures.h"
#include "cover_files_env.h"
#include "document/wmf_picture.h"
#include "gtest_qt.h"
#include "render/drawing_surface.h"

#include <QFileInfo>

using namespace fixtures;

namespace {

using Pictures = CoverFilesTest;

// A metafile of width by height twips filled by a red rectangle, with the placeable
// header or without.
QString makeWmf(const QString& path, int width, int height, bool placeable, int unitsPerInch = 1440)
{
    const RunResult r = python(QStringLiteral(
                                   "import struct, sys\n"
                                   "def rec(func, *params):\n"
                                   "    return struct.pack('<IH', len(params) + 3, func) + b''.join(struct.pack('<h', p) for p in params)\n"
                                   "w, h = int(sys.argv[2]), int(sys.argv[3])\n"
                                   "records = rec(0x020B, 0, 0) + rec(0x020C, h, w)\n"
                                   "records += struct.pack('<IH', 7, 0x02FC) + struct.pack('<HIH', 0, 0x0000FF, 0)\n"
                                   "records += rec(0x012D, 0) + rec(0x041B, h, w, 0, 0) + rec(0x0000)\n"
                                   "data = struct.pack('<HHHIHIH', 1, 9, 0x0300, (18 + len(records)) // 2, 1, 7, 0) + records\n"
                                   "if sys.argv[4] == 'placeable':\n"
                                   "    p = struct.pack('<IHhhhhHI', 0x9AC6CDD7, 0, 0, 0, w, h, int(sys.argv[5]), 0)\n"
                                   "    check = 0\n"
                                   "    for i in range(10): check ^= struct.unpack_from('<H', p, i * 2)[0]\n"
                                   "    data = p + struct.pack('<H', check) + data\n"
                                   "open(sys.argv[1], 'wb').write(data)\n"),
                               {path, QString::number(width), QString::number(height),
                                placeable ? QStringLiteral("placeable") : QStringLiteral("bare"),
                                QString::number(unitsPerInch)});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();
    return path;
}

// ---- metafiles

TEST_F(Pictures, PlaceableMetafileDecodesAtItsSize)
{
    // Two inches by one inch.
    const QString wmf = makeWmf(path("logo.wmf"), 2880, 1440, true);
    QString error;
    const QImage image = readPictureFile(wmf, &error);
    ASSERT_FALSE(image.isNull()) << error.toStdString();
    EXPECT_EQ(image.size(), QSize(192, 96));
    EXPECT_EQ(image.pixelColor(96, 48), QColor(Qt::red));
    EXPECT_NEAR(pictureSizeMm(image).width(), 50.8, 0.5);
}

TEST_F(Pictures, MetafileIsFoundByItsContentNotItsName)
{
    const QString wmf = makeWmf(path("picture.jpg"), 1440, 1440, true);
    EXPECT_FALSE(readPictureFile(wmf).isNull());
    const QString bare = makeWmf(path("bare.wmf"), 1440, 720, false);
    EXPECT_TRUE(looksLikeWmf(readFile(bare)));
    EXPECT_FALSE(readPictureFile(bare).isNull());
    EXPECT_FALSE(looksLikeWmf("GIF89a............."));
}

TEST_F(Pictures, MetafileInsertedAndSavedComesBack)
{
    m_dialogs.files = {makeWmf(path("logo.wmf"), 2880, 1440, true)};
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Front));
    ASSERT_TRUE(SaveAsFile(m_ctx, path("c.vrz")));
    m_doc = CoverDocument();
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    EXPECT_EQ(m_doc.FrontPicture.image.size(), QSize(192, 96));
}

TEST_F(Pictures, DamagedMetafilesAreRefused)
{
    const QByteArray good = readFile(makeWmf(path("good.wmf"), 2880, 1440, true));
    for (int cut : {20, 30, 40, 60, int(good.size()) - 6}) {
        ASSERT_TRUE(writeFile(path("cut.wmf"), good.left(cut)));
        readPictureFile(path("cut.wmf"));
    }
    // A metafile claiming an enormous extent is not played at all.
    const QString huge = makeWmf(path("huge.wmf"), 32000, 32000, true, 1); // 32000 inches square
    QString error;
    EXPECT_TRUE(readPictureFile(huge, &error).isNull());
    m_dialogs.files = {huge};
    EXPECT_FALSE(InsertPicture(m_ctx, PictureSlot::Back));
}

// ---- insert and clear

TEST_F(Pictures, InsertCopiesIntoTheWorkingFolder)
{
    const QString chosen = makePicture(QStringLiteral("my pics/cover.png"), Qt::blue);
    m_ctx.lastPicturePath = QStringLiteral("/start/");
    m_dialogs.files = {chosen};
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Back));
    EXPECT_EQ(m_doc.BackPicture.ref, m_work + "cover.png");
    EXPECT_EQ(m_doc.BackPicture.image.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_TRUE(QFileInfo(m_work + "cover.png").isFile());
    EXPECT_EQ(m_ctx.lastPicturePath, path("my pics/"));
    EXPECT_EQ(m_backRedraws, 1);
    EXPECT_EQ(m_frontRedraws, 0);

    ASSERT_EQ(m_dialogs.fileRequests.size(), 1u);
    const FileDialogRequest& asked = m_dialogs.fileRequests[0];
    EXPECT_EQ(asked.title, msg(56));
    EXPECT_EQ(asked.folder, QStringLiteral("/start/"));
    EXPECT_TRUE(asked.filter.startsWith(QStringLiteral("All supported filetypes (*.bmp *.jpg *.gif *.wmf *.ico);;")));
    EXPECT_TRUE(asked.filter.endsWith(QStringLiteral(";;Icon (*.ico)")));
}

TEST_F(Pictures, OuterFrontFilterStartsWithItsOwnLabel)
{
    m_dialogs.files = {makePicture(QStringLiteral("o.png"), Qt::red)};
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Front));
    EXPECT_TRUE(m_dialogs.fileRequests[0].filter.startsWith(msg(9) + " (*.bmp"));
    EXPECT_EQ(m_frontRedraws, 1);
    EXPECT_EQ(m_doc.FrontPicture.ref, m_work + "o.png");
}

TEST_F(Pictures, CancelChangesNothing)
{
    EXPECT_FALSE(InsertPicture(m_ctx, PictureSlot::Front1));
    EXPECT_TRUE(m_doc.FrontPicture1.ref.isEmpty());
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(Pictures, MissingFileHasItsSlotsMessage)
{
    m_dialogs.files = {path("gone.jpg"), path("gone.jpg")};
    EXPECT_FALSE(InsertPicture(m_ctx, PictureSlot::Back));
    EXPECT_FALSE(InsertPicture(m_ctx, PictureSlot::Front1));
    ASSERT_EQ(m_dialogs.shown.size(), 2u);
    EXPECT_EQ(m_dialogs.shown[0].text, QStringLiteral("File don't exist !"));
    EXPECT_EQ(m_dialogs.shown[1].text, msg(8));
    EXPECT_EQ(m_dialogs.shown[1].icon, MsgIcon::Critical);
    EXPECT_EQ(workingFiles(), QStringList{"dummy.txt"});
}

TEST_F(Pictures, UndecodablePictureChangesNothing)
{
    // The slot that already uses pic.png must keep its working copy.
    m_dialogs.files = {makePicture(QStringLiteral("a/pic.png"), Qt::green)};
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Back));
    QDir().mkpath(path("b"));
    m_dialogs.files = {path("b/pic.png")};
    ASSERT_TRUE(writeFile(path("b/pic.png"), "garbage, not a picture"));
    EXPECT_FALSE(InsertPicture(m_ctx, PictureSlot::Front));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_TRUE(m_dialogs.shown[0].text.contains(path("b/pic.png")));
    EXPECT_TRUE(m_doc.FrontPicture.ref.isEmpty());
    EXPECT_EQ(QImage(m_work + "pic.png").pixelColor(0, 0), QColor(Qt::green));
}

TEST_F(Pictures, HugePictureIsRefusedWithAMessage)
{
    m_dialogs.files = {makeHugePng(QStringLiteral("huge.png"), 20000, 20000)};
    EXPECT_FALSE(InsertPicture(m_ctx, PictureSlot::Back));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_TRUE(m_dialogs.shown[0].text.contains(QStringLiteral("20000")));
    EXPECT_TRUE(m_doc.BackPicture.image.isNull());
}

TEST_F(Pictures, SameNameFromTwoFoldersSharesOneCopy)
{
    m_dialogs.files = {makePicture(QStringLiteral("x/pic.png"), Qt::red), makePicture(QStringLiteral("y/pic.png"), Qt::blue)};
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Back));
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Front));
    EXPECT_EQ(m_doc.BackPicture.ref, m_doc.FrontPicture.ref);
    EXPECT_EQ(workingFiles(), (QStringList{"dummy.txt", "pic.png"}));

    ASSERT_TRUE(SaveAsFile(m_ctx, path("c.vrz")));
    m_doc = CoverDocument();
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    EXPECT_EQ(m_doc.BackPicture.image.pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(m_doc.FrontPicture.image.pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(Pictures, PictureAlreadyInTheWorkingFolderIsUsedInPlace)
{
    const QString inPlace = makePicture(QStringLiteral("work/here.png"), Qt::yellow);
    m_dialogs.files = {inPlace};
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Front1));
    EXPECT_EQ(m_doc.FrontPicture1.ref, inPlace);
    EXPECT_EQ(m_doc.FrontPicture1.image.pixelColor(0, 0), QColor(Qt::yellow));
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(Pictures, ClearLeavesTheCopyAndSavesNone)
{
    m_dialogs.files = {makePicture(QStringLiteral("p.png"), Qt::red)};
    ASSERT_TRUE(InsertPicture(m_ctx, PictureSlot::Front));
    ClearPicture(m_ctx, PictureSlot::Front);
    EXPECT_EQ(m_doc.FrontPicture.ref, QStringLiteral("none"));
    EXPECT_TRUE(m_doc.FrontPicture.image.isNull());
    EXPECT_EQ(m_frontRedraws, 2);
    EXPECT_TRUE(QFileInfo(m_work + "p.png").isFile());
}

// ---- fitting

TEST(CalculateAspectRatio, FitsWithoutDistortion)
{
    int w = 0;
    int h = 0;
    CalculateAspectRatio(400, 200, 210, 180, w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(210, 105));
    CalculateAspectRatio(200, 400, 210, 180, w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(90, 180));
    CalculateAspectRatio(300, 300, 300, 300, w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(300, 300));
}

TEST(CalculateAspectRatio, HalvesGoToTheEvenNeighbour)
{
    int w = 0;
    int h = 0;
    // 10 / 4 * 1 = 2.5 and 10 / 4 * 3 = 7.5
    CalculateAspectRatio(4, 1, 10, 100, w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(10, 2));
    CalculateAspectRatio(4, 3, 10, 100, w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(10, 8));
}

TEST(CalculateAspectRatio, ZeroSideLeavesTheResults)
{
    int w = 7;
    int h = 9;
    CalculateAspectRatio(0, 100, 210, 180, w, h);
    CalculateAspectRatio(100, 0, 210, 180, w, h);
    CalculateAspectRatio(100, 100, 210, 0, w, h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(7, 9));
}

// ---- preview bitmap

TEST_F(Pictures, PreviewShowsFrontAboveBackInTheGreyBox)
{
    m_doc.fBackColor = 0x0000FF;  // red outer side
    m_doc.fBackColor2 = 0x0000FF; // red inner side
    m_doc.BackColor = 0xFF0000;   // blue back
    const QImage preview = previewBitmap(m_doc);
    ASSERT_EQ(preview.size(), QSize(210, 180));
    // The composite is taller than wide: grey margins left and right, full height.
    EXPECT_EQ(preview.pixelColor(1, 90), kPreviewBoxColor);
    EXPECT_EQ(preview.pixelColor(208, 90), kPreviewBoxColor);
    auto redish = [](const QColor& c) { return c.red() > 180 && c.blue() < 80; };
    auto blueish = [](const QColor& c) { return c.blue() > 180 && c.red() < 80; };
    EXPECT_TRUE(redish(preview.pixelColor(60, 45))) << preview.pixelColor(60, 45).name().toStdString();
    EXPECT_TRUE(blueish(preview.pixelColor(105, 135))) << preview.pixelColor(105, 135).name().toStdString();
    // Drawing the preview leaves the document's saved flag alone.
    EXPECT_TRUE(m_doc.saved);
}

TEST_F(Pictures, SavePreviewWritesAWindowsBitmap)
{
    ASSERT_TRUE(SavePreview(m_doc, path("p.bmp")));
    EXPECT_TRUE(readFile(path("p.bmp")).startsWith("BM"));
    EXPECT_EQ(QImage(path("p.bmp")).size(), QSize(210, 180));
}

TEST_F(Pictures, UnwritablePreviewIsReported)
{
    ASSERT_TRUE(writeFile(path("file"), "x"));
    EXPECT_FALSE(SavePreview(m_doc, path("file/p.bmp")));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_TRUE(m_dialogs.shown[0].text.contains(QStringLiteral("\nCode ")));
    EXPECT_TRUE(m_dialogs.shown[0].text.endsWith(QStringLiteral("\n\nPreview could not be saved!")));
    EXPECT_EQ(m_dialogs.shown[0].icon, MsgIcon::Exclamation);
}

TEST_F(Pictures, SaveGoesOnWithoutAPreviewThatCannotBeWritten)
{
    // A folder in the way of the preview bitmap.
    QDir().mkpath(m_work + kPreviewFileName);
    ASSERT_TRUE(SaveAsFile(m_ctx, path("c.vrz")));
    EXPECT_EQ(membersOf(path("c.vrz")), (QStringList{"vorn.ini", "c.vrz.txt"}));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_TRUE(m_dialogs.shown[0].text.endsWith(QStringLiteral("Preview could not be saved!")));
}

} // namespace
