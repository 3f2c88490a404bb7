#include "toolbox/ini_file.h"

#include "archive/zip_fixtures.h"

#include "gtest_qt.h"

#include <sys/stat.h>

using fixtures::readFile;
using fixtures::writeFile;

namespace {

class IniFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("test.ini");
};

TEST_F(IniFile, ReadsLikeWindowsProfileFiles)
{
    EXPECT_EQ(ReadINI(path, "s", "k"), ""); // no file yet
    // An unclosed "[s" is no section, so the real one below is the first of its name.
    ASSERT_TRUE(writeFile(path, "garbage line\n\x01\x02\xff\n[s\nkey without equals\n=no key\n"
                                "[Menu]\r\nV1=first\r\nv1=second\r\n[MENU]\r\nV2=later section\r\n[other]\r\nV1=other\r\n"
                                "[s]\r\n  a  =  spaced value  \r\nb=\"  quoted  \"\r\nc='single'\r\nd=\"\"twice\"\"\r\n"
                                "e=\"unbalanced\r\nk=v\nlong="
                                + QByteArray(3000, 'x') + "\r\n"));
    // The section and key asked for, the value read.
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"menu", "v1", "first"}, {"OTHER", "V1", "other"}, {"Menu", "V2", ""}, // only the first [Menu] counts
        {"s", "a", "spaced value"}, {"s", "b", "  quoted  "}, {"s", "c", "single"},
        {"s", "d", "\"twice\""},    {"s", "e", "\"unbalanced"}, {"s", "k", "v"},
        {"s", "missing", ""},       {"nosection", "k", ""},
    };
    for (const auto& [section, key, value] : cases)
        EXPECT_EQ(ReadINI(path, section, key), value) << section << "/" << key;
    EXPECT_EQ(ReadINI(path, "s", "long").size(), kIniValueLimit);
}

TEST_F(IniFile, WritesInPlaceKeepingEverythingElseInWindows1252)
{
    const QString typography = QString::fromUtf8("Grüße € „quoted“ — ™");
    // The file before (empty: none), the entries written and how, the file after.
    const std::tuple<QByteArray, std::vector<IniEntry>, IniBase, QByteArray> cases[] = {
        {"; comment\r\n[A]\r\nKey=old\r\nother=1\r\n\r\n[B]\r\nkey=b\r\n", {{"a", "KEY", "new"}}, IniBase::KeepFile,
         "; comment\r\n[A]\r\nKey=new\r\nother=1\r\n\r\n[B]\r\nkey=b\r\n"},
        // New keys go to the end of their section, new sections to the end of the file.
        {"[A]\nx=1\n\n[B]\ny=2\n", {{"A", "z", "3"}, {"C", "w", "4"}, {"B", "v", "5"}, {"c", "W", "6"}},
         IniBase::KeepFile, "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\nv=5\r\n[C]\r\nw=6\r\n"},
        {"[A]\r\nold=1\r\n[B]\r\ny=2\r\n", {{"A", "x", "2"}, {"A", "new", "3"}}, IniBase::FreshFile,
         "[A]\r\nx=2\r\nnew=3\r\n"},
        // An unencodable character costs itself, not the line.
        {"", {{"s", "k", QString::fromUtf8("a\u4e2db😀c")}, {"s", "next", "kept"}}, IniBase::KeepFile,
         "[s]\r\nk=a?b?c\r\nnext=kept\r\n"},
        {"", {{"s", "k", typography}}, IniBase::KeepFile, "[s]\r\nk=Gr\xfc\xdf" "e \x80 \x84quoted\x93 \x97 \x99\r\n"},
    };
    for (const auto& [before, entries, base, after] : cases) {
        QFile::remove(path);
        ASSERT_TRUE(before.isEmpty() || writeFile(path, before));
        ASSERT_TRUE(entries.size() == 1 ? WriteINI(path, entries[0].section, entries[0].key, entries[0].value)
                                        : WriteINI(path, entries, base));
        EXPECT_EQ(readFile(path), after);
    }
    EXPECT_EQ(ReadINI(path, "s", "k"), typography);
    EXPECT_FALSE(WriteINI(dir.filePath("no/such/folder/x.ini"), "s", "k", "v"));
    EXPECT_FALSE(WriteINI(dir.filePath("no/folder/x.ini"), {{"s", "k", "v"}}, IniBase::FreshFile));

    QBuffer line; // the settings file's own text mode
    line.open(QIODevice::WriteOnly);
    WriteINI(line, "Text", QString::fromUtf8("  é "));
    EXPECT_EQ(line.data(), "Text=  \xe9 \r\n");
}

// Settings files are looked up some sixty times per load: the file is read once, and a
// FIFO in a file's place is never waited on.
TEST_F(IniFile, AFileIsReadOnceForAllItsKeysAndOnlyWhenRegular)
{
    ASSERT_TRUE(writeFile(path, "[LastCover]\r\n" + QByteArray("; padding\r\n").repeated(100000) + "Key = ' v '\r\n"));
    const ::IniFile ini = ::IniFile::read(path);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(ini.value(" lastcover", "KEY "), " v ");
    EXPECT_EQ(ini.value("LastCover", "padding"), "");
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(ReadINI(path, "LastCover", "Key"), "");
    EXPECT_FALSE(WriteINI(path, "LastCover", "Key", "x"));
}

} // namespace
