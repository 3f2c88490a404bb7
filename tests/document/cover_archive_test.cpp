#include "document/cover_archive.h"

#include "archive/zip_fixtures.h"
#include "archive/zip_engine.h"
#include "cover_files_env.h"
#include "document/font_matching.h"
#include "document/pictures.h"
#include "gtest_qt.h"
#include "toolbox/win1252.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <csignal>
#include <sys/resource.h>

using namespace fixtures;

namespace {

const QString kTxtMissing = QStringLiteral("Load error! (txt not found) File is corrupted!");

class CoverArchive : public CoverFilesTest {
protected:
    void SetUp() override
    {
        CoverFilesTest::SetUp();
        m_ctx.fontList = standardFontList();
    }

    // Opens into a fresh document and context, as after a restart.
    bool reopen(const QString& file)
    {
        m_doc = CoverDocument();
        return OpenSub(m_ctx, file);
    }

    QByteArray member(const QString& archive, const QString& name)
    {
        const RunResult r = python(QStringLiteral("import sys, zipfile\n"
                                                  "sys.stdout.buffer.write(zipfile.ZipFile(sys.argv[1]).read(sys.argv[2]))"),
                                   {archive, name});
        return r.out;
    }

    QString makeRandomFile(const QString& name, int size)
    {
        QByteArray data(size, Qt::Uninitialized);
        QRandomGenerator gen(11);
        for (char& c : data)
            c = char(gen.bounded(256));
        EXPECT_TRUE(writeFile(path(name), data));
        return path(name);
    }
};

// ---- round trips

TEST_F(CoverArchive, SettingsAndTextsSurviveSaveAndOpen)
{
    const QStringList fonts = standardFontList();
    ASSERT_FALSE(fonts.isEmpty());
    m_doc.Fontname = fonts.back();
    m_doc.FontBold2 = 1;   // the contents' italic
    m_doc.FontItalic2 = 0; // the contents' bold
    m_doc.FontBold = 1;
    m_doc.Text = QStringLiteral("  Band - Album  ");
    m_doc.ForeColor = 0x123456;
    m_doc.BackColor = 0xABCDEF;
    m_doc.pMethod = 3;
    m_doc.pCenter = 0;
    m_doc.Counter = 0;
    m_doc.CountFrom = QStringLiteral("7");
    m_doc.Contents = QStringLiteral("a\r\nb");
    m_doc.FrontText1 = QString();
    m_doc.FrontText2 = QStringLiteral("x\r\n");
    m_doc.saved = false;
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("Band.vrz")));
    EXPECT_TRUE(m_doc.saved);
    EXPECT_EQ(m_doc.currentFile, path("Band.vrz"));
    EXPECT_TRUE(m_dialogs.shown.empty()) << m_dialogs.texts().join('|').toStdString();

    ASSERT_TRUE(reopen(path("Band.vrz")));
    EXPECT_EQ(m_doc.Fontname, fonts.back());
    EXPECT_EQ(m_doc.FontBold2, 1);
    EXPECT_EQ(m_doc.FontItalic2, 0);
    EXPECT_EQ(m_doc.FontBold, 1);
    EXPECT_EQ(m_doc.Text, QStringLiteral("  Band - Album  "));
    EXPECT_EQ(m_doc.ForeColor, 0x123456);
    EXPECT_EQ(m_doc.BackColor, 0xABCDEF);
    EXPECT_EQ(m_doc.pMethod, 3);
    EXPECT_EQ(m_doc.pCenter, 0);
    EXPECT_EQ(m_doc.Counter, 0);
    EXPECT_EQ(m_doc.CountFrom, QStringLiteral("7"));
    EXPECT_EQ(m_doc.Contents, QStringLiteral("a\r\nb"));
    EXPECT_EQ(m_doc.FrontText1, QString());
    EXPECT_EQ(m_doc.FrontText2, QStringLiteral("x\r\n"));
    EXPECT_TRUE(m_doc.saved);
    EXPECT_EQ(m_doc.currentFile, path("Band.vrz"));
    EXPECT_TRUE(m_dialogs.shown.empty()) << m_dialogs.texts().join('|').toStdString();
}

TEST_F(CoverArchive, ArchiveHoldsBareMembersInOrderAndPassesUnzipTest)
{
    m_doc.BackPicture.ref = makePicture(QStringLiteral("pics/back.jpg"), Qt::red);
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("Band.vrz")));
    EXPECT_EQ(membersOf(path("Band.vrz")),
              (QStringList{"vorn.ini", "Band.vrz.txt", "back.jpg", "~vorn_preview_file~.bmp"}));
    const RunResult test = run(QStringLiteral("unzip"), {QStringLiteral("-t"), path("Band.vrz")});
    EXPECT_EQ(test.exitCode, 0) << test.out.constData();
    // Pictures are referred to by their names beside the settings file.
    EXPECT_TRUE(member(path("Band.vrz"), QStringLiteral("vorn.ini")).contains("BackPicture={back.jpg}\r\n"));
    // The document itself keeps the full path.
    EXPECT_EQ(m_doc.BackPicture.ref, path("pics/back.jpg"));
}

TEST_F(CoverArchive, PicturesComeBackFromTheArchive)
{
    m_doc.BackPicture.ref = makePicture(QStringLiteral("pics/back.png"), Qt::red);
    m_doc.FrontPicture.ref = makePicture(QStringLiteral("pics/outer.png"), Qt::blue, 60, 20);
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("c.vrz")));
    ASSERT_TRUE(reopen(path("c.vrz")));
    EXPECT_EQ(m_doc.BackPicture.ref, m_work + "back.png");
    EXPECT_EQ(m_doc.BackPicture.image.pixelColor(5, 5), QColor(Qt::red));
    EXPECT_EQ(m_doc.FrontPicture.ref, m_work + "outer.png");
    EXPECT_EQ(m_doc.FrontPicture.image.size(), QSize(60, 20));
    EXPECT_TRUE(m_doc.FrontPicture1.image.isNull());
}

TEST_F(CoverArchive, RemovedPictureIsSavedAsNone)
{
    m_doc.BackPicture.ref = QStringLiteral("none");
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("c.vrz")));
    EXPECT_TRUE(member(path("c.vrz"), QStringLiteral("vorn.ini")).contains("BackPicture=none\r\n"));
    EXPECT_EQ(membersOf(path("c.vrz")), (QStringList{"vorn.ini", "c.vrz.txt", "~vorn_preview_file~.bmp"}));
    ASSERT_TRUE(reopen(path("c.vrz")));
    EXPECT_EQ(m_doc.BackPicture.ref, QStringLiteral("none"));
    EXPECT_TRUE(m_doc.BackPicture.image.isNull());
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(CoverArchive, TwoSlotsSharingOnePictureStoreItOnce)
{
    const QString shared = makePicture(QStringLiteral("pics/shared.png"), Qt::green);
    m_doc.BackPicture.ref = shared;
    m_doc.FrontPicture1.ref = shared;
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("c.vrz")));
    EXPECT_EQ(membersOf(path("c.vrz")).count(QStringLiteral("shared.png")), 1);
    ASSERT_TRUE(reopen(path("c.vrz")));
    EXPECT_EQ(m_doc.BackPicture.image.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(m_doc.FrontPicture1.image.pixelColor(1, 1), QColor(Qt::green));
}

TEST_F(CoverArchive, PictureThatVanishedIsLeftOutButKeepsItsReference)
{
    m_doc.FrontPicture.ref = path("gone/away.jpg");
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("c.vrz")));
    EXPECT_FALSE(membersOf(path("c.vrz")).contains(QStringLiteral("away.jpg")));
    EXPECT_TRUE(member(path("c.vrz"), QStringLiteral("vorn.ini")).contains(("FrontPicture=" + path("gone/away.jpg")).toUtf8()));
}

TEST_F(CoverArchive, Windows1252TextsSurvive)
{
    const QString special = QString::fromUtf8("Caf\xc3\xa9 \xe2\x82\xac \xc3\xbc\xc3\x9f \xe2\x80\x94 \xc2\xbd");
    m_doc.Text = special;
    m_doc.Contents = special + QStringLiteral("\r\n") + special;
    m_doc.FrontText2 = special;
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("c.vrz")));
    // Stored as 8-bit text, one byte per character.
    EXPECT_TRUE(member(path("c.vrz"), QStringLiteral("vorn.ini")).contains("Caf\xe9 \x80 \xfc\xdf \x97 \xbd"));
    ASSERT_TRUE(reopen(path("c.vrz")));
    EXPECT_EQ(m_doc.Text, special);
    EXPECT_EQ(m_doc.Contents, special + QStringLiteral("\r\n") + special);
    EXPECT_EQ(m_doc.FrontText2, special);
}

TEST_F(CoverArchive, SaveAndOpenRecordTheFileAndTheFolder)
{
    QDir().mkpath(path("covers"));
    ASSERT_TRUE(SaveAsFile(m_ctx, path("covers/a.vrz")));
    EXPECT_EQ(m_ctx.lastPath, path("covers/"));
    m_ctx.lastPath.clear();
    ASSERT_TRUE(reopen(path("covers/a.vrz")));
    EXPECT_EQ(m_ctx.lastPath, path("covers/"));
    EXPECT_EQ(m_recent, (QStringList{path("covers/a.vrz"), path("covers/a.vrz")}));
    // Both previews are redrawn after a save and after an open.
    EXPECT_EQ(m_backRedraws, 2);
    EXPECT_EQ(m_frontRedraws, 2);
}

TEST_F(CoverArchive, OpeningReplacesTheWorkingFolder)
{
    m_doc.BackPicture.ref = makePicture(QStringLiteral("pics/b.png"), Qt::red);
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("c.vrz")));
    ASSERT_TRUE(writeFile(m_work + "old-insert.jpg", "left over"));
    QDir().mkpath(m_work + "preview");
    ASSERT_TRUE(reopen(path("c.vrz")));
    EXPECT_EQ(workingFiles(), (QStringList{"b.png", "c.vrz.txt", "dummy.txt", "vorn.ini", "~vorn_preview_file~.bmp"}));
    EXPECT_TRUE(QFileInfo(m_work + "preview").isDir());
}

// ---- archives written by other tools

TEST_F(CoverArchive, OpensAnArchiveWrittenByPython)
{
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    red.save(path("p.bmp"));
    ASSERT_TRUE(pythonZip(path("py.vrz"),
                          {{"covers/vorn.ini", "[LastCover]\r\nText=\"Py Label\"\r\nBackColor=255\r\nBackPicture={p.bmp}\r\n"},
                           {"covers/py.vrz.txt", "// ~contents~=\r\nline 1\r\nline 2\r\n// ~fronttext1~=\r\n"
                                                 "inner\r\n// ~fronttext2~=\r\nouter\r\n"},
                           {"covers/p.bmp", readFile(path("p.bmp"))}}));
    ASSERT_TRUE(OpenSub(m_ctx, path("py.vrz")));
    EXPECT_EQ(m_doc.Text, QStringLiteral("Py Label"));
    EXPECT_EQ(m_doc.BackColor, 255);
    EXPECT_EQ(m_doc.Contents, QStringLiteral("line 1\r\nline 2"));
    EXPECT_EQ(m_doc.FrontText1, QStringLiteral("inner"));
    EXPECT_EQ(m_doc.FrontText2, QStringLiteral("outer"));
    EXPECT_EQ(m_doc.BackPicture.image.pixelColor(0, 0), QColor(Qt::red));
}

TEST_F(CoverArchive, OpensAnArchiveWrittenByTheZipCommand)
{
    QDir().mkpath(path("src"));
    ASSERT_TRUE(writeFile(path("src/vorn.ini"), "[LastCover]\r\nText=\"Zipped\"\r\nFlipLabels=1\r\n"));
    ASSERT_TRUE(writeFile(path("src/x.vrz.txt"), "// ~contents~=\r\nzip\r\n"));
    ASSERT_EQ(run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-9"), path("Z.VRZ"),
                                          QStringLiteral("src/vorn.ini"), QStringLiteral("src/x.vrz.txt")},
                  m_dir.path()).exitCode,
              0);
    ASSERT_TRUE(OpenSub(m_ctx, path("Z.VRZ")));
    EXPECT_EQ(m_doc.Text, QStringLiteral("Zipped"));
    EXPECT_EQ(m_doc.FlipLabels, 1);
    EXPECT_EQ(m_doc.Contents, QStringLiteral("zip"));
}

TEST_F(CoverArchive, HostileMemberNamesLandInTheWorkingFolder)
{
    ASSERT_TRUE(pythonZip(path("evil.vrz"), {{"../../vorn.ini", "[LastCover]\r\nText=\"Evil\"\r\n"},
                                             {"/etc/x.vrz.txt", "// ~contents~=\r\nc\r\n"},
                                             {"..\\..\\escape.bin", "e"}}));
    ASSERT_TRUE(OpenSub(m_ctx, path("evil.vrz")));
    EXPECT_EQ(m_doc.Text, QStringLiteral("Evil"));
    EXPECT_EQ(workingFiles(), (QStringList{"dummy.txt", "escape.bin", "vorn.ini", "x.vrz.txt"}));
    EXPECT_FALSE(QFileInfo::exists(path("escape.bin")));
    EXPECT_FALSE(QFileInfo::exists(path("vorn.ini")));
}

TEST_F(CoverArchive, MemberNamedLikeAWorkingSubfolderIsDropped)
{
    QDir().mkpath(m_work + "preview");
    ASSERT_TRUE(pythonZip(path("c.vrz"), {{"vorn.ini", "[LastCover]\r\nText=\"Kept\"\r\n"},
                                          {"c.vrz.txt", "// ~contents~=\r\nc\r\n"},
                                          {"preview", "not a folder"}}));
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    EXPECT_EQ(m_doc.Text, QStringLiteral("Kept"));
    EXPECT_TRUE(QFileInfo(m_work + "preview").isDir());
}

// ---- failures

TEST_F(CoverArchive, FailedSaveKeepsTheOldArchiveAndTheUnsavedState)
{
    // A picture that cannot be compressed, and a file-size limit it cannot fit under.
    m_doc.BackPicture.ref = makeRandomFile(QStringLiteral("noise.bmp"), 800000);
    ASSERT_TRUE(writeFile(path("c.vrz"), "previous archive"));
    m_doc.currentFile = path("c.vrz");
    m_doc.saved = false;
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 300000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ok = SaveCommand(m_ctx);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ok);
    EXPECT_EQ(readFile(path("c.vrz")), QByteArray("previous archive"));
    EXPECT_FALSE(m_doc.saved);
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_TRUE(m_dialogs.shown[0].text.startsWith(msg(28) + "\n" + msg(29))) << m_dialogs.shown[0].text.toStdString();
    EXPECT_NE(m_dialogs.shown[0].text, msg(28) + "\n" + msg(29) + "0");
    EXPECT_EQ(m_dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_TRUE(m_recent.isEmpty());

    // The next open asks whether to save first.
    m_dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(OpenSub(m_ctx, path("c.vrz")));
    ASSERT_EQ(m_dialogs.shown.size(), 2u);
    EXPECT_EQ(m_dialogs.shown[1].text, msg(34) + "\n" + msg(35));
    EXPECT_EQ(m_dialogs.shown[1].title, msg(37));
    EXPECT_EQ(m_dialogs.shown[1].buttons, MsgButtons::YesNoCancel);
}

TEST_F(CoverArchive, SettingsThatCannotBeWrittenKeepTheOldArchive)
{
    ASSERT_TRUE(writeFile(path("c.vrz"), "previous archive"));
    QDir().mkpath(m_work + "vorn.ini"); // a folder where the settings file goes
    m_doc.saved = false;
    EXPECT_FALSE(SaveAsFile(m_ctx, path("c.vrz")));
    EXPECT_EQ(readFile(path("c.vrz")), QByteArray("previous archive"));
    EXPECT_FALSE(m_doc.saved);
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_EQ(m_dialogs.shown[0].text, msg(16));
}

TEST_F(CoverArchive, WrongExtensionIsRefused)
{
    m_doc.Text = QStringLiteral("kept");
    ASSERT_TRUE(writeFile(path("cover.zip"), "x"));
    EXPECT_FALSE(OpenSub(m_ctx, path("cover.zip")));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_EQ(m_dialogs.shown[0].text, msg(39));
    EXPECT_EQ(m_dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(m_doc.Text, QStringLiteral("kept"));
}

TEST_F(CoverArchive, MissingFileGives474)
{
    EXPECT_FALSE(OpenSub(m_ctx, path("nowhere.vrz")));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_EQ(m_dialogs.shown[0].text, msg(31) + "\n" + msg(29) + "474");
    EXPECT_EQ(m_dialogs.shown[0].icon, MsgIcon::Critical);
}

TEST_F(CoverArchive, DamagedArchiveLeavesDocumentAndWorkingFolder)
{
    m_doc.BackPicture.ref = makePicture(QStringLiteral("pics/b.png"), Qt::red);
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("good.vrz")));
    const QByteArray good = readFile(path("good.vrz"));
    // The open cover's working copy of an inserted picture must outlive the failed open.
    ASSERT_TRUE(writeFile(m_work + "inserted.png", "picture"));
    m_doc.FrontPicture.ref = m_work + "inserted.png";
    m_doc.Text = QStringLiteral("current");
    m_doc.saved = false;
    const QStringList before = workingFiles();

    for (const QByteArray& bad : {good.left(good.size() / 2), QByteArray("not a zip"), QByteArray()}) {
        ASSERT_TRUE(writeFile(path("bad.vrz"), bad));
        m_dialogs.shown.clear();
        m_dialogs.answers = {MsgResult::No}; // discard the changes
        EXPECT_FALSE(OpenSub(m_ctx, path("bad.vrz")));
        ASSERT_EQ(m_dialogs.shown.size(), 2u);
        const QString text = m_dialogs.shown[1].text;
        EXPECT_TRUE(text.startsWith(msg(31) + "\n" + msg(29))) << text.toStdString();
        EXPECT_NE(text, msg(31) + "\n" + msg(29) + "0");
        EXPECT_EQ(m_dialogs.shown[1].icon, MsgIcon::Critical);
        EXPECT_EQ(m_doc.Text, QStringLiteral("current"));
        EXPECT_EQ(m_doc.currentFile, path("good.vrz"));
        EXPECT_EQ(workingFiles(), before);
        EXPECT_EQ(QDir(m_work).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
    }
}

TEST_F(CoverArchive, ArchiveWithoutTextFileStillLoadsTheSettings)
{
    ASSERT_TRUE(pythonZip(path("c.vrz"), {{"vorn.ini", "[LastCover]\r\nText=\"No texts\"\r\n"}}));
    m_doc.Contents = QStringLiteral("old");
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_EQ(m_dialogs.shown[0].text, kTxtMissing);
    EXPECT_EQ(m_doc.Text, QStringLiteral("No texts"));
    EXPECT_EQ(m_doc.Contents, QString());
}

TEST_F(CoverArchive, ArchiveWithoutSettingsOpensSilentlyWithDefaults)
{
    m_doc.BackPicture.ref = makePicture(QStringLiteral("b.png"), Qt::red);
    m_doc.BackPicture.image = QImage(2, 2, QImage::Format_RGB32);
    m_doc.pMethod = 3;
    ASSERT_TRUE(pythonZip(path("c.vrz"), {{"c.vrz.txt", "// ~contents~=\r\nonly text\r\n"}}));
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    EXPECT_TRUE(m_dialogs.shown.empty()) << m_dialogs.texts().join('|').toStdString();
    EXPECT_EQ(m_doc.Contents, QStringLiteral("only text"));
    EXPECT_EQ(m_doc.pMethod, 1);
    EXPECT_TRUE(m_doc.BackPicture.image.isNull());
    EXPECT_TRUE(m_doc.BackPicture.ref.isEmpty());
}

TEST_F(CoverArchive, UnusableWorkingFolderIsReported)
{
    ASSERT_TRUE(writeFile(path("file"), "x"));
    app::setWorkingFolder(path("file/tmp"));
    EXPECT_FALSE(SaveAsFile(m_ctx, path("c.vrz")));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_TRUE(m_dialogs.shown[0].text.contains(QStringLiteral("\nCODE:")));
    EXPECT_EQ(m_dialogs.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(QFileInfo::exists(path("c.vrz")));
}

// ---- bad settings inside an archive

TEST_F(CoverArchive, BadValuesInsideAnArchiveAreReportedNotFatal)
{
    const QByteArray huge = QByteArray("y").repeated(3000);
    QByteArray ini = "[LastCover]\r\nForeColor=red\r\npMethod=7\r\nText=\"" + huge + "\"\r\nFontname=\x80\x9f\xff\r\n"
                     "BackPicture={broken.jpg}\r\nBackColor=255\r\n";
    ASSERT_TRUE(pythonZip(path("c.vrz"), {{"vorn.ini", ini},
                                          {"c.vrz.txt", "// ~contents~=\r\n\x80\x81\xfe\r\n"},
                                          {"broken.jpg", "not a picture at all"}}));
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    EXPECT_EQ(m_doc.BackColor, 255);
    EXPECT_EQ(m_doc.Contents, fromWin1252(QByteArray("\x80\x81\xfe")));
    EXPECT_LE(m_doc.Text.size(), 2047);
    EXPECT_TRUE(m_doc.BackPicture.image.isNull());
    EXPECT_EQ(m_doc.BackPicture.ref, m_work + "broken.jpg");
    EXPECT_TRUE(m_doc.saved);
    // The load names what it could not apply.
    ASSERT_FALSE(m_dialogs.shown.empty());
    EXPECT_TRUE(m_dialogs.texts().join('\n').contains(msg(17)));
}

TEST_F(CoverArchive, HugePictureInsideAnArchiveIsNotDecoded)
{
    const QString huge = makeHugePng(QStringLiteral("huge.png"), 20000, 20000);
    ASSERT_TRUE(pythonZip(path("c.vrz"), {{"vorn.ini", "[LastCover]\r\nFrontPicture={huge.png}\r\nText=\"big\"\r\n"},
                                          {"c.vrz.txt", "// ~contents~=\r\n"},
                                          {"huge.png", readFile(huge)}}));
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    EXPECT_EQ(m_doc.Text, QStringLiteral("big"));
    EXPECT_TRUE(m_doc.FrontPicture.image.isNull());
    // The file stays packed with the cover: a later save keeps it.
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("c.vrz")));
    EXPECT_TRUE(membersOf(path("c.vrz")).contains(QStringLiteral("huge.png")));
}

TEST_F(CoverArchive, Windows1252BytesInEveryKey)
{
    ASSERT_TRUE(SaveAsFile(m_ctx, path("plain.vrz")));
    QByteArray ini = "[LastCover]\r\n";
    int keys = 0;
    for (const QByteArray& line : member(path("plain.vrz"), QStringLiteral("vorn.ini")).split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0) {
            ini += line.left(eq) + "=\x80\x9f\xe9\xff\r\n";
            ++keys;
        }
    }
    ASSERT_EQ(keys, 54);
    ASSERT_TRUE(pythonZip(path("c.vrz"), {{"vorn.ini", ini}, {"c.vrz.txt", "// ~contents~=\r\n\x80\r\n"}}));
    m_dialogs.answers = {MsgResult::Ok, MsgResult::Ok};
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    EXPECT_EQ(m_doc.Text, fromWin1252("\x80\x9f\xe9\xff"));
    EXPECT_EQ(m_doc.Contents, fromWin1252("\x80"));
    // Whatever could be applied, the cover still saves and opens again.
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("again.vrz")));
    EXPECT_TRUE(OpenSub(m_ctx, path("again.vrz")));
}

// ---- the commands

TEST_F(CoverArchive, SaveAsAddsTheExtensionWhenMissing)
{
    m_dialogs.files = {path("Band"), path("Band.VRZ")};
    ASSERT_TRUE(SaveAsCommand(m_ctx));
    EXPECT_TRUE(QFileInfo::exists(path("Band.vrz")));
    ASSERT_TRUE(SaveAsCommand(m_ctx));
    EXPECT_TRUE(QFileInfo::exists(path("Band.VRZ.vrz")));
    ASSERT_EQ(m_dialogs.fileRequests.size(), 2u);
    const FileDialogRequest& second = m_dialogs.fileRequests[1];
    EXPECT_TRUE(second.save);
    EXPECT_EQ(second.fileName, QStringLiteral("Band.vrz"));
    EXPECT_EQ(second.folder, m_dir.path() + "/");
    EXPECT_EQ(second.filter, msg(27) + " (.vrz) (*.vrz)");
}

TEST_F(CoverArchive, SaveAsAsksBeforeReplacing)
{
    ASSERT_TRUE(writeFile(path("c.vrz"), "old"));
    m_dialogs.files = {path("c.vrz"), path("c.vrz")};
    m_dialogs.answers = {MsgResult::Cancel, MsgResult::Ok};
    EXPECT_FALSE(SaveAsCommand(m_ctx));
    EXPECT_EQ(readFile(path("c.vrz")), QByteArray("old"));
    ASSERT_EQ(m_dialogs.shown.size(), 1u);
    EXPECT_EQ(m_dialogs.shown[0].text, msg(10) + "\n" + msg(11));
    EXPECT_EQ(m_dialogs.shown[0].title, msg(10));
    EXPECT_EQ(m_dialogs.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(m_dialogs.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(SaveAsCommand(m_ctx));
    EXPECT_EQ(membersOf(path("c.vrz")).value(0), QStringLiteral("vorn.ini"));
}

TEST_F(CoverArchive, SaveReplacesTheCurrentFileWithoutAsking)
{
    ASSERT_TRUE(SaveAsFile(m_ctx, path("c.vrz")));
    m_doc.Text = QStringLiteral("second");
    m_dialogs.shown.clear();
    ASSERT_TRUE(SaveCommand(m_ctx));
    EXPECT_TRUE(m_dialogs.shown.empty());
    EXPECT_TRUE(m_dialogs.fileRequests.empty());
    EXPECT_TRUE(member(path("c.vrz"), QStringLiteral("vorn.ini")).contains("Text=\"second\""));
}

TEST_F(CoverArchive, SaveWithoutFileRunsSaveAsAndCancelStops)
{
    EXPECT_FALSE(SaveCommand(m_ctx));
    EXPECT_EQ(m_dialogs.fileRequests.size(), 1u);
}

TEST_F(CoverArchive, CheckIfSavedFollowsTheAnswer)
{
    EXPECT_TRUE(CheckIfSaved(m_ctx));
    EXPECT_TRUE(m_dialogs.shown.empty());
    m_doc.saved = false;
    m_dialogs.answers = {MsgResult::No};
    EXPECT_TRUE(CheckIfSaved(m_ctx));
    m_dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(CheckIfSaved(m_ctx));
    // Yes saves; cancelling the save dialog means the cover is still unsaved.
    m_dialogs.answers = {MsgResult::Yes};
    EXPECT_FALSE(CheckIfSaved(m_ctx));
    m_dialogs.answers = {MsgResult::Yes};
    m_dialogs.files = {path("asked.vrz")};
    EXPECT_TRUE(CheckIfSaved(m_ctx));
    EXPECT_TRUE(QFileInfo::exists(path("asked.vrz")));
    EXPECT_EQ(m_dialogs.shown.size(), 4u);
}

TEST_F(CoverArchive, OpenCommandAsksForTheFileInTheLastFolder)
{
    ASSERT_TRUE(SaveAsFile(m_ctx, path("c.vrz")));
    m_ctx.lastPath = QStringLiteral("/somewhere/");
    FileDialogRequest asked;
    m_ctx.chooseCover = [&](const FileDialogRequest& r) {
        asked = r;
        return path("c.vrz");
    };
    ASSERT_TRUE(OpenSub(m_ctx));
    EXPECT_EQ(asked.folder, QStringLiteral("/somewhere/"));
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.filter, msg(27) + " (.vrz) (*.vrz)");
    m_ctx.chooseCover = [](const FileDialogRequest&) { return QString(); };
    EXPECT_FALSE(OpenSub(m_ctx));
    EXPECT_TRUE(m_dialogs.shown.empty());
}

TEST_F(CoverArchive, NoSecondCommandWhileOneRuns)
{
    // Window messages are let through during a command; a cover dropped then is refused.
    ASSERT_TRUE(SaveAsFile(m_ctx, path("a.vrz")));
    m_doc.Text = QStringLiteral("b");
    ASSERT_TRUE(SaveAsFile(m_ctx, path("b.vrz")));
    bool nestedOpen = true;
    bool nestedSave = true;
    m_ctx.redrawBack = [&] {
        nestedOpen = OpenSub(m_ctx, path("b.vrz"));
        nestedSave = SaveCoverToFile(m_ctx, path("c.vrz"));
    };
    ASSERT_TRUE(OpenSub(m_ctx, path("a.vrz")));
    EXPECT_FALSE(nestedOpen);
    EXPECT_FALSE(nestedSave);
    EXPECT_EQ(m_doc.currentFile, path("a.vrz"));
    EXPECT_FALSE(QFileInfo::exists(path("c.vrz")));
    // Once it has ended, the next command runs.
    m_ctx.redrawBack = nullptr;
    EXPECT_TRUE(OpenSub(m_ctx, path("b.vrz")));
    EXPECT_EQ(m_doc.Text, QStringLiteral("b"));
}

TEST_F(CoverArchive, FlushTmpKeepsDummyAndFolders)
{
    ASSERT_TRUE(writeFile(m_work + "a.jpg", "a"));
    ASSERT_TRUE(writeFile(m_work + "DUMMY.TXT.bak", "b"));
    ASSERT_TRUE(writeFile(m_work + "ro.ini", "c"));
    QFile::setPermissions(m_work + "ro.ini", QFile::ReadOwner);
    QDir().mkpath(m_work + "preview");
    ASSERT_TRUE(writeFile(m_work + "preview/inside.bmp", "d"));
    FlushTmp();
    EXPECT_EQ(workingFiles(), QStringList{"dummy.txt"});
    EXPECT_TRUE(QFileInfo::exists(m_work + "preview/inside.bmp"));
}

TEST_F(CoverArchive, PreviewBitmapComesOutOfTheArchive)
{
    ASSERT_TRUE(SaveAsFile(m_ctx, path("c.vrz")));
    const QImage preview = coverArchivePreview(path("c.vrz"));
    EXPECT_EQ(preview.size(), QSize(kPreviewBoxWidth, kPreviewBoxHeight));
    EXPECT_EQ(QDir(m_work + "preview").entryList(QDir::Files), QStringList());

    ASSERT_TRUE(pythonZip(path("old.vrz"), {{"vorn.ini", "[LastCover]\r\n"}}));
    EXPECT_TRUE(coverArchivePreview(path("old.vrz")).isNull());
    ASSERT_TRUE(writeFile(path("junk.vrz"), "junk"));
    EXPECT_TRUE(coverArchivePreview(path("junk.vrz")).isNull());
}

TEST_F(CoverArchive, CoverFileNamesIgnoreCase)
{
    EXPECT_TRUE(isCoverFileName(QStringLiteral("/a/BAND.VRZ")));
    EXPECT_TRUE(isCoverFileName(QStringLiteral("b.vrz")));
    EXPECT_FALSE(isCoverFileName(QStringLiteral("b.vrz.txt")));
    EXPECT_FALSE(isCoverFileName(QStringLiteral("vrz")));
}

} // namespace
