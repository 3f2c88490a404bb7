#include "archive/zip_engine.h"

#include "archive/zip_fixtures.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"

#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace fixtures;

namespace {

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray b(size, Qt::Uninitialized);
    for (char& c : b)
        c = char(gen.bounded(256));
    return b;
}

class ZipEngine : public ::testing::Test {
protected:
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString makeFile(const QString& name, const QByteArray& data)
    {
        const QString p = path(name);
        QDir().mkpath(QFileInfo(p).path());
        EXPECT_TRUE(writeFile(p, data));
        return p;
    }
    QString makeFolder(const QString& name)
    {
        QDir().mkpath(path(name));
        return path(name);
    }
};

// ---- packing

TEST_F(ZipEngine, PackedArchiveUnpacksToTheSameBytes)
{
    const QByteArray text = QByteArray("Track 1\r\nTrack 2\r\n").repeated(500);
    const QByteArray binary = randomBytes(200000, 7);
    const QString a = makeFile(QStringLiteral("src/vorn.ini"), text);
    const QString b = makeFile(QStringLiteral("src/pic.jpg"), binary);
    ASSERT_EQ(CompressFiles(a + "|" + b, path("c.vrz"), 9), 0);

    const QString out = makeFolder(QStringLiteral("out"));
    ASSERT_EQ(ExtractFile(path("c.vrz"), out, false, false), 0);
    EXPECT_EQ(readFile(out + "/vorn.ini"), text);
    EXPECT_EQ(readFile(out + "/pic.jpg"), binary);
    EXPECT_EQ(entriesBelow(out), (QStringList{"pic.jpg", "vorn.ini"}));
}

TEST_F(ZipEngine, ArchivePassesUnzipTestWithBareNamesInListedOrder)
{
    const QString a = makeFile(QStringLiteral("one/deep/b.txt"), "bbb");
    const QString b = makeFile(QStringLiteral("two/a.txt"), "aaa");
    ASSERT_EQ(CompressFiles(a + "|" + b, path("c.vrz"), 9), 0);

    const RunResult test = run(QStringLiteral("unzip"), {QStringLiteral("-t"), path("c.vrz")});
    EXPECT_EQ(test.exitCode, 0) << test.out.constData();
    EXPECT_EQ(membersOf(path("c.vrz")), (QStringList{"b.txt", "a.txt"}));
}

TEST_F(ZipEngine, UsesDeflateAtMaximumLevel)
{
    const QString a = makeFile(QStringLiteral("a.txt"), QByteArray("compressible ").repeated(1000));
    ASSERT_EQ(CompressFiles(a, path("c.vrz"), 9), 0);
    // Deflate is method 8; bits 1-2 of the flags say "maximum compression".
    const RunResult r = python(QStringLiteral("import sys, zipfile\n"
                                              "i = zipfile.ZipFile(sys.argv[1]).infolist()[0]\n"
                                              "print(i.compress_type, i.flag_bits & 6, i.compress_size < i.file_size)"),
                               {path("c.vrz")});
    EXPECT_EQ(r.out.trimmed(), QByteArray("8 2 True"));
}

TEST_F(ZipEngine, LevelZeroStores)
{
    const QString a = makeFile(QStringLiteral("a.txt"), QByteArray("x").repeated(1000));
    ASSERT_EQ(CompressFiles(a, path("c.vrz"), 0), 0);
    const RunResult r = python(QStringLiteral("import sys, zipfile\n"
                                              "print(zipfile.ZipFile(sys.argv[1]).infolist()[0].compress_type)"),
                               {path("c.vrz")});
    EXPECT_EQ(r.out.trimmed(), QByteArray("0"));
}

TEST_F(ZipEngine, MissingListedFilesAreSkipped)
{
    const QString a = makeFile(QStringLiteral("a.txt"), "a");
    const QString list = path("gone.jpg") + "|" + a + "|" + QStringLiteral("none") + "||" + m_dir.path();
    ASSERT_EQ(CompressFiles(list, path("c.vrz"), 9), 0);
    EXPECT_EQ(membersOf(path("c.vrz")), QStringList{"a.txt"});
}

TEST_F(ZipEngine, FileListedTwiceIsStoredOnce)
{
    const QString a = makeFile(QStringLiteral("tmp/pic.jpg"), "picture");
    const QString b = makeFile(QStringLiteral("tmp/vorn.ini"), "ini");
    const QString sameAgain = path("tmp/./pic.jpg");
    ASSERT_EQ(CompressFiles(b + "|" + a + "|" + a + "|" + sameAgain, path("c.vrz"), 9), 0);
    EXPECT_EQ(membersOf(path("c.vrz")), (QStringList{"vorn.ini", "pic.jpg"}));
    EXPECT_EQ(run(QStringLiteral("unzip"), {QStringLiteral("-t"), path("c.vrz")}).exitCode, 0);
}

TEST_F(ZipEngine, SecondFileWithATakenNameIsLeftOut)
{
    const QString x = makeFile(QStringLiteral("x/pic.jpg"), "from x");
    const QString y = makeFile(QStringLiteral("y/pic.jpg"), "from y");
    ASSERT_EQ(CompressFiles(x + "|" + y, path("c.vrz"), 9), 0);
    const QString out = makeFolder(QStringLiteral("out"));
    ASSERT_EQ(ExtractFile(path("c.vrz"), out, false, false), 0);
    EXPECT_EQ(readFile(out + "/pic.jpg"), QByteArray("from x"));
}

TEST_F(ZipEngine, RefusesMoreThanAThousandFiles)
{
    const QString folder = makeFolder(QStringLiteral("many"));
    QStringList files;
    for (int i = 0; i < 1000; ++i) {
        files << folder + QStringLiteral("/f%1.txt").arg(i);
        ASSERT_TRUE(writeFile(files.back(), QByteArray::number(i)));
    }
    ASSERT_EQ(CompressFiles(files.join('|'), path("thousand.vrz"), 9), 0);
    EXPECT_EQ(membersOf(path("thousand.vrz")).size(), 1000);

    const int code = CompressFiles((files + QStringList{files.front()}).join('|'), path("more.vrz"), 9);
    EXPECT_EQ(code, zipcode::TooManyFiles);
    EXPECT_EQ(ZipErrorText(code), QStringLiteral("Can't archive more than 1000 files at a time !"));
    EXPECT_FALSE(QFileInfo::exists(path("more.vrz")));
}

TEST_F(ZipEngine, NothingToPackLeavesTheOldArchive)
{
    const QString old = makeFile(QStringLiteral("c.vrz"), "old archive");
    EXPECT_NE(CompressFiles(path("gone1") + "|" + path("gone2"), old, 9), 0);
    EXPECT_EQ(readFile(old), QByteArray("old archive"));
}

TEST_F(ZipEngine, ReplacesAnExistingArchive)
{
    const QString old = makeFile(QStringLiteral("c.vrz"), "old archive");
    const QString a = makeFile(QStringLiteral("a.txt"), "new");
    ASSERT_EQ(CompressFiles(a, old, 9), 0);
    EXPECT_EQ(membersOf(old), QStringList{"a.txt"});
    EXPECT_EQ(QFileInfo(old).permissions() & QFile::ReadGroup, QFile::ReadGroup);
}

// A write cut short by the file-size limit must not cost the previous archive.
TEST_F(ZipEngine, FailedWriteKeepsTheOldArchive)
{
    const QString old = makeFile(QStringLiteral("c.vrz"), "old archive");
    const QString big = makeFile(QStringLiteral("big.bin"), randomBytes(600000, 3));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const int code = CompressFiles(big, old, 9);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_NE(code, 0);
    EXPECT_EQ(readFile(old), QByteArray("old archive"));
    EXPECT_EQ(entriesBelow(m_dir.path()), (QStringList{"big.bin", "c.vrz"}));
}

TEST_F(ZipEngine, UnwritableFolderFailsAndKeepsTheOldArchive)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    const QString folder = makeFolder(QStringLiteral("ro"));
    const QString old = makeFile(QStringLiteral("ro/c.vrz"), "old archive");
    const QString a = makeFile(QStringLiteral("a.txt"), "new");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    const int code = CompressFiles(a, old, 9);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_NE(code, 0);
    EXPECT_EQ(readFile(old), QByteArray("old archive"));
}

TEST_F(ZipEngine, MissingTargetFolderFails)
{
    const QString a = makeFile(QStringLiteral("a.txt"), "a");
    EXPECT_NE(CompressFiles(a, path("no/such/folder/c.vrz"), 9), 0);
}

// ---- archives from other tools

TEST_F(ZipEngine, OpensPythonArchiveWithFolderNames)
{
    ASSERT_TRUE(pythonZip(path("py.vrz"), {{"vorn.ini", "[LastCover]\r\n"},
                                           {"pics/back.jpg", randomBytes(5000, 1)},
                                           {"Band.vrz.txt", "// ~contents~=\r\n"}}));
    const QString out = makeFolder(QStringLiteral("out"));
    ASSERT_EQ(ExtractFile(path("py.vrz"), out, false, false), 0);
    EXPECT_EQ(entriesBelow(out), (QStringList{"Band.vrz.txt", "back.jpg", "vorn.ini"}));
    EXPECT_EQ(readFile(out + "/back.jpg"), randomBytes(5000, 1));
}

TEST_F(ZipEngine, OpensZipCommandArchiveWithFolderEntries)
{
    makeFile(QStringLiteral("tree/sub/a.txt"), "a");
    makeFile(QStringLiteral("tree/b.txt"), QByteArray("b").repeated(3000));
    ASSERT_EQ(run(QStringLiteral("zip"), {QStringLiteral("-r"), QStringLiteral("-q"), path("z.vrz"), QStringLiteral("tree")},
                  m_dir.path()).exitCode,
              0);
    const QString out = makeFolder(QStringLiteral("out"));
    ASSERT_EQ(ExtractFile(path("z.vrz"), out, false, false), 0);
    EXPECT_EQ(entriesBelow(out), (QStringList{"a.txt", "b.txt"}));
    EXPECT_EQ(readFile(out + "/b.txt"), QByteArray("b").repeated(3000));
}

TEST_F(ZipEngine, KeepsFolderNamesWhenAsked)
{
    ASSERT_TRUE(pythonZip(path("py.vrz"), {{"sub/a.txt", "a"}, {"../up.txt", "u"}, {"b.txt", "b"}}));
    const QString out = makeFolder(QStringLiteral("out"));
    ASSERT_EQ(ExtractFile(path("py.vrz"), out, false, true), 0);
    EXPECT_EQ(entriesBelow(out), (QStringList{"b.txt", "sub", "sub/a.txt"}));
    EXPECT_FALSE(QFileInfo::exists(path("up.txt")));
}

TEST_F(ZipEngine, ExtractionOverwritesSilently)
{
    ASSERT_TRUE(pythonZip(path("py.vrz"), {{"a.txt", "new"}}));
    const QString out = makeFolder(QStringLiteral("out"));
    ASSERT_TRUE(writeFile(out + "/a.txt", "old"));
    QFile::setPermissions(out + "/a.txt", QFile::ReadOwner);
    FakeDialogs dialogs;
    ASSERT_EQ(ExtractFile(path("py.vrz"), out, false, false), 0);
    EXPECT_EQ(readFile(out + "/a.txt"), QByteArray("new"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ZipEngine, OverwriteWarningAsksPerFile)
{
    ASSERT_TRUE(pythonZip(path("py.vrz"), {{"a.txt", "new a"}, {"b.txt", "new b"}, {"c.txt", "new c"}}));
    const QString out = makeFolder(QStringLiteral("out"));
    for (const char* n : {"a.txt", "b.txt"})
        ASSERT_TRUE(writeFile(out + "/" + n, "old"));
    FakeDialogs dialogs;
    dialogs.answers = {MsgResult::No, MsgResult::Yes};
    ASSERT_EQ(ExtractFile(path("py.vrz"), out, true, false), 0);
    EXPECT_EQ(readFile(out + "/a.txt"), QByteArray("old"));
    EXPECT_EQ(readFile(out + "/b.txt"), QByteArray("new b"));
    EXPECT_EQ(readFile(out + "/c.txt"), QByteArray("new c"));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("File Already Exists!"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Overwrite \"a.txt\" ?"));
}

// ---- hostile archives

TEST_F(ZipEngine, HostileMemberNamesStayInsideTheFolder)
{
    ASSERT_TRUE(pythonZip(path("evil.vrz"), {{"../up.txt", "1"},
                                             {"/abs.txt", "2"},
                                             {"C:\\win.txt", "3"},
                                             {"a\\..\\b.txt", "4"},
                                             {"..", "5"},
                                             {".", "6"},
                                             {"dir/..", "7"},
                                             {"..\\..\\deep.txt", "8"}}));
    const QString out = makeFolder(QStringLiteral("a/b/out"));
    ASSERT_EQ(ExtractFile(path("evil.vrz"), out, false, false), 0);
    EXPECT_EQ(entriesBelow(out), (QStringList{"abs.txt", "b.txt", "deep.txt", "up.txt", "win.txt"}));
    EXPECT_EQ(entriesBelow(path("a")), (QStringList{"b", "b/out", "b/out/abs.txt", "b/out/b.txt", "b/out/deep.txt",
                                                    "b/out/up.txt", "b/out/win.txt"}));
    EXPECT_EQ(readFile(out + "/up.txt"), QByteArray("1"));
}

TEST_F(ZipEngine, EmptyMemberNameIsRefused)
{
    ASSERT_TRUE(pythonZip(path("empty.vrz"), {{"", "empty name"}, {"dir/", ""}, {"ok.txt", "ok"}}));
    const QString out = makeFolder(QStringLiteral("out"));
    ASSERT_EQ(ExtractFile(path("empty.vrz"), out, false, false), 0);
    EXPECT_EQ(entriesBelow(out), QStringList{"ok.txt"});
}

TEST_F(ZipEngine, LinkMembersAreNeverCreated)
{
    // A link to the outside followed by a file of the same name must not write through it.
    const QString outside = path("outside.txt");
    const RunResult r = python(QStringLiteral("import sys, zipfile\n"
                                              "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
                                              "    i = zipfile.ZipInfo('link')\n"
                                              "    i.create_system = 3\n"
                                              "    i.external_attr = 0o120777 << 16\n"
                                              "    z.writestr(i, sys.argv[2])\n"
                                              "    z.writestr('link', b'payload')\n"
                                              "    i = zipfile.ZipInfo('lonely')\n"
                                              "    i.create_system = 3\n"
                                              "    i.external_attr = 0o120777 << 16\n"
                                              "    z.writestr(i, sys.argv[2])\n"
                                              "    z.writestr('plain.txt', b'plain')\n"),
                               {path("link.vrz"), outside});
    ASSERT_EQ(r.exitCode, 0) << r.err.constData();
    const QString out = makeFolder(QStringLiteral("out"));
    ASSERT_EQ(ExtractFile(path("link.vrz"), out, false, false), 0);
    EXPECT_FALSE(QFileInfo(out + "/link").isSymLink());
    EXPECT_EQ(readFile(out + "/link"), QByteArray("payload"));
    EXPECT_FALSE(QFileInfo::exists(outside));
    // A link on its own is left out, not turned into a file holding its target.
    EXPECT_EQ(entriesBelow(out), (QStringList{"link", "plain.txt"}));
}

TEST_F(ZipEngine, ExistingLinkInTheFolderIsReplacedNotFollowed)
{
    const QString outside = makeFile(QStringLiteral("outside.txt"), "precious");
    const QString out = makeFolder(QStringLiteral("out"));
    ASSERT_TRUE(QFile::link(outside, out + "/a.txt"));
    ASSERT_TRUE(pythonZip(path("py.vrz"), {{"a.txt", "archived"}}));
    ASSERT_EQ(ExtractFile(path("py.vrz"), out, false, false), 0);
    EXPECT_FALSE(QFileInfo(out + "/a.txt").isSymLink());
    EXPECT_EQ(readFile(out + "/a.txt"), QByteArray("archived"));
    EXPECT_EQ(readFile(outside), QByteArray("precious"));
}

// ---- damaged archives

class DamagedArchive : public ZipEngine {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pythonZip(path("good.vrz"), {{"vorn.ini", QByteArray("[LastCover]\r\n").repeated(200)},
                                                 {"pic.bin", randomBytes(40000, 9)},
                                                 {"c.vrz.txt", QByteArray("text\r\n").repeated(300)}}));
        m_good = readFile(path("good.vrz"));
        m_out = makeFolder(QStringLiteral("out"));
        ASSERT_TRUE(writeFile(m_out + "/keep.txt", "kept"));
    }
    void expectFailsWritingNothing(const QByteArray& archive)
    {
        ASSERT_TRUE(writeFile(path("bad.vrz"), archive));
        EXPECT_NE(ExtractFile(path("bad.vrz"), m_out, false, false), 0);
        EXPECT_EQ(entriesBelow(m_out), QStringList{"keep.txt"});
    }
    QByteArray m_good;
    QString m_out;
};

TEST_F(DamagedArchive, TruncatedArchiveFails)
{
    expectFailsWritingNothing(m_good.left(m_good.size() / 2));
    expectFailsWritingNothing(m_good.left(m_good.size() - 10));
}

TEST_F(DamagedArchive, CorruptMemberFailsBeforeAnythingIsWritten)
{
    // Spoil the last member's data: the first two are sound but must not be written either.
    QByteArray bad = m_good;
    const int at = bad.lastIndexOf("c.vrz.txt", bad.lastIndexOf("c.vrz.txt") - 1) + 20;
    for (int i = at; i < at + 16; ++i)
        bad[i] = char(bad[i] ^ 0x5a);
    expectFailsWritingNothing(bad);
}

TEST_F(DamagedArchive, NotAnArchiveFails)
{
    expectFailsWritingNothing("this is a text file, not a cover");
    expectFailsWritingNothing(QByteArray());
}

TEST_F(DamagedArchive, MissingArchiveGivesNotFound)
{
    EXPECT_EQ(ExtractFile(path("nowhere.vrz"), m_out, false, false), zipcode::NotFound);
    EXPECT_EQ(entriesBelow(m_out), QStringList{"keep.txt"});
}

TEST_F(DamagedArchive, EncryptedArchiveFails)
{
    makeFile(QStringLiteral("secret.txt"), "secret");
    ASSERT_EQ(run(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-P"), QStringLiteral("pw"),
                                          path("enc.vrz"), QStringLiteral("secret.txt")},
                  m_dir.path()).exitCode,
              0);
    FakeDialogs dialogs;
    EXPECT_NE(ExtractFile(path("enc.vrz"), m_out, false, false), 0);
    EXPECT_EQ(entriesBelow(m_out), QStringList{"keep.txt"});
}

// ---- single members

TEST_F(ZipEngine, ExtractsOnlyTheNamedMember)
{
    ASSERT_TRUE(pythonZip(path("py.vrz"), {{"vorn.ini", "ini"}, {"deep/~vorn_preview_file~.bmp", "BM"}}));
    const QString preview = path("tmp/preview");
    ASSERT_EQ(ExtractSingleFiles(path("py.vrz"), preview, {QStringLiteral("~vorn_preview_file~.bmp")}), 0);
    EXPECT_EQ(entriesBelow(preview), QStringList{"~vorn_preview_file~.bmp"});
    EXPECT_EQ(readFile(preview + "/~vorn_preview_file~.bmp"), QByteArray("BM"));
}

TEST_F(ZipEngine, NamedMemberThatIsAbsentFails)
{
    ASSERT_TRUE(pythonZip(path("py.vrz"), {{"vorn.ini", "ini"}}));
    const QString out = makeFolder(QStringLiteral("out"));
    EXPECT_EQ(ExtractSingleFiles(path("py.vrz"), out, {QStringLiteral("~vorn_preview_file~.bmp")}), zipcode::NoMatch);
    EXPECT_TRUE(entriesBelow(out).isEmpty());
}

TEST_F(ZipEngine, AtMostNinetyNineNamesToExtract)
{
    ASSERT_TRUE(pythonZip(path("py.vrz"), {{"n0", "0"}}));
    QStringList names;
    for (int i = 0; i < 99; ++i)
        names << QStringLiteral("n%1").arg(i);
    const QString out = makeFolder(QStringLiteral("out"));
    EXPECT_EQ(ExtractSingleFiles(path("py.vrz"), out, names), 0);
    EXPECT_EQ(ExtractSingleFiles(path("py.vrz"), out, names + QStringList{"n99"}), zipcode::BadParameter);
}

} // namespace
