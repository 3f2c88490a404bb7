#include "archive/zip_engine.h"

#include "archive/zip_fixtures.h"
#include "gtest_qt.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

class ZipEngine : public ::testing::Test {
protected:
    QString makeFile(const QString& name, const QByteArray& data)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        EXPECT_TRUE(writeFile(path(name), data));
        return path(name);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

// Missing files, "none", empty entries and folders are skipped; a file listed twice, or a
// second file of a name already stored, is left out.
TEST_F(ZipEngine, PackedArchiveHoldsEachFileOnceAndUnpacksToTheSameBytes)
{
    const QString pic = makeFile(QStringLiteral("tmp/pic.jpg"), noise(200000));
    const QStringList list{makeFile(QStringLiteral("tmp/vorn.ini"), "[LastCover]"), path("gone.jpg"), pic, "none", "",
                           m_dir.path(), pic, path("tmp/./pic.jpg"), makeFile(QStringLiteral("other/pic.jpg"), "")};
    ASSERT_EQ(CompressFiles(list.join('|'), path("c.vrz"), 9), 0);
    EXPECT_EQ(membersOf(path("c.vrz")), (QStringList{"vorn.ini", "pic.jpg"}));
    ASSERT_EQ(ExtractFile(path("c.vrz"), path("out"), false, false), 0);
    EXPECT_EQ(readFile(path("out/pic.jpg")), readFile(pic));
}

TEST_F(ZipEngine, AThousandFilesAtMostAndAFailedPackKeepsTheOldArchive)
{
    QStringList files;
    for (int i = 0; i < 1000; ++i)
        files << makeFile(QStringLiteral("many/f%1").arg(i), QByteArray::number(i));
    ASSERT_EQ(CompressFiles(files.join('|'), path("thousand.vrz"), 9), 0);
    EXPECT_EQ(membersOf(path("thousand.vrz")).size(), 1000);
    const QString old = makeFile(QStringLiteral("c.vrz"), "old archive");
    files << makeFile(QStringLiteral("more"), "x");
    EXPECT_EQ(CompressFiles(files.join('|'), old, 9), zipcode::TooManyFiles);
    EXPECT_EQ(ZipErrorText(zipcode::TooManyFiles), QStringLiteral("Can't archive more than 1000 files at a time !"));
    EXPECT_NE(CompressFiles(path("gone1") + "|" + path("gone2"), old, 9), 0);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"c.vrz", "more", "thousand.vrz"}));
    EXPECT_EQ(readFile(old), QByteArray("old archive"));
}

TEST_F(ZipEngine, HostileMemberNamesNeverWriteOutsideTheFolder)
{
    const QString outside = makeFile(QStringLiteral("outside.txt"), "precious");
    const QString out = path("a/b/out");
    // The members, and what lands in the folder when folder names are dropped.
    const QPair<QList<Member>, QStringList> cases[] = {
        {{{"../x", "1"}}, {"x"}},
        {{{path("abs"), "1"}}, {"abs"}},
        {{{"C:\\x", "1"}}, {"x"}},
        {{{"a\\..\\b", "1"}}, {"b"}},
        {{{"..\\..\\deep", "1"}}, {"deep"}},
        {{{"", "1"}, {".", "1"}, {"..", "1"}, {"dir/..", "1"}, {"dir/", ""}}, {}},
        {{{"link", outside.toUtf8(), true}, {"link", "not through the link"}}, {"link"}},
        {{{"lonely link", outside.toUtf8(), true}}, {}},
    };
    for (const auto& [members, flat] : cases) {
        SCOPED_TRACE(members.front().name.toStdString());
        ASSERT_TRUE(pythonZip(path("evil.vrz"), members));
        for (const bool folders : {false, true}) {
            QDir(path("a")).removeRecursively();
            QDir().mkpath(out);
            ExtractFile(path("evil.vrz"), out, false, folders);
            // outside.txt, evil.vrz, a, a/b and a/b/out
            EXPECT_EQ(entriesBelow(m_dir.path()).size(), entriesBelow(out).size() + 5);
            EXPECT_TRUE(folders || entriesBelow(out) == flat) << entriesBelow(out).join(' ').toStdString();
            EXPECT_FALSE(QFileInfo(out + "/link").isSymLink() || QFileInfo(out + "/lonely link").isSymLink());
            EXPECT_EQ(readFile(outside), QByteArray("precious"));
        }
    }
    // A link already in the folder is replaced, not followed.
    ASSERT_TRUE(QFile::link(outside, out + "/a.txt") && pythonZip(path("plain.vrz"), {{"a.txt", "archived"}}));
    ASSERT_EQ(ExtractFile(path("plain.vrz"), out, false, false), 0);
    EXPECT_EQ(readFile(out + "/a.txt") + readFile(outside), QByteArray("archivedprecious"));
}

// A small archive that declares more than the limit is refused before anything is written,
// in the open dialog's preview too.
TEST_F(ZipEngine, ArchiveThatInflatesPastTheLimitIsRefused)
{
    // One flushed deflate block of 1 MiB of zeros, repeated; zipfile only frames it.
    const QString script = QStringLiteral(
        "import sys, zipfile, zlib\n"
        "n = int(sys.argv[2]); c = zlib.compressobj(9, zlib.DEFLATED, -15); zero = bytes(1 << 20)\n"
        "data = (c.compress(zero) + c.flush(zlib.Z_FULL_FLUSH)) * n + c.flush()\n"
        "crc = 0\n"
        "for _ in range(n): crc = zlib.crc32(zero, crc)\n"
        "i = zipfile.ZipInfo('~vorn_preview_file~.bmp'); i.compress_type = zipfile.ZIP_DEFLATED\n"
        "i.CRC, i.compress_size, i.file_size, i.header_offset = crc, len(data), n << 20, 0\n"
        "with zipfile.ZipFile(sys.argv[1], 'w') as z:\n"
        "    z.fp.write(i.FileHeader() + data); z.filelist.append(i); z.start_dir = z.fp.tell()\n");
    const int mib = int(kMaxUnpackedBytes >> 20) + 1;
    ASSERT_EQ(run("python3", {"-c", script, path("bomb.vrz"), QString::number(mib)}).exitCode, 0);
    EXPECT_EQ(ExtractFile(path("bomb.vrz"), path("out"), false, false), zipcode::TooLarge);
    EXPECT_EQ(ExtractSingleFiles(path("bomb.vrz"), path("out"), {"~vorn_preview_file~.bmp"}), zipcode::TooLarge);
    EXPECT_TRUE(entriesBelow(path("out")).isEmpty());
}

} // namespace
