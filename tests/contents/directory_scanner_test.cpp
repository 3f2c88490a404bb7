#include "contents/directory_scanner.h"

#include "folder_tree.h"
#include "fake_dialogs.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

TEST(ExtentionIsSet, MatchesNameEndingsOfTheList)
{
    const struct {
        const char* name;
        const char* list;
        bool match;
    } cases[] = {
        // An empty list, "*.*" anywhere, an empty entry and a lone "*" match everything.
        {"a.pdf", "", true}, {"a.pdf", "*.doc;*.*", true}, {"a.pdf", "*.txt;;*.doc", true},
        {"a.pdf", ";", true}, {"a.pdf", "*", true},
        // Case does not matter on either side.
        {"Report.DOC", "*.txt;*.doc", true}, {"report.txt", "*.TXT;*.doc", true}, {"report.pdf", "*.txt;*.doc", false},
        // One leading "*" is dropped; the rest is a plain name ending.
        {"a.ini", ".ini", true}, {"mini", "ini", true}, {"ini", "*.ini", false}, {"a.ini", "**.ini", false},
        {"a?.txt", "?.txt", true}, {"ab.txt", "?.txt", false},
        // A closing ";" adds no empty entry.
        {"a.pdf", "*.txt;", false}, {"a.txt", "*.txt;", true}, {"a.pdf", "*.txt;;", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtentionIsSet(c.name, c.list), c.match) << c.name << " in " << c.list;
}

// Every signal as "N:path", "F:path" or "finish", in the order raised.
struct Recorder {
    explicit Recorder(DirectoryScanner& scanner)
    {
        QObject::connect(&scanner, &DirectoryScanner::NewFolder, [this](const QString& p) { events << "N:" + p; });
        QObject::connect(&scanner, &DirectoryScanner::FileFound, [this](const QString& p) { events << "F:" + p; });
        QObject::connect(&scanner, &DirectoryScanner::Finish, [this] { events << QStringLiteral("finish"); });
    }
    QStringList files() const { return events.filter(QRegularExpression("^F:")); }
    QStringList events;
};

TEST(DirectoryScanner, ReportsEachFoldersFilesBeforeEnteringItsSubfolders)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("B.txt") && tree.file("a.INI") && tree.file(".hidden.ini") && tree.file("sub/c.ini")
                && tree.file("sub/deep/d.ini") && tree.file(".dot/e.ini") && tree.file("sub2/f.ini"));
    DirectoryScanner scanner;
    Recorder r(scanner);
    const QString root = tree.root() + "/";
    // Given without its "/", the folder is reported with one.
    ASSERT_TRUE(scanner.ExtractDir(tree.root(), "*.ini"));

    EXPECT_EQ(r.events.first(), "N:" + root);
    EXPECT_EQ(r.events.last(), "finish");
    EXPECT_EQ(r.events.count("finish"), 1);
    // Names as stored, "." files included, ".dot" never entered, "B.txt" not matching.
    QStringList files = r.files();
    files.sort();
    EXPECT_EQ(files, QStringList({"F:" + root + ".hidden.ini", "F:" + root + "a.INI", "F:" + root + "sub/c.ini",
                                  "F:" + root + "sub/deep/d.ini", "F:" + root + "sub2/f.ini"}));
    // A folder's own files come right after it is entered, and a subtree is walked
    // whole before the next one.
    const auto at = [&r](const QString& e) { return r.events.indexOf(e); };
    EXPECT_LT(at("F:" + root + "a.INI"), at("N:" + root + "sub/"));
    EXPECT_LT(at("F:" + root + "a.INI"), at("N:" + root + "sub2/"));
    EXPECT_EQ(at("F:" + root + "sub/c.ini"), at("N:" + root + "sub/") + 1);
    EXPECT_EQ(at("N:" + root + "sub/deep/"), at("F:" + root + "sub/c.ini") + 1);
    const bool subFirst = at("N:" + root + "sub/") < at("N:" + root + "sub2/");
    EXPECT_EQ(subFirst, at("N:" + root + "sub/deep/") < at("N:" + root + "sub2/"));
    EXPECT_EQ(scanner.FolderCount(), 4);
    EXPECT_EQ(scanner.FileCount(), 5);
}

TEST(DirectoryScanner, RefusesPathsThatAreNotLocalFoldersWithoutSignals)
{
    FakeDialogs dialogs;
    DirectoryScanner scanner;
    Recorder r(scanner);
    for (const char* path : {"", "relative/folder", "//server/share", "\\\\server\\share", "C:"})
        EXPECT_FALSE(scanner.ExtractDir(path, "")) << path;
    EXPECT_TRUE(dialogs.shown.empty());
    // A local folder that cannot be read is named in a message.
    EXPECT_FALSE(scanner.ExtractDir("/no/such/folder", ""));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "/no/such/folder/");
    EXPECT_EQ(dialogs.shown[0].title, "Path is invalid");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Information);
    EXPECT_TRUE(r.events.isEmpty());
}

TEST(DirectoryScanner, StopFromAHandlerEndsTheReportingButStillFinishes)
{
    FolderTree tree;
    for (const char* f : {"a1.ini", "a2.ini", "a3.ini", "s1/b.ini", "s2/c.ini", "s2/t/d.ini"})
        ASSERT_TRUE(tree.file(f));
    DirectoryScanner scanner;
    Recorder r(scanner);
    QObject::connect(&scanner, &DirectoryScanner::FileFound, &scanner, &DirectoryScanner::StopSearch);
    ASSERT_TRUE(scanner.ExtractDir(tree.root(), "*.ini"));
    EXPECT_EQ(r.files().size(), 1);
    EXPECT_EQ(r.events.last(), "finish");
    EXPECT_EQ(r.events.count("finish"), 1);
    // Subfolders collected before the stop are still entered, but report nothing and
    // collect nothing: "s2/t/" is never reached.
    EXPECT_EQ(r.events.filter(QRegularExpression("^N:.*/t/$")).size(), 0);
    EXPECT_EQ(scanner.FolderCount(), r.events.filter(QRegularExpression("^N:")).size());

    // The next walk clears the flag.
    QObject::disconnect(&scanner, &DirectoryScanner::FileFound, &scanner, &DirectoryScanner::StopSearch);
    r.events.clear();
    ASSERT_TRUE(scanner.ExtractDir(tree.root(), "*.ini"));
    EXPECT_EQ(r.files().size(), 6);
}

TEST(DirectoryScanner, RefusesASecondWalkFromItsOwnHandler)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("a.ini") && tree.file("sub/b.ini"));
    DirectoryScanner scanner;
    Recorder r(scanner);
    int refused = 0;
    QObject::connect(&scanner, &DirectoryScanner::NewFolder, [&](const QString&) {
        if (!scanner.ExtractDir(tree.path("sub"), "*.ini"))
            ++refused;
    });
    ASSERT_TRUE(scanner.ExtractDir(tree.root(), "*.ini"));
    EXPECT_EQ(refused, 2);
    EXPECT_EQ(r.files().size(), 2);
    EXPECT_EQ(r.events.count("finish"), 1);
    EXPECT_EQ(scanner.FolderCount(), 2);
}

TEST(DirectoryScanner, EntersEachFolderOnceAndNeverLeavesThroughALink)
{
    FolderTree outside;
    ASSERT_TRUE(outside.file("x.ini"));
    FolderTree tree;
    ASSERT_TRUE(tree.file("sub/a.ini") && tree.link("sub/up", "..") && tree.link("sub/self", ".")
                && tree.link("again", "sub") && tree.link("out", outside.root()) && tree.link("broken", "nowhere"));
    DirectoryScanner scanner;
    Recorder r(scanner);
    ASSERT_TRUE(scanner.ExtractDir(tree.root(), "*.ini"));
    // "sub" is reached as itself or through "again", whichever the file system lists
    // first, but only once; the cycle through "up" and "self" ends.
    EXPECT_EQ(r.files().size(), 1);
    EXPECT_TRUE(r.files().value(0).endsWith("/a.ini"));
    EXPECT_EQ(scanner.FolderCount(), 2);
    EXPECT_FALSE(r.events.join(' ').contains("x.ini"));
}

} // namespace
