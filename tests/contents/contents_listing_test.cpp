#include "contents/contents_listing.h"

#include "folder_tree.h"

#include "gtest_qt.h"

TEST(ContentsListing, LineFormatsAtEachSpacing)
{
    FolderTree tree;
    const QString exactly22 = "Twenty-two_characters_";
    const QString longName = "A name longer than every width of the options.mp3";
    ASSERT_TRUE(tree.file("Docs/x", 3000) && tree.file("ReadMe.TXT", 5) && tree.file(exactly22, 2048)
                && tree.file(longName, 1) && tree.file("disc.iso", qint64(5) << 30) && tree.file(".hidden")
                && tree.folder(".git") && tree.folder("alpha"));
    ContentsListing listing;
    const ListedFolder folder = ReadListedFolder(tree.root());
    ASSERT_TRUE(folder.readable);
    // Hidden entries are left out, the rest sorted without regard to case; folders carry
    // no size until measured, files always do; no name is ever cut.
    EXPECT_EQ(listing.build(folder, kSpacingSmall),
              QStringList({"[ALPHA]", "[DOCS]", longName.toLower() + " (1 bytes)",
                           "disc.iso" + spaces(14) + " (5.00 GB)", "readme.txt" + spaces(12) + " (5 bytes)",
                           exactly22.toLower() + " (2.00 KB)"}));
    EXPECT_EQ(listing.build(folder, kSpacingMedium).at(4), "readme.txt" + spaces(22) + " (5 bytes)");
    EXPECT_EQ(listing.build(folder, kSpacingLarge).at(5), exactly22.toLower() + spaces(20) + " (2.00 KB)");
    EXPECT_EQ(listing.buildWithSizes(folder, kSpacingSmall, {}).at(1), "[DOCS]" + spaces(16) + " (2.92 KB)");
}

// A stop leaves the remaining folders without sizes, and another spacing then shows none;
// a whole run's sizes move to another spacing's column without measuring again, and go
// with the folder.
TEST(ContentsListing, SizesSurviveASpacingChangeButNotAStopOrAFolderChange)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("one/a", 100) && tree.file("two/b", 252) && tree.file("two/c/d", 4) && tree.folder("empty")
                && tree.file("file", 9));
    ContentsListing listing;
    const ListedFolder folder = ReadListedFolder(tree.root());
    QStringList measured;
    ContentsListing::SizeRun run;
    run.measuring = [&measured](const QString& path) { measured << path; };
    run.breathe = [&] {
        if (measured.size() == 2) // "Stop!" while the second folder is shown
            listing.stop();
    };
    const QString empty = "[EMPTY]" + spaces(15) + " (0 bytes)", file = "file" + spaces(18) + " (9 bytes)";
    EXPECT_EQ(listing.buildWithSizes(folder, kSpacingSmall, run), QStringList({empty, "[ONE]", "[TWO]", file}));
    EXPECT_EQ(listing.build(folder, kSpacingLarge).mid(0, 3), QStringList({"[EMPTY]", "[ONE]", "[TWO]"}));

    measured.clear();
    run.breathe = nullptr;
    EXPECT_EQ(listing.buildWithSizes(folder, kSpacingSmall, run),
              QStringList({empty, "[ONE]" + spaces(17) + " (100 bytes)", "[TWO]" + spaces(17) + " (256 bytes)", file}));
    EXPECT_EQ(measured, QStringList({tree.path("empty"), tree.path("one"), tree.path("two")}));
    measured.clear();
    EXPECT_EQ(listing.build(folder, kSpacingMedium).at(2), "[TWO]" + spaces(27) + " (256 bytes)");
    EXPECT_TRUE(measured.isEmpty());
    // Coming back from another folder does not bring them back.
    EXPECT_TRUE(listing.build(ReadListedFolder(tree.path("empty")), kSpacingMedium).isEmpty());
    EXPECT_EQ(listing.build(folder, kSpacingMedium).mid(0, 3), QStringList({"[EMPTY]", "[ONE]", "[TWO]"}));
}

TEST(ContentsListing, FolderNamesAndUnreadableFolders)
{
    for (const auto& [path, name] : {std::pair{"/music/Abba", "Abba"}, {"/music/Abba/", "Abba"}, {"/", ""}, {"", ""}})
        EXPECT_EQ(GetFolderName(path), name) << path;
    EXPECT_EQ(ChildPath("/", "a"), "/a");
    EXPECT_EQ(ChildPath("/m", "a"), "/m/a");
    const ListedFolder missing = ReadListedFolder("/no/such/folder");
    EXPECT_TRUE(!missing.readable && !missing.error.isEmpty());
}
