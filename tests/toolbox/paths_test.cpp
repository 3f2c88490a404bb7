#include "toolbox/paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

TEST(Paths, FileNameOfTakesTheLastPartOfEitherSeparator)
{
    EXPECT_EQ(FileNameOf("C:\\covers\\a.vrz"), "a.vrz");
    EXPECT_EQ(FileNameOf("/home/u/a.vrz"), "a.vrz");
    EXPECT_EQ(FileNameOf("a/b\\c.jpg"), "c.jpg"); // backslash first
    EXPECT_EQ(FileNameOf("plain.txt"), "plain.txt");
    EXPECT_EQ(FileNameOf("/home/u/"), "/home/u/");
    EXPECT_EQ(FileNameOf(""), "");
}

TEST(Paths, FolderOfKeepsTheSeparator)
{
    EXPECT_EQ(FolderOf("C:\\covers\\a.vrz"), "C:\\covers\\");
    EXPECT_EQ(FolderOf("/home/u/a.vrz"), "/home/u/");
    EXPECT_EQ(FolderOf("/home/u/"), "/home/u/");
    EXPECT_EQ(FolderOf("a.vrz"), "a.vrz");
}

TEST(Paths, StripExtensionCutsAtTheLastDot)
{
    EXPECT_EQ(StripExtension("english.ini"), "english");
    EXPECT_EQ(StripExtension("a.b.ini"), "a.b");
    EXPECT_EQ(StripExtension("noext"), "");
}

TEST(Paths, FileAndFolderExistence)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("f.txt");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(dir.filePath("missing")));
    EXPECT_TRUE(FolderExists(dir.path()));
    EXPECT_FALSE(FolderExists(file));
}

TEST(Paths, ReadWholeFileDropsOnlyTheLastCrLf)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("t.txt");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("line1\r\nline2 \x80\r\n\r\n");
    f.close();
    EXPECT_EQ(ReadWholeFile(file), QString::fromUtf8("line1\r\nline2 €\r\n"));
    EXPECT_EQ(ReadWholeFile(dir.filePath("missing")), "");
}

TEST(Paths, ListFilesMatchesThePattern)
{
    QTemporaryDir dir;
    for (const char* name : {"a.ini", "b.INI", "c.txt", "noext"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QStringList ini = ListFiles(dir.path(), "*.ini");
    ini.sort();
    EXPECT_EQ(ini, QStringList({"a.ini", "b.INI"}));
    EXPECT_EQ(ListFiles(dir.path()).size(), 4);
    EXPECT_TRUE(ListFiles(dir.filePath("missing"), "*.ini").isEmpty());
}

TEST(Paths, ProgramFolderFollowsCaseleafHome)
{
    qputenv("CASELEAF_HOME", "/opt/caseleaf");
    EXPECT_EQ(GetAppPath(), "/opt/caseleaf/");
    qunsetenv("CASELEAF_HOME");
    EXPECT_TRUE(GetAppPath().endsWith('/'));
}

} // namespace
