#include "document/cover_files_fixture.h"

#include "archive/zip_engine.h"
#include "document/wmf_picture.h"

#include <csignal>
#include <sys/resource.h>

using namespace fixtures;

namespace {

// One save and open carries swapped bold and italic flags, a label with outer spaces and
// Windows-1252 characters, a removed picture and two slots sharing one picture. The second
// save goes over the archive the cover was opened from.
TEST_F(CoverFiles, EverythingSurvivesSaveAndOpenAlsoOverItself)
{
    const QString label = QString::fromUtf8("  Caf\xc3\xa9 \xe2\x82\xac \xe2\x80\x94  ");
    m_doc.Fontname = m_ctx.fontList.back();
    m_doc.FontBold2 = 1;
    m_doc.Text = label;
    m_doc.Contents = QStringLiteral("a\r\nb");
    m_doc.BackPicture.ref = QStringLiteral("none");
    const QString shared = makePicture(QStringLiteral("pics/shared.png"), Qt::green);
    m_doc.FrontPicture = m_doc.FrontPicture1 = {shared, QImage(shared)};
    // A file named "none" in the current folder is not the removed picture.
    const QString cwd = QDir::currentPath();
    ASSERT_TRUE(writeFile(path("none"), "unrelated"));
    for (int save = 0; save < 2; ++save) {
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
        const bool saved = SaveCoverToFile(m_ctx, path("Band.vrz"));
        QDir::setCurrent(cwd);
        ASSERT_TRUE(saved);
        // A picture compressed already is stored; other tools read the archive without complaint.
        QStringList kinds;
        for (const QString& member : packedMembers(path("Band.vrz")))
            kinds << member.section(' ', 0, 1);
        EXPECT_EQ(kinds, (QStringList{"vorn.ini deflated", "Band.vrz.txt deflated", "shared.png stored",
                                      kPreviewFileName + " deflated"}));
        EXPECT_EQ(run(QStringLiteral("unzip"), {QStringLiteral("-tq"), path("Band.vrz")}).exitCode, 0);
        EXPECT_EQ(coverArchivePreview(path("Band.vrz")).size(), QSize(kPreviewBoxWidth, kPreviewBoxHeight));
        const QByteArray ini = memberOf(path("Band.vrz"), QStringLiteral("vorn.ini"));
        for (const char* line : {"FontBold2=1\r\nFontItalic2=0\r\n", "BackPicture=none\r\n",
                                 "FrontPicture1={shared.png}\r", "Text=\"  Caf\xe9 \x80 \x97  \"\r\n"})
            EXPECT_TRUE(ini.contains(line)) << line;

        m_doc = CoverDocument();
        ASSERT_TRUE(OpenSub(m_ctx, path("Band.vrz")));
        EXPECT_EQ(std::make_pair(m_doc.FontBold2, m_doc.FontItalic2), std::make_pair(1, 0));
        EXPECT_EQ((QStringList{m_doc.Fontname, m_doc.Text, m_doc.Contents, m_doc.BackPicture.ref, m_doc.FrontPicture1.ref}),
                  (QStringList{m_ctx.fontList.back(), label, "a\r\nb", "none", m_work + "shared.png"}));
        for (const CoverPicture* picture : {&m_doc.FrontPicture, &m_doc.FrontPicture1})
            EXPECT_EQ(picture->image.toImage().pixelColor(1, 1), QColor(Qt::green));
        EXPECT_TRUE(m_doc.saved && m_doc.currentFile == path("Band.vrz") && m_dialogs.shown.empty());
    }
}

// Folder names, a member named like a working subfolder, a picture too large to decode.
TEST_F(CoverFiles, OpensArchivesOfOtherTools)
{
    const QByteArray huge = readFile(kData + "huge.png");
    QList<Member> parts{{"vorn.ini", "[LastCover]\r\nText=\"Odd\"\r\nBackPicture={p.bmp}\r\nFrontPicture={h.png}\r\n"},
                        {"x.vrz.txt", "// ~contents~=\r\nline 1\r\n// ~fronttext1~=\r\ninner\r\n"},
                        {"p.bmp", readFile(makePicture(QStringLiteral("src/sub/p.bmp"), Qt::red))},
                        {"h.png", huge},
                        {"preview", "not a folder"}};
    for (Member& m : parts) {
        ASSERT_TRUE(writeFile(path("src/sub/" + m.name), m.data));
        m.name.prepend(QStringLiteral("covers/"));
    }
    // zip stores the folders as entries of their own, Python's zipfile does not.
    ASSERT_EQ(run(QStringLiteral("zip"), {"-r", "-q", path("Z.VRZ"), "src"}, dir.path()).exitCode, 0);
    ASSERT_TRUE(pythonZip(path("py.vrz"), parts));
    QDir().mkpath(m_work + "preview");
    for (const char* archive : {"Z.VRZ", "py.vrz"}) {
        m_doc = CoverDocument();
        ASSERT_TRUE(OpenSub(m_ctx, path(archive))) << archive;
        EXPECT_EQ(m_doc.Text + m_doc.Contents + m_doc.FrontText1, QStringLiteral("Oddline 1inner"));
        EXPECT_EQ(m_doc.BackPicture.image.toImage().pixelColor(0, 0), QColor(Qt::red));
        EXPECT_TRUE(m_doc.FrontPicture.image.isNull()) << archive;
        expectShown(".*h\\.png: 20000 x 20000 pixels is too large", MsgIcon::Critical);
    }
    EXPECT_TRUE(QFileInfo(m_work + "preview").isDir());
    // The picture that was not decoded stays packed with the cover.
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("py.vrz")));
    EXPECT_EQ(memberOf(path("py.vrz"), QStringLiteral("h.png")), huge);
}

TEST_F(CoverFiles, ArchiveWithoutItsTextsStillOpens)
{
    ASSERT_TRUE(pythonZip(path("no-txt.vrz"), {{"vorn.ini", "[LastCover]\r\nText=\"No texts\"\r\n"}}));
    m_doc.Contents = QStringLiteral("old");
    ASSERT_TRUE(OpenSub(m_ctx, path("no-txt.vrz")));
    EXPECT_TRUE(coverArchivePreview(path("no-txt.vrz")).isNull());
    expectShown(QRegularExpression::escape("Load error! (txt not found) File is corrupted!"), MsgIcon::Critical);
    EXPECT_EQ(m_doc.Text + m_doc.Contents, QStringLiteral("No texts"));
    EXPECT_TRUE(m_doc.saved);
}

// Neither the document nor the working folder changes when an archive cannot be opened.
TEST_F(CoverFiles, FailedOpenChangesNothing)
{
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("good.vrz")));
    const QByteArray good = readFile(path("good.vrz"));
    QList<Member> many;
    for (int i = 0; i <= kMaxArchiveFiles; ++i)
        many << Member{QString::number(i), ""};
    ASSERT_TRUE(pythonZip(path("many.vrz"), many) && pythonZip(path("links.vrz"), {{"vorn.ini", "/etc/passwd", true}}));
    // The open cover's working copy of an inserted picture must outlive the failed open.
    ASSERT_TRUE(writeFile(m_work + "inserted.png", "picture"));
    m_doc.Text = QStringLiteral("current");
    const QStringList before = entriesBelow(m_work);
    // The file, its bytes (null: no file at all) and the message.
    const std::tuple<const char*, QByteArray, QString> cases[] = {
        {"cover.zip", good, QRegularExpression::escape(msg(39))},
        {"nowhere.vrz", QByteArray(), QRegularExpression::escape(msg(31) + "\n" + msg(29) + "474")},
        {"cut.vrz", good.left(good.size() - 10), failure(31)},
        {"empty.vrz", "", failure(31)},
        {"end-record-only.vrz", QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0'), failure(31)},
        {"many.vrz", readFile(path("many.vrz")), failure(31)}, // more members than a cover has
        {"links.vrz", readFile(path("links.vrz")), failure(31)},
    };
    for (const auto& [file, data, message] : cases) {
        ASSERT_TRUE(data.isNull() || writeFile(path(file), data));
        EXPECT_FALSE(OpenSub(m_ctx, path(file))) << file;
        expectShown(message, MsgIcon::Critical);
        EXPECT_TRUE(m_doc.Text == "current" && m_doc.currentFile == path("good.vrz")) << file;
        EXPECT_EQ(entriesBelow(m_work), before) << file;
    }
}

// The old archive stays whole and the document unsaved.
TEST_F(CoverFiles, FailedSaveKeepsTheOldArchive)
{
    rlimit unlimited{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const rlimit small{300000, unlimited.rlim_max}; // too small for the noise below
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    const QImage noisy = noisePicture(500, 400);
    ASSERT_TRUE(noisy.save(path("noise.bmp")) && writeFile(path("file"), "in the working folder's way"));
    m_doc.BackPicture = {path("noise.bmp"), noisy};
    const std::tuple<std::function<void()>, QString, MsgIcon> cases[] = {
        {[&] { setrlimit(RLIMIT_FSIZE, &small); }, failure(28), MsgIcon::Critical},
        {[&] { QFile::remove(m_work + "vorn.ini") && QDir().mkpath(m_work + "vorn.ini"); },
         QRegularExpression::escape(msg(16)), MsgIcon::Critical},
        {[&] { app::setWorkingFolder(path("file/tmp/")); }, QStringLiteral(".*\nCODE:\\d+"), MsgIcon::Exclamation},
    };
    for (const auto& [spoil, message, icon] : cases) {
        ASSERT_TRUE(writeFile(path("c.vrz"), "previous archive"));
        m_doc.currentFile = path("c.vrz");
        m_doc.saved = false;
        spoil();
        const bool saved = SaveCommand(m_ctx);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        app::setWorkingFolder(m_work);
        QDir(m_work + "vorn.ini").removeRecursively();
        EXPECT_FALSE(saved || m_doc.saved);
        EXPECT_EQ(readFile(path("c.vrz")), QByteArray("previous archive"));
        expectShown(message, icon);
    }
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"c.vrz", "file", "noise.bmp"}));
}

// Window messages are let through during a command; a cover dropped then is refused.
TEST_F(CoverFiles, NoSecondCommandWhileOneRuns)
{
    ASSERT_TRUE(SaveAsFile(m_ctx, path("a.vrz")));
    int nested = 0;
    m_ctx.redrawBack = [&] { nested += bool(OpenSub(m_ctx, path("a.vrz"))) + SaveCoverToFile(m_ctx, path("b.vrz")); };
    ASSERT_TRUE(OpenSub(m_ctx, path("a.vrz")) && SaveCoverToFile(m_ctx, path("a.vrz")));
    EXPECT_EQ(nested, 0);
}

// A picture of the same name from elsewhere replaces the one copy two slots share; clearing
// leaves the copy. A picture that cannot be used changes nothing, not even a copy of its name.
TEST_F(CoverFiles, InsertCopiesPicturesIntoTheWorkingFolderOrChangesNothing)
{
    // A metafile of two inches by one, filled red, is found by its content.
    ASSERT_TRUE(QFile::copy(kData + "logo.wmf", path("logo.jpg")));
    m_dialogs.files = {makePicture(QStringLiteral("x/pic.png"), Qt::red),
                       makePicture(QStringLiteral("y/pic.png"), Qt::blue), path("logo.jpg")};
    for (const PictureSlot slot : {PictureSlot::Back, PictureSlot::Front, PictureSlot::Front1})
        ASSERT_TRUE(InsertPicture(m_ctx, slot));
    EXPECT_TRUE(m_doc.BackPicture.ref == m_work + "pic.png" && m_doc.FrontPicture.ref == m_doc.BackPicture.ref);
    EXPECT_EQ(m_doc.FrontPicture.image.toImage().pixelColor(0, 0), QColor(Qt::blue));
    ASSERT_EQ(m_doc.FrontPicture1.image.size(), QSize(192, 96));
    EXPECT_EQ(m_doc.FrontPicture1.image.toImage().pixelColor(96, 48), QColor(Qt::red));
    ClearPicture(m_ctx, PictureSlot::Front1);
    EXPECT_TRUE(m_doc.FrontPicture1.ref == "none" && m_doc.FrontPicture1.image.isNull());
    EXPECT_TRUE(m_dialogs.shown.empty()) << m_dialogs.texts().join('|').toStdString();

    ASSERT_TRUE(writeFile(path("pic.png"), "not a picture, named like the working copy"));
    QFile big(path("big.wmf")); // a playable metafile, too long to be read into memory
    ASSERT_TRUE(QFile::copy(kData + "logo.wmf", big.fileName()) && big.resize(4 * kMaxPicturePixels + 1));
    // A file and a part of the message it gives.
    const QPair<QString, QString> cases[] = {{path("gone.jpg"), QStringLiteral("File don't exist !")},
                                             {path("pic.png"), path("pic.png")},
                                             {kData + "huge.png", QStringLiteral("20000")},
                                             {kData + "huge.wmf", QStringLiteral("huge.wmf")}, // 32000 inches square
                                             {big.fileName(), big.fileName()}};
    for (const auto& [file, shown] : cases) {
        m_dialogs.files = {file};
        EXPECT_FALSE(InsertPicture(m_ctx, PictureSlot::Front)) << file.toStdString();
        expectShown(".*" + QRegularExpression::escape(shown) + ".*", MsgIcon::Critical);
        EXPECT_EQ(m_doc.FrontPicture.ref, m_work + "pic.png");
        EXPECT_EQ(entriesBelow(m_work), (QStringList{"dummy.txt", "logo.jpg", "pic.png"}));
        EXPECT_EQ(QImage(m_work + "pic.png").pixelColor(0, 0), QColor(Qt::blue));
    }
    // A metafile without its placeable header still plays; one cut short does not bring the reader down.
    EXPECT_FALSE(readPictureFile(kData + "bare.wmf").isNull());
    const QByteArray logo = readFile(kData + "logo.wmf");
    for (int cut : {20, 30, 40, 60, int(logo.size()) - 6})
        EXPECT_TRUE(readWmf(logo.left(cut), 1 << 20).isNull() || cut > 40) << cut;
}

TEST_F(CoverFiles, PreviewShowsFrontAboveBackInTheGreyBox)
{
    m_doc.fBackColor = m_doc.fBackColor2 = 0x0000FF; // red front
    m_doc.BackColor = 0xFF0000;                      // blue back
    ASSERT_TRUE(SavePreview(m_doc, path("p.bmp")));
    EXPECT_TRUE(readFile(path("p.bmp")).startsWith("BM"));
    const QImage preview(path("p.bmp"));
    ASSERT_EQ(preview.size(), QSize(kPreviewBoxWidth, kPreviewBoxHeight));
    // Taller than wide: grey margins left and right.
    EXPECT_TRUE(preview.pixelColor(1, 90) == kPreviewBoxColor && preview.pixelColor(208, 90) == kPreviewBoxColor);
    EXPECT_EQ(preview.pixelColor(60, 45), QColor(Qt::red));
    EXPECT_EQ(preview.pixelColor(105, 135), QColor(Qt::blue));
    EXPECT_TRUE(m_doc.saved);
    // A preview that cannot be written is reported, and the cover is saved without it.
    QDir().mkpath(m_work + kPreviewFileName);
    ASSERT_TRUE(SaveAsFile(m_ctx, path("a|b.vrz")));
    EXPECT_EQ(membersOf(path("a|b.vrz")), (QStringList{"vorn.ini", "a|b.vrz.txt"}));
    expectShown(".*\n\nPreview could not be saved!", MsgIcon::Exclamation);
}

} // namespace
