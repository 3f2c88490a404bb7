#include "archive/zip_engine.h"

#include "archive/zip_fixtures.h"
#include "gtest_qt.h"
#include "test_pictures.h"

using namespace fixtures;

namespace {

class ZipEngine : public ::testing::Test, protected TestFolder {
protected:
    QString makeFile(const QString& name, const QByteArray& data)
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        EXPECT_TRUE(writeFile(path(name), data));
        return path(name);
    }
};

// Missing files, "none", empty entries and folders are skipped; a file listed twice, or a
// second file of a name already stored, is left out.
TEST_F(ZipEngine, PackedArchiveHoldsEachFileOnceAndUnpacksToTheSameBytes)
{
    const QString pic = makeFile(QStringLiteral("tmp/pic.jpg"), noise(200000));
    const QStringList list{makeFile(QStringLiteral("tmp/vorn.ini"), "[LastCover]"), path("gone.jpg"), pic, "none", "",
                           dir.path(), pic, path("tmp/./pic.jpg"), makeFile(QStringLiteral("other/pic.jpg"), "")};
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
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"c.vrz", "more", "thousand.vrz"}));
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
            EXPECT_EQ(entriesBelow(dir.path()).size(), entriesBelow(out).size() + 5);
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

// A photograph as format writes it.
QByteArray pictureBytes(const char* format)
{
    return encoded(photograph(300, 200, 96), format);
}

// The first bytes decide, not the name; every member unpacks to its bytes with each tool.
TEST_F(ZipEngine, CompressedPicturesAreStoredAndTheRestDeflated)
{
    // A name, its bytes and whether they are stored: then the compressed size is the file's.
    const std::tuple<QString, QByteArray, bool> members[] = {
        {"photo.bmp", pictureBytes("JPG"), true}, {"pic.jpg", pictureBytes("PNG"), true},
        {"old.gif", "GIF87a" + noise(4000), true}, {"new", "GIF89a" + noise(4000), true},
        {"image.bmp", pictureBytes("BMP"), false}, {"vorn.ini", QByteArray(3000, 'k'), false},
        {"named.jpg", QByteArray(3000, 'j'), false}, {"short.jpg", "\xFF\xD8", false},
        {"almost.png", QByteArray("\x89PNG\r\n\x1A") + QByteArray(3000, 0), false}};
    QStringList files, expected;
    for (const auto& [name, data, stored] : members) {
        files << makeFile("in/" + name, data);
        expected << (stored ? QStringLiteral("%1 stored %2").arg(name).arg(data.size()) : name + " deflated");
    }
    ASSERT_EQ(CompressArrayFiles(files, path("c.vrz"), 9), 0);
    EXPECT_EQ(run("unzip", {"-tq", path("c.vrz")}).exitCode, 0);
    QStringList packed = packedMembers(path("c.vrz"));
    for (QString& member : packed)
        member = member.contains(" deflated ") ? member.section(' ', 0, 1) : member;
    EXPECT_EQ(packed, expected);
    ASSERT_EQ(ExtractFile(path("c.vrz"), path("out"), false, false), 0);
    for (const QString& file : files)
        EXPECT_EQ(readFile(path("out/") + QFileInfo(file).fileName()), readFile(file)) << file.toStdString();
    // Level 0 stores everything, as it always did.
    ASSERT_EQ(CompressArrayFiles(files.mid(4, 1), path("flat.vrz"), 0), 0);
    EXPECT_EQ(packedMembers(path("flat.vrz")).value(0).section(' ', 0, 1), QStringLiteral("image.bmp stored"));
}

// An archive of the given files deflated at level 1, as another tool might write it.
bool fastZip(const QString& archive, const QStringList& files)
{
    const QString script = "import os, sys, zipfile\n"
                           "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED, compresslevel=1) as z:\n"
                           "    for f in sys.argv[2:]: z.write(f, os.path.basename(f))\n";
    return run("python3", QStringList{"-c", script, archive} + files).exitCode == 0;
}

// Copied members keep the earlier archive's level-1 data; anything else is packed anew.
TEST_F(ZipEngine, UnchangedMembersAreCopiedFromTheEarlierArchive)
{
    const QString bitmap = makeFile("w/image.bmp", pictureBytes("BMP"));
    const QString text = makeFile("w/cover.txt", QByteArray(20000, 't'));
    const QString photo = makeFile("w/photo.jpg", pictureBytes("JPG"));
    const QStringList files{bitmap, text, photo};
    ASSERT_TRUE(fastZip(path("earlier.vrz"), files));
    ASSERT_EQ(CompressArrayFiles(files, path("fresh.vrz"), 9), 0);
    const QStringList earlier = packedMembers(path("earlier.vrz"));
    const QStringList fresh = packedMembers(path("fresh.vrz"));
    ASSERT_EQ(fresh.size(), 3);
    // The two levels must differ for the copy to show.
    ASSERT_NE(earlier.value(0), fresh.value(0));

    writeFile(text, QByteArray(20000, 'T'));
    ASSERT_EQ(CompressArrayFiles(files, path("next.vrz"), 9, false, path("earlier.vrz")), 0);
    // The photo is stored from the file even though the earlier archive deflated it.
    EXPECT_EQ(packedMembers(path("next.vrz")), (QStringList{earlier.value(0), fresh.value(1), fresh.value(2)}));
    EXPECT_TRUE(memberOf(path("next.vrz"), "cover.txt") == QByteArray(20000, 'T'));

    // Saving over the archive copied from, as "Save..." does.
    ASSERT_TRUE(QFile::copy(path("earlier.vrz"), path("same.vrz")));
    ASSERT_EQ(CompressArrayFiles(files, path("same.vrz"), 9, false, path("same.vrz")), 0);
    EXPECT_EQ(packedMembers(path("same.vrz")).value(0), earlier.value(0));
    EXPECT_TRUE(memberOf(path("same.vrz"), "image.bmp") == readFile(bitmap));

    // A damaged member is never passed on: the file is packed again.
    QByteArray damaged = readFile(path("earlier.vrz"));
    damaged[2000] ^= 0xFF; // inside the bitmap's compressed bytes
    ASSERT_TRUE(writeFile(path("damaged.vrz"), damaged));
    ASSERT_TRUE(packedMembers(path("damaged.vrz")).isEmpty());
    ASSERT_EQ(CompressArrayFiles(files, path("mended.vrz"), 9, false, path("damaged.vrz")), 0);
    EXPECT_EQ(packedMembers(path("mended.vrz")).value(0), fresh.value(0));
    EXPECT_EQ(run("unzip", {"-tq", path("mended.vrz")}).exitCode, 0);
}

// A small archive that declares more than the limit is refused before anything is written, in
// the open dialog's preview too. A caller expecting a small member (the preview a thumbnail
// reads) sets a tighter limit; a member just at it is unpacked whole, and alone.
TEST_F(ZipEngine, ArchivesThatInflatePastALimitAreRefused)
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
    const QStringList names{QStringLiteral("~vorn_preview_file~.bmp")};
    ASSERT_EQ(run("python3", {"-c", script, path("bomb.vrz"), QString::number(mib)}).exitCode, 0);
    EXPECT_EQ(ExtractFile(path("bomb.vrz"), path("out"), false, false), zipcode::TooLarge);
    EXPECT_EQ(ExtractSingleFiles(path("bomb.vrz"), path("out"), names), zipcode::TooLarge);
    EXPECT_TRUE(entriesBelow(path("out")).isEmpty());

    const QString preview = makeFile("in/" + names[0], QByteArray(1 << 20, 'p'));
    ASSERT_EQ(CompressFiles(makeFile(QStringLiteral("in/vorn.ini"), "[LastCover]") + '|' + preview, path("c.vrz"), 9), 0);
    EXPECT_EQ(ExtractSingleFiles(path("c.vrz"), path("out"), names, (1 << 20) - 1), zipcode::TooLarge);
    EXPECT_TRUE(entriesBelow(path("out")).isEmpty());
    ASSERT_EQ(ExtractSingleFiles(path("c.vrz"), path("out"), names, 1 << 20), zipcode::Ok);
    EXPECT_EQ(entriesBelow(path("out")), names);
    EXPECT_EQ(readFile(path("out/") + names[0]), readFile(preview));
}

} // namespace
