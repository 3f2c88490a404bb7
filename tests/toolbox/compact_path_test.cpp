#include "toolbox/compact_path.h"

#include "gtest_qt.h"

// As many leading folders as fit give way to "..." before the file name is cut.
TEST(CompactPath, MiddleFoldersGiveWayBeforeTheFileName)
{
    const QFontMetrics m(QFont("DejaVu Sans", 9));
    const QString path = "C:\\Music\\Covers\\2024\\Band - Album.vrz";
    const QString kept = "C:\\Music\\...\\Band - Album.vrz";
    EXPECT_EQ(CompactPath(path, m.horizontalAdvance(path), m), path);
    EXPECT_EQ(CompactPath(path, m.horizontalAdvance(kept), m), kept);
    const int tight = m.horizontalAdvance("/a/b/.../Band - Album.vrz") - 1;
    EXPECT_EQ(CompactPath("/a/b/c/d/Band - Album.vrz", tight, m), "/a/.../Band - Album.vrz");
    EXPECT_LE(m.horizontalAdvance(CompactPath("/covers/" + QString(80, 'x'), 60, m)), 60);
}
