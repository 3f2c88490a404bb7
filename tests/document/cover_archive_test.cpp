#include "document/cover_archive.h"

#include "cover_files_env.h"
#include "gtest_qt.h"

#include <QRegularExpression>

#include <csignal>
#include <functional>
#include <sys/resource.h>

using namespace fixtures;

namespace {

class CoverArchive : public CoverFilesTest {
protected:
    // The one message shown since the last call matches pattern in full.
    void expectShown(const QString& pattern, MsgIcon icon)
    {
        ASSERT_EQ(m_dialogs.shown.size(), 1u) << m_dialogs.texts().join('|').toStdString();
        const QString text = m_dialogs.shown[0].text;
        EXPECT_TRUE(QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch())
            << text.toStdString();
        EXPECT_EQ(m_dialogs.shown[0].icon, icon);
        m_dialogs.shown.clear();
    }
    QString failure(int first) const
    {
        return QRegularExpression::escape(msg(first) + "\n" + msg(29)) + QStringLiteral("[1-9]\\d*");
    }
};

// One save and open carries swapped bold and italic flags, a label with outer spaces and
// Windows-1252 characters, a removed picture and two slots sharing one picture.
TEST_F(CoverArchive, EverythingSurvivesSaveAndOpen)
{
    const QString label = QString::fromUtf8("  Caf\xc3\xa9 \xe2\x82\xac \xe2\x80\x94  ");
    m_doc.Fontname = m_ctx.fontList.back();
    m_doc.FontBold2 = 1;
    m_doc.Text = label;
    m_doc.Contents = QStringLiteral("a\r\nb");
    m_doc.BackPicture.ref = QStringLiteral("none");
    m_doc.FrontPicture.ref = m_doc.FrontPicture1.ref = makePicture(QStringLiteral("pics/shared.png"), Qt::green);
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("Band.vrz")));
    EXPECT_EQ(membersOf(path("Band.vrz")), (QStringList{"vorn.ini", "Band.vrz.txt", "shared.png", kPreviewFileName}));
    EXPECT_EQ(run(QStringLiteral("unzip"), {QStringLiteral("-t"), path("Band.vrz")}).exitCode, 0);
    const QByteArray ini = memberOf(path("Band.vrz"), QStringLiteral("vorn.ini"));
    for (const char* line : {"FontBold2=1\r\nFontItalic2=0\r\n", "BackPicture=none\r\n", "FrontPicture1={shared.png}\r\n",
                             "Text=\"  Caf\xe9 \x80 \x97  \"\r\n"})
        EXPECT_TRUE(ini.contains(line)) << line;

    m_doc = CoverDocument();
    ASSERT_TRUE(OpenSub(m_ctx, path("Band.vrz")));
    EXPECT_EQ(m_doc.Fontname, m_ctx.fontList.back());
    EXPECT_EQ(std::make_pair(m_doc.FontBold2, m_doc.FontItalic2), std::make_pair(1, 0));
    EXPECT_EQ(m_doc.Text, label);
    EXPECT_EQ(m_doc.Contents, QStringLiteral("a\r\nb"));
    EXPECT_EQ(m_doc.BackPicture.ref, QStringLiteral("none"));
    EXPECT_EQ(m_doc.FrontPicture1.ref, m_work + "shared.png");
    EXPECT_EQ(m_doc.FrontPicture.image.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(m_doc.FrontPicture1.image.pixelColor(1, 1), QColor(Qt::green));
    EXPECT_EQ(m_doc.currentFile, path("Band.vrz"));
    EXPECT_TRUE(m_doc.saved);
    EXPECT_TRUE(m_dialogs.shown.empty()) << m_dialogs.texts().join('|').toStdString();
}

TEST_F(CoverArchive, OpensArchivesOfOtherTools)
{
    QList<Member> members{{"vorn.ini", "[LastCover]\r\nText=\"Elsewhere\"\r\nBackPicture={p.bmp}\r\n"},
                          {"x.vrz.txt", "// ~contents~=\r\nline 1\r\n// ~fronttext1~=\r\ninner\r\n"},
                          {"p.bmp", readFile(makePicture(QStringLiteral("src/sub/p.bmp"), Qt::red))}};
    for (Member& m : members) {
        ASSERT_TRUE(writeFile(path("src/sub/" + m.name), m.data));
        m.name.prepend(QStringLiteral("covers/"));
    }
    // zip stores the folders as entries of their own, Python's zipfile does not.
    ASSERT_EQ(run(QStringLiteral("zip"), {"-r", "-q", path("Z.VRZ"), "src"}, m_dir.path()).exitCode, 0);
    ASSERT_TRUE(pythonZip(path("py.vrz"), members));
    for (const char* archive : {"Z.VRZ", "py.vrz"}) {
        m_doc = CoverDocument();
        ASSERT_TRUE(OpenSub(m_ctx, path(archive))) << archive;
        EXPECT_EQ(m_doc.Text + m_doc.Contents + m_doc.FrontText1, QStringLiteral("Elsewhereline 1inner"));
        EXPECT_EQ(m_doc.BackPicture.image.pixelColor(0, 0), QColor(Qt::red));
    }
    EXPECT_TRUE(m_dialogs.shown.empty()) << m_dialogs.texts().join('|').toStdString();
}

TEST_F(CoverArchive, HostileMemberNamesLandInTheWorkingFolder)
{
    QDir().mkpath(m_work + "preview");
    ASSERT_TRUE(pythonZip(path("evil.vrz"), {{"../../vorn.ini", "[LastCover]\r\nText=\"Evil\"\r\n"},
                                             {"/etc/x.vrz.txt", "// ~contents~=\r\nc\r\n"},
                                             {"preview", "named like a folder of the working folder"}}));
    ASSERT_TRUE(OpenSub(m_ctx, path("evil.vrz")));
    EXPECT_EQ(m_doc.Text, QStringLiteral("Evil"));
    EXPECT_EQ(entriesBelow(m_dir.path()),
              (QStringList{"evil.vrz", "work", "work/dummy.txt", "work/preview", "work/vorn.ini", "work/x.vrz.txt"}));
}

TEST_F(CoverArchive, ArchiveWithoutAPartStillOpens)
{
    ASSERT_TRUE(pythonZip(path("no-txt.vrz"), {{"vorn.ini", "[LastCover]\r\nText=\"No texts\"\r\n"}}));
    m_doc.Contents = QStringLiteral("old");
    ASSERT_TRUE(OpenSub(m_ctx, path("no-txt.vrz")));
    expectShown(QRegularExpression::escape("Load error! (txt not found) File is corrupted!"), MsgIcon::Critical);
    EXPECT_EQ(m_doc.Text + m_doc.Contents, QStringLiteral("No texts"));
    // Without settings every setting takes its default, silently; no old picture stays.
    m_doc.pMethod = 3;
    m_doc.BackPicture.image = QImage(2, 2, QImage::Format_RGB32);
    ASSERT_TRUE(pythonZip(path("no-ini.vrz"), {{"c.vrz.txt", "// ~contents~=\r\nonly text\r\n"}}));
    ASSERT_TRUE(OpenSub(m_ctx, path("no-ini.vrz")));
    EXPECT_TRUE(m_dialogs.shown.empty());
    EXPECT_EQ(m_doc.Contents, QStringLiteral("only text"));
    EXPECT_EQ(m_doc.pMethod, 1);
    EXPECT_TRUE(m_doc.BackPicture.image.isNull());
}

// Neither the document nor the working folder changes when an archive cannot be opened.
TEST_F(CoverArchive, FailedOpenChangesNothing)
{
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("good.vrz")));
    const QByteArray good = readFile(path("good.vrz"));
    QByteArray corrupt = good;
    for (int i = corrupt.indexOf("vorn.ini") + 40, end = i + 16; i < end; ++i)
        corrupt[i] = char(corrupt[i] ^ 0x5a);
    ASSERT_EQ(run(QStringLiteral("zip"), {"-q", "-P", "pw", path("enc.vrz"), "good.vrz"}, m_dir.path()).exitCode, 0);
    // The open cover's working copy of an inserted picture must outlive the failed open.
    ASSERT_TRUE(writeFile(m_work + "inserted.png", "picture"));
    m_doc.Text = QStringLiteral("current");
    const QStringList before = entriesBelow(m_work);
    const struct {
        const char* file;
        QByteArray data; // null: no file at all
        QString message;
    } cases[] = {
        {"cover.zip", good, QRegularExpression::escape(msg(39))},
        {"nowhere.vrz", QByteArray(), QRegularExpression::escape(msg(31) + "\n" + msg(29) + "474")},
        {"cut.vrz", good.left(good.size() / 2), failure(31)},
        {"cut2.vrz", good.left(good.size() - 10), failure(31)},
        {"corrupt.vrz", corrupt, failure(31)},
        {"text.vrz", "not a cover", failure(31)},
        {"empty.vrz", "", failure(31)},
        {"enc.vrz", readFile(path("enc.vrz")), failure(31)},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(c.data.isNull() || writeFile(path(c.file), c.data));
        EXPECT_FALSE(OpenSub(m_ctx, path(c.file))) << c.file;
        expectShown(c.message, MsgIcon::Critical);
        EXPECT_EQ(m_doc.Text, QStringLiteral("current")) << c.file;
        EXPECT_EQ(m_doc.currentFile, path("good.vrz"));
        EXPECT_EQ(entriesBelow(m_work), before) << c.file;
    }
}

// The old archive stays whole, the document unsaved, and the next open asks first.
TEST_F(CoverArchive, FailedSaveKeepsTheOldArchive)
{
    rlimit unlimited{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_TRUE(writeFile(path("noise.bmp"), noise(800000)));
    m_doc.BackPicture.ref = path("noise.bmp");
    ASSERT_TRUE(writeFile(path("file"), "where the working folder should be"));
    const struct {
        std::function<void()> spoil;
        QString message;
        MsgIcon icon;
    } cases[] = {
        {[&] {
             rlimit small{300000, unlimited.rlim_max};
             setrlimit(RLIMIT_FSIZE, &small);
         },
         failure(28), MsgIcon::Critical},
        {[&] { QFile::remove(m_work + "vorn.ini") && QDir().mkpath(m_work + "vorn.ini"); },
         QRegularExpression::escape(msg(16)), MsgIcon::Critical},
        {[&] { app::setWorkingFolder(path("file/tmp/")); }, QStringLiteral(".*\nCODE:\\d+"), MsgIcon::Exclamation},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFile(path("c.vrz"), "previous archive"));
        m_doc.currentFile = path("c.vrz");
        m_doc.saved = false;
        c.spoil();
        const bool saved = SaveCommand(m_ctx);
        setrlimit(RLIMIT_FSIZE, &unlimited);
        app::setWorkingFolder(m_work);
        QDir(m_work + "vorn.ini").removeRecursively();
        EXPECT_FALSE(saved);
        EXPECT_EQ(readFile(path("c.vrz")), QByteArray("previous archive"));
        expectShown(c.message, c.icon);
        m_dialogs.answers = {MsgResult::Cancel};
        EXPECT_FALSE(OpenSub(m_ctx, path("c.vrz")));
        expectShown(QRegularExpression::escape(msg(34) + "\n" + msg(35)), MsgIcon::Exclamation);
    }
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"c.vrz", "file", "noise.bmp"}));
}

// Window messages are let through during a command; a cover dropped then is refused.
TEST_F(CoverArchive, NoSecondCommandWhileOneRuns)
{
    ASSERT_TRUE(SaveAsFile(m_ctx, path("a.vrz")));
    bool nested = true;
    m_ctx.redrawBack = [&] { nested = OpenSub(m_ctx, path("a.vrz")) || SaveCoverToFile(m_ctx, path("b.vrz")); };
    ASSERT_TRUE(OpenSub(m_ctx, path("a.vrz")));
    EXPECT_FALSE(nested);
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("a.vrz")));
    EXPECT_FALSE(nested);
    EXPECT_FALSE(QFileInfo::exists(path("b.vrz")));
}

TEST_F(CoverArchive, PictureTooLargeToDecodeStaysPackedWithTheCover)
{
    const QByteArray huge = readFile(QStringLiteral(CASELEAF_TEST_DATA "/pictures/huge.png"));
    ASSERT_TRUE(pythonZip(path("c.vrz"), {{"vorn.ini", "[LastCover]\r\nFrontPicture={huge.png}\r\nText=\"big\"\r\n"},
                                          {"c.vrz.txt", "// ~contents~=\r\n"},
                                          {"huge.png", huge}}));
    ASSERT_TRUE(OpenSub(m_ctx, path("c.vrz")));
    EXPECT_EQ(m_doc.Text, QStringLiteral("big"));
    EXPECT_TRUE(m_doc.FrontPicture.image.isNull());
    ASSERT_TRUE(SaveCoverToFile(m_ctx, path("c.vrz")));
    EXPECT_EQ(memberOf(path("c.vrz"), QStringLiteral("huge.png")), huge);
}

} // namespace
