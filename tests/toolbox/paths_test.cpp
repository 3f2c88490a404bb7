#include "toolbox/paths.h"

#include "archive/zip_fixtures.h"

#include "gtest_qt.h"

#include <sys/stat.h>

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
    for (const char* name : {"a.ini", "b.INI", "c.txt"})
        ASSERT_TRUE(fixtures::writeFile(dir.filePath(name), "line1\r\nline2 \x80\r\n\r\n"));
    EXPECT_TRUE(FileExists(dir.filePath("a.ini")) && !FileExists(dir.path()) && !FileExists(""));
    EXPECT_TRUE(FolderExists(dir.path()) && !FolderExists(dir.filePath("a.ini")));
    // Only the last CR LF goes; bytes are Windows-1252.
    EXPECT_EQ(ReadWholeFile(dir.filePath("c.txt")), QString::fromUtf8("line1\r\nline2 €\r\n"));

    QStringList ini = ListFiles(dir.path(), "*.ini");
    ini.sort();
    EXPECT_EQ(ini, QStringList({"a.ini", "b.INI"}));
    EXPECT_EQ(ListFiles(dir.path()).size(), 3);
    EXPECT_TRUE(ListFiles(dir.filePath("missing"), "*.ini").isEmpty());
}

// Whatever a file names is read only when it is a regular file: a FIFO would block the
// reader forever, and the kernel's files report no size and hold private data.
TEST(Paths, OnlyRegularFilesWithContentAreOpened)
{
    QTemporaryDir dir;
    ASSERT_TRUE(fixtures::writeFile(dir.filePath("full"), "data") && fixtures::writeFile(dir.filePath("empty"), ""));
    ASSERT_EQ(mkfifo(QFile::encodeName(dir.filePath("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(dir.filePath("full"), dir.filePath("link")));
    // The path and the reason it is refused; empty when it is opened.
    const std::pair<QString, QString> cases[] = {
        {dir.filePath("full"), ""},          {dir.filePath("link"), ""},
        {dir.filePath("empty"), "empty"},    {dir.filePath("fifo"), "regular"},
        {dir.path(), "regular"},             {dir.filePath("missing"), "opened"},
        {"/dev/zero", "regular"},            {"/proc/self/environ", "regular"},
        {"/proc/self/status", "regular"},    {"/sys/kernel/uevent_seqnum", "regular"},
    };
    for (const auto& [path, refused] : cases) {
        if (path.startsWith("/sys/") && !QFile::exists(path))
            continue;
        QFile file;
        QString reason;
        const bool opened = openRegularFile(path, file, &reason);
        EXPECT_EQ(opened, refused.isEmpty()) << path.toStdString();
        EXPECT_EQ(file.isOpen(), opened) << path.toStdString();
        EXPECT_TRUE(opened ? file.readAll() == "data" : reason.contains(refused)) << reason.toStdString();
    }
}
