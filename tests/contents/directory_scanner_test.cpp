#include "contents/directory_scanner.h"

#include "fake_dialogs.h"
#include "folder_tree.h"

#include "gtest_qt.h"

namespace {

TEST(ExtentionIsSet, MatchesNameEndingsOfTheList)
{
    // A file name, a list of name patterns, whether the name matches.
    const std::tuple<const char*, const char*, bool> cases[] = {
        // An empty list, "*.*" anywhere, an empty entry and a lone "*" match everything.
        {"a.pdf", "", true}, {"a.pdf", "*.doc;*.*", true}, {"a.pdf", "*.txt;;*.doc", true}, {"a.pdf", "*", true},
        {"Report.DOC", "*.txt;*.doc", true}, {"report.pdf", "*.TXT;*.doc", false},
        // One leading "*" is dropped; the rest is a plain name ending.
        {"a.ini", ".ini", true}, {"mini", "ini", true}, {"ini", "*.ini", false}, {"a.ini", "**.ini", false},
        {"a?.txt", "?.txt", true}, {"ab.txt", "?.txt", false},
        // A closing ";" adds no empty entry.
        {"a.pdf", "*.txt;", false}, {"a.pdf", "*.txt;;", true},
    };
    for (const auto& [name, list, match] : cases)
        EXPECT_EQ(ExtentionIsSet(name, list), match) << name << " in " << list;
}

// Every signal as "N:path", "F:path" or "finish", in the order raised.
struct Recorder {
    explicit Recorder(DirectoryScanner& scanner)
    {
        QObject::connect(&scanner, &DirectoryScanner::NewFolder, [this](const QString& p) { events << "N:" + p; });
        QObject::connect(&scanner, &DirectoryScanner::FileFound, [this](const QString& p) { events << "F:" + p; });
        QObject::connect(&scanner, &DirectoryScanner::Finish, [this] { events << QStringLiteral("finish"); });
    }
    int count(const char* pattern) const { return int(events.filter(QRegularExpression(pattern)).size()); }
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
    ASSERT_TRUE(scanner.ExtractDir(tree.root(), "*.ini")); // reported with a "/"
    const auto at = [&](const QString& e) { return r.events.indexOf(e); };
    EXPECT_EQ(at("N:" + root), 0);
    EXPECT_EQ(r.events.last(), "finish");
    // Names as stored, "." files included, ".dot" never entered.
    EXPECT_EQ(r.count("^F:"), 5);
    EXPECT_GT(at("F:" + root + ".hidden.ini"), 0);
    EXPECT_LT(at("F:" + root + "a.INI"), std::min(at("N:" + root + "sub/"), at("N:" + root + "sub2/")));
    // A folder's files come right after it, and a subtree is walked whole before the next.
    EXPECT_EQ(at("N:" + root + "sub/deep/"), at("N:" + root + "sub/") + 2);
    EXPECT_EQ(at("F:" + root + "sub/deep/d.ini"), at("N:" + root + "sub/deep/") + 1);
    EXPECT_EQ(std::make_pair(scanner.FolderCount(), scanner.FileCount()), std::make_pair(4, 5));
}

TEST(DirectoryScanner, RefusesPathsThatAreNotLocalFoldersWithoutSignals)
{
    FakeDialogs dialogs;
    DirectoryScanner scanner;
    Recorder r(scanner);
    for (const char* path : {"", "relative/folder", "//server/share", "\\\\server\\share", "C:"})
        EXPECT_FALSE(scanner.ExtractDir(path, "")) << path;
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_FALSE(scanner.ExtractDir("/no/such/folder", ""));
    EXPECT_EQ(dialogs.texts(), QStringList{"/no/such/folder/"});
    EXPECT_EQ(dialogs.shown.at(0).title, "Path is invalid");
    EXPECT_TRUE(r.events.isEmpty());
}

TEST(DirectoryScanner, StopFromAHandlerEndsTheReportingAndASecondWalkIsRefused)
{
    FolderTree tree;
    for (const char* f : {"a1.ini", "a2.ini", "a3.ini", "s1/b.ini", "s2/c.ini", "s2/t/d.ini"})
        ASSERT_TRUE(tree.file(f));
    DirectoryScanner scanner;
    Recorder r(scanner);
    bool refused = false;
    const auto stop = QObject::connect(&scanner, &DirectoryScanner::FileFound, [&] {
        scanner.StopSearch();
        refused = !scanner.ExtractDir(tree.path("s1"), "");
    });
    ASSERT_TRUE(scanner.ExtractDir(tree.root(), "*.ini"));
    EXPECT_TRUE(refused);
    // One file, one finish at the end; subfolders collected before the stop are entered
    // but report and collect nothing.
    EXPECT_TRUE(r.count("^F:") == 1 && r.count("^finish$") == 1 && r.events.last() == "finish" && r.count("/t/$") == 0)
        << r.events.join(' ').toStdString();
    // The next walk starts afresh.
    QObject::disconnect(stop);
    r.events.clear();
    ASSERT_TRUE(scanner.ExtractDir(tree.root(), "*.ini"));
    EXPECT_EQ(r.count("^F:"), 6);
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
    // "sub" is reached as itself or through "again", but once; the cycles end.
    EXPECT_EQ(r.count("^F:.*/a\\.ini$"), 1);
    EXPECT_EQ(r.count("x\\.ini"), 0);
    EXPECT_EQ(scanner.FolderCount(), 2);
}

} // namespace
