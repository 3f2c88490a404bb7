#include "toolbox/ini_file.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

#include <sys/stat.h>

namespace {

class IniFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("test.ini");

    void write(const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray bytes()
    {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }
};

TEST_F(IniFile, SectionsAndKeysIgnoreCaseAndFirstMatchWins)
{
    write("[Menu]\r\nV1=first\r\nv1=second\r\n[MENU]\r\nV2=later section\r\n[other]\r\nV1=other\r\n");
    EXPECT_EQ(ReadINI(path, "menu", "v1"), "first");
    EXPECT_EQ(ReadINI(path, "OTHER", "V1"), "other");
    // Only the first section of a name is read.
    EXPECT_EQ(ReadINI(path, "Menu", "V2"), "");
}

TEST_F(IniFile, TrimsSpacesAndOnePairOfQuotes)
{
    write("[s]\r\n  a  =  spaced value  \r\nb=\"  quoted  \"\r\nc='single'\r\nd=\"\"twice\"\"\r\ne=\"unbalanced\r\n");
    EXPECT_EQ(ReadINI(path, "s", "a"), "spaced value");
    EXPECT_EQ(ReadINI(path, "s", "b"), "  quoted  ");
    EXPECT_EQ(ReadINI(path, "s", "c"), "single");
    EXPECT_EQ(ReadINI(path, "s", "d"), "\"twice\"");
    EXPECT_EQ(ReadINI(path, "s", "e"), "\"unbalanced");
}

TEST_F(IniFile, MissingThingsAndGarbageGiveEmptyText)
{
    EXPECT_EQ(ReadINI(path, "s", "a"), "");
    write("garbage line\n\x01\x02\xff\n[s\nkey without equals\n=no key\n[s]\nk=v\n");
    EXPECT_EQ(ReadINI(path, "s", "k"), "v");
    EXPECT_EQ(ReadINI(path, "s", "missing"), "");
    EXPECT_EQ(ReadINI(path, "nosection", "k"), "");
}

TEST_F(IniFile, LongValuesAreCutTo2047Characters)
{
    write("[s]\r\nk=" + QByteArray(3000, 'x') + "\r\n");
    EXPECT_EQ(ReadINI(path, "s", "k").size(), 2047);
}

TEST_F(IniFile, WriteReplacesInPlaceAndKeepsEverythingElse)
{
    write("; comment\r\n[A]\r\nKey=old\r\nother=1\r\n\r\n[B]\r\nkey=b\r\n");
    ASSERT_TRUE(WriteINI(path, "a", "KEY", "new"));
    EXPECT_EQ(bytes(), "; comment\r\n[A]\r\nKey=new\r\nother=1\r\n\r\n[B]\r\nkey=b\r\n");
}

TEST_F(IniFile, WriteAppendsNewKeysToTheirSectionAndNewSectionsAtTheEnd)
{
    write("[A]\nx=1\n\n[B]\ny=2\n");
    ASSERT_TRUE(WriteINI(path, "A", "z", "3"));
    ASSERT_TRUE(WriteINI(path, "C", "w", "4"));
    EXPECT_EQ(bytes(), "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n[C]\r\nw=4\r\n");
    EXPECT_EQ(ReadINI(path, "a", "Z"), "3");
    EXPECT_FALSE(WriteINI(dir.filePath("no/such/folder/x.ini"), "s", "k", "v"));
}

TEST_F(IniFile, Windows1252BytesRoundTrip)
{
    const QString value = QString::fromUtf8("Grüße € „quoted“ — ™");
    ASSERT_TRUE(WriteINI(path, "s", "k", value));
    EXPECT_TRUE(bytes().contains("Gr\xfc\xdf" "e \x80 \x84quoted\x93 \x97 \x99"));
    EXPECT_EQ(ReadINI(path, "s", "k"), value);
}

TEST_F(IniFile, UnencodableCharactersBecomeQuestionMarksNotLostLines)
{
    ASSERT_TRUE(WriteINI(path, "s", "k", QString::fromUtf8("a\u4e2db😀c")));
    ASSERT_TRUE(WriteINI(path, "s", "next", "kept"));
    EXPECT_EQ(ReadINI(path, "s", "k"), "a?b?c");
    EXPECT_EQ(ReadINI(path, "s", "next"), "kept");
}

TEST(IniLine, WritesKeyEqualsValueWithCrLf)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteINI(buffer, "Text", QString::fromUtf8("  é "));
    EXPECT_EQ(buffer.data(), "Text=  \xe9 \r\n");
}

// Settings files are looked up some sixty times per load: the file is read once, and a
// FIFO in a file's place is never waited on.
TEST_F(IniFile, AFileIsReadOnceForAllItsKeysAndOnlyWhenRegular)
{
    write("[LastCover]\r\n" + QByteArray("; padding\r\n").repeated(100000) + "Key = ' v '\r\n");
    const ::IniFile ini = ::IniFile::read(path);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(ini.value(" lastcover", "KEY "), " v ");
    EXPECT_EQ(ini.value("LastCover", "padding"), "");
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_EQ(ReadINI(path, "LastCover", "Key"), "");
    EXPECT_FALSE(WriteINI(path, "LastCover", "Key", "x"));
}

} // namespace

namespace {

TEST_F(IniFile, ABatchIsOneWriteOfSingleWritesOrAFreshFile)
{
    write("; keep\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(WriteINI(path, {{"a", "X", "one"}, {"C", "z", "3"}, {"B", "w", "4"}, {"c", "Z", "three"}}));
    EXPECT_EQ(bytes(), "; keep\r\n[A]\r\nx=one\r\n\r\n[B]\r\ny=2\r\nw=4\r\n[C]\r\nz=three\r\n");
    ASSERT_TRUE(WriteINI(path, {{"A", "x", "2"}, {"A", "new", "3"}}, IniBase::FreshFile));
    EXPECT_EQ(bytes(), "[A]\r\nx=2\r\nnew=3\r\n");
    EXPECT_FALSE(WriteINI(dir.filePath("no/folder/x.ini"), {{"s", "k", "v"}}, IniBase::FreshFile));
}

} // namespace
