#include "contents/folder_size.h"

#include "folder_tree.h"

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

constexpr qint64 kGiB = qint64(1) << 30;

TEST(GetFolderSize, CountsDotFilesButSkipsDotFolders)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("a", 100) && tree.file(".hidden", 10) && tree.file("sub/b", 1000)
                && tree.file("sub/deeper/c", 1) && tree.file(".dot/c", 5000) && tree.folder("empty"));
    const FolderSize size = GetFolderSize(tree.root());
    EXPECT_EQ(size.bytes, 1111);
    EXPECT_TRUE(size.complete);
}

TEST(GetFolderSize, AddsFilesAboveFourGigabytesIn64Bits)
{
    FolderTree tree;
    // Sparse: each would wrap a 32-bit total on its own.
    ASSERT_TRUE(tree.file("disc1.iso", 5 * kGiB + 3) && tree.file("sub/disc2.iso", 4 * kGiB));
    EXPECT_EQ(GetFolderSize(tree.root()).bytes, 9 * kGiB + 3);
}

TEST(GetFolderSize, NothingToReadIsZero)
{
    FolderTree tree;
    ASSERT_TRUE(tree.file("plain", 10));
    EXPECT_EQ(GetFolderSize(tree.path("missing")).bytes, 0);
    EXPECT_EQ(GetFolderSize(tree.path("plain")).bytes, 0);
}

TEST(GetFolderSize, CountsEachFolderOnceAndStaysInsideThroughLinks)
{
    FolderTree outside;
    ASSERT_TRUE(outside.file("big", 1000000));
    FolderTree tree;
    ASSERT_TRUE(tree.file("sub/f", 7) && tree.link("sub/up", "..") && tree.link("sub/again", "../sub")
                && tree.link("sub/self", ".") && tree.link("other", "sub") && tree.link("out", outside.root())
                && tree.link("broken", "nowhere"));
    EXPECT_EQ(GetFolderSize(tree.root()).bytes, 7);
    // A link given as the folder itself is measured, and its cycle ends too.
    EXPECT_EQ(GetFolderSize(tree.path("other")).bytes, 7);
    // Links never lead out of the measured folder, even to a sibling.
    EXPECT_EQ(GetFolderSize(tree.path("sub")).bytes, 7);
}

TEST(GetFolderSize, StopsInsideOneLargeFolder)
{
    FolderTree tree;
    for (int i = 0; i < 200; ++i)
        ASSERT_TRUE(tree.file(QStringLiteral("big/f%1").arg(i), 1));
    int polls = 0;
    // Polled on every entry (interval 0); the third poll asks to stop.
    const FolderSize size = GetFolderSize(tree.root(), [&polls] { return ++polls < 3; }, 0);
    EXPECT_FALSE(size.complete);
    EXPECT_EQ(polls, 3);
    EXPECT_LT(size.bytes, 200);
    // Without a stop the same walk polls all along and completes.
    polls = 0;
    const FolderSize whole = GetFolderSize(tree.root(), [&polls] { return ++polls > 0; }, 0);
    EXPECT_TRUE(whole.complete);
    EXPECT_EQ(whole.bytes, 200);
    EXPECT_GE(polls, 200);
}

} // namespace
