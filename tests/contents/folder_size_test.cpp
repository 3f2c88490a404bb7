#include "contents/folder_size.h"

#include "folder_tree.h"

#include "gtest_qt.h"

TEST(GetFolderSize, Totals)
{
    FolderTree outside;
    ASSERT_TRUE(outside.file("big", 1000000));
    FolderTree tree;
    const qint64 gib = qint64(1) << 30;
    ASSERT_TRUE(tree.file("a", 100) && tree.file(".hidden", 10) && tree.file("sub/b", 1000) && tree.file(".dot/c", 5000)
                // Sparse files that would wrap a 32-bit total.
                && tree.file("iso/disc1.iso", 5 * gib) && tree.file("iso/deeper/disc2.iso", 4 * gib)
                // A cycle, a second way into "sub", a way out and nowhere.
                && tree.link("sub/up", "..") && tree.link("sub/self", ".") && tree.link("other", "sub")
                && tree.link("out", outside.root()) && tree.link("broken", "nowhere"));
    const std::pair<const char*, qint64> cases[] = {
        // Dot files count, dot folders do not; each folder counts once, links stay inside.
        {"", 110 + 1000 + 9 * gib},
        {"sub", 1000},   // "up" would leave it
        {"other", 1000}, // a link given as the folder itself is measured
        {"iso", 9 * gib},
        {"missing", 0},
        {"a", 0},
    };
    for (const auto& [folder, bytes] : cases) {
        const FolderSize size = GetFolderSize(tree.path(folder));
        EXPECT_TRUE(size.bytes == bytes && size.complete) << folder << ": " << size.bytes;
    }
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
}
