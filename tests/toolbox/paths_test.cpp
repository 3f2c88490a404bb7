#include "toolbox/paths.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

TEST(Paths, SplitPathsWrittenOnEitherSystem)
{
    EXPECT_EQ(FileNameOf("C:\\covers\\a.vrz"), "a.vrz");
    EXPECT_EQ(FileNameOf("a/b\\c.jpg"), "c.jpg");
    EXPECT_EQ(FileNameOf("/music/AC\\DC/best.vrz"), "best.vrz"); // never a name with a separator in it
    EXPECT_EQ(FileNameOf("/home/u/"), "/home/u/");
    EXPECT_EQ(FolderOf("/home/u/a.vrz"), "/home/u/");
    EXPECT_EQ(FolderOf("C:\\covers\\a.vrz"), "C:\\covers\\");
    EXPECT_EQ(FolderOf("a.vrz"), "a.vrz");
    EXPECT_EQ(StripExtension("a.b.ini"), "a.b");
    EXPECT_EQ(StripExtension("noext"), "");
}

TEST(Paths, FilesFoldersAndListings)
{
    QTemporaryDir dir;
    for (const char* name : {"a.ini", "b.INI", "c.txt"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("line1\r\nline2 \x80\r\n\r\n");
    }
    EXPECT_TRUE(FileExists(dir.filePath("a.ini")));
    EXPECT_FALSE(FileExists(dir.path()));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FolderExists(dir.filePath("a.ini")));
    // Only the last CR LF goes; bytes are Windows-1252.
    EXPECT_EQ(ReadWholeFile(dir.filePath("c.txt")), QString::fromUtf8("line1\r\nline2 €\r\n"));

    QStringList ini = ListFiles(dir.path(), "*.ini");
    ini.sort();
    EXPECT_EQ(ini, QStringList({"a.ini", "b.INI"}));
    EXPECT_EQ(ListFiles(dir.path()).size(), 3);
    EXPECT_TRUE(ListFiles(dir.filePath("missing"), "*.ini").isEmpty());
}

} // namespace
