#include "contents/contents_listing.h"

#include "folder_tree.h"

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

QString spaces(int n) { return QString(n, QLatin1Char(' ')); }

TEST(ContentsListing, LineFormatsAtEachSpacing)
{
    FolderTree tree;
    const QString exactly22 = "Twenty-two_characters_"; // 22 characters
    const QString longName = "A name longer than every width of the options.mp3";
    ASSERT_TRUE(tree.file("Docs/x", 3000) && tree.file("ReadMe.TXT", 5) && tree.file(exactly22, 2048)
                && tree.file(longName, 1));
    ContentsListing listing;
    const ListedFolder folder = ReadListedFolder(tree.root());
    ASSERT_TRUE(folder.readable);

    // Folders carry no size until they are measured; files always do. Folder names are
    // upper-cased, file names lower-cased, and no name is ever cut.
    EXPECT_EQ(listing.build(folder, kSpacingSmall),
              QStringList({"[DOCS]", longName.toLower() + " (1 bytes)", "readme.txt" + spaces(12) + " (5 bytes)",
                           exactly22.toLower() + " (2.00 KB)"}));
    EXPECT_EQ(listing.build(folder, kSpacingMedium).at(2), "readme.txt" + spaces(22) + " (5 bytes)");
    EXPECT_EQ(listing.build(folder, kSpacingLarge).at(3), exactly22.toLower() + spaces(20) + " (2.00 KB)");

    const QStringList sized = listing.buildWithSizes(folder, kSpacingSmall, {});
    EXPECT_EQ(sized.at(0), "[DOCS]" + spaces(16) + " (2.92 KB)");
    EXPECT_EQ(listing.build(folder, kSpacingLarge).at(0), "[DOCS]" + spaces(36) + " (2.92 KB)");
}

TEST(ContentsListing, ListsVisibleEntriesSortedWithoutRegardToCase)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("b.txt") && tree.file("A.txt") && tree.file("c.txt") && tree.file(".hidden")
                && tree.folder("zeta") && tree.folder("Alpha") && tree.folder(".git")
                && tree.link("beta", tree.path("zeta")));
    const ListedFolder folder = ReadListedFolder(tree.root());
    EXPECT_EQ(folder.subfolders, QStringList({"Alpha", "beta", "zeta"}));
    QStringList files;
    for (const ListedFolder::File& f : folder.files)
        files << f.name;
    EXPECT_EQ(files, QStringList({"A.txt", "b.txt", "c.txt"}));
}

TEST(ContentsListing, EmptyAndUnreadableFolders)
{
    FolderTree tree;
    ASSERT_TRUE(tree.folder("empty") && tree.file(".only-hidden"));
    ContentsListing listing;
    EXPECT_TRUE(listing.build(ReadListedFolder(tree.path("empty")), kSpacingLarge).isEmpty());
    EXPECT_TRUE(listing.build(ReadListedFolder(tree.root() + "/"), kSpacingLarge).size() == 1);
    const ListedFolder missing = ReadListedFolder(tree.path("missing"));
    EXPECT_FALSE(missing.readable);
    EXPECT_FALSE(missing.error.isEmpty());
}

TEST(ContentsListing, SizesSurviveASpacingChangeButNotAFolderChange)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("one/a", 100) && tree.file("two/b", 6 * kSpacingLarge) && tree.file("two/c/d", 4)
                && tree.folder("one/sub"));
    ContentsListing listing;
    const ListedFolder folder = ReadListedFolder(tree.root());
    QStringList measured;
    ContentsListing::SizeRun run;
    run.measuring = [&measured](const QString& path) { measured << path; };
    const QStringList sized = listing.buildWithSizes(folder, kSpacingSmall, run);
    EXPECT_EQ(measured, QStringList({tree.path("one"), tree.path("two")}));
    EXPECT_EQ(sized, QStringList({"[ONE]" + spaces(17) + " (100 bytes)", "[TWO]" + spaces(17) + " (256 bytes)"}));
    EXPECT_EQ(listing.sizeCache(), QStringList({" (100 bytes)", " (256 bytes)"}));

    // Another spacing shows the same sizes in the new column without measuring again.
    measured.clear();
    EXPECT_EQ(listing.build(folder, kSpacingMedium).at(1), "[TWO]" + spaces(27) + " (256 bytes)");
    EXPECT_TRUE(measured.isEmpty());

    // Another folder drops them, and coming back does not bring them back.
    listing.build(ReadListedFolder(tree.path("one")), kSpacingMedium);
    EXPECT_TRUE(listing.sizeCache().isEmpty());
    EXPECT_EQ(listing.build(folder, kSpacingMedium), QStringList({"[ONE]", "[TWO]"}));
}

TEST(ContentsListing, StopLeavesTheRemainingFoldersWithoutSizes)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("a/x", 1) && tree.file("b/x", 2) && tree.file("c/x", 3) && tree.file("file", 9));
    ContentsListing listing;
    const ListedFolder folder = ReadListedFolder(tree.root());
    ContentsListing::SizeRun run;
    int measuring = 0;
    // "Stop!" is clicked while the second folder is being shown.
    run.measuring = [&](const QString&) { ++measuring; };
    run.breathe = [&] {
        if (measuring == 2)
            listing.stop();
    };
    const QStringList lines = listing.buildWithSizes(folder, kSpacingSmall, run);
    EXPECT_EQ(measuring, 2);
    EXPECT_EQ(lines, QStringList({"[A]" + spaces(19) + " (1 bytes)", "[B]", "[C]", "file" + spaces(18) + " (9 bytes)"}));
    // The cache is incomplete, so another spacing shows no folder size at all.
    EXPECT_EQ(listing.build(folder, kSpacingLarge).mid(0, 3), QStringList({"[A]", "[B]", "[C]"}));
    EXPECT_FALSE(listing.stopped());
}

TEST(ContentsListing, FolderAndFileSizesAboveFourGigabytes)
{
    FolderTree tree;
    const qint64 fiveGiB = qint64(5) << 30;
    ASSERT_TRUE(tree.file("iso/disc.iso", fiveGiB) && tree.file("disc.iso", fiveGiB));
    ContentsListing listing;
    const QStringList lines = listing.buildWithSizes(ReadListedFolder(tree.root()), kSpacingSmall, {});
    EXPECT_EQ(lines, QStringList({"[ISO]" + spaces(17) + " (5.00 GB)", "disc.iso" + spaces(14) + " (5.00 GB)"}));
}

TEST(ContentsListing, FolderNamesAndPaths)
{
    const struct {
        const char* path;
        const char* name;
    } names[] = {{"/music/Abba", "Abba"}, {"/music/Abba/", "Abba"}, {"/", ""}, {"", ""}, {"Abba", "Abba"}};
    for (const auto& n : names)
        EXPECT_EQ(GetFolderName(n.path), n.name) << n.path;
    EXPECT_EQ(ChildPath("/", "a"), "/a");
    EXPECT_EQ(ChildPath("/m", "a"), "/m/a");
    EXPECT_EQ(GetAbsOrZerro(-3), 0);
    EXPECT_EQ(GetAbsOrZerro(3), 3);
}

} // namespace
