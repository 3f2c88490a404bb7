#include "toolbox/compact_path.h"

#include <QFont>
#include <QFontMetrics>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

class CompactPathTest : public ::testing::Test {
protected:
    QFont font{"DejaVu Sans", 9};
    QFontMetrics metrics{font};
    int width(const QString& s) const { return metrics.horizontalAdvance(s); }
};

TEST_F(CompactPathTest, APathThatFitsStaysWhole)
{
    const QString path = "/home/a.vrz";
    EXPECT_EQ(CompactPath(path, width(path), metrics), path);
}

TEST_F(CompactPathTest, MiddleFoldersGiveWayFirst)
{
    for (const QString path : {"/home/user/Music/Covers/2024/Band - Album.vrz",
                               "C:\\Documents\\Music\\Covers\\2024\\Band - Album.vrz"}) {
        const QChar sep = path.contains('\\') ? '\\' : '/';
        const int limit = width(path) * 2 / 3;
        const QString shown = CompactPath(path, limit, metrics);
        EXPECT_LE(width(shown), limit) << shown.toStdString();
        const QString tail = sep + QString("Band - Album.vrz");
        ASSERT_TRUE(shown.endsWith(QString("...") + tail)) << shown.toStdString();
        // As many leading folders as fit: one more would not.
        const QString kept = shown.left(shown.size() - 3 - tail.size());
        EXPECT_TRUE(path.startsWith(kept)) << shown.toStdString();
        const int next = path.indexOf(sep, kept.size());
        ASSERT_GT(next, 0);
        if (next < path.lastIndexOf(sep)) {
            EXPECT_GT(width(path.left(next + 1) + "..." + tail), limit);
        }
    }
}

TEST_F(CompactPathTest, AFileNameTooLongOnItsOwnIsCut)
{
    const QString path = "/covers/" + QString(80, 'x') + ".vrz";
    const QString shown = CompactPath(path, 150, metrics);
    EXPECT_LE(width(shown), 150);
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_NE(shown, path);
    const QString bare = QString(80, 'y');
    EXPECT_LE(width(CompactPath(bare, 100, metrics)), 100);
}

} // namespace
