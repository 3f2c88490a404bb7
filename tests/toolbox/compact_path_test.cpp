#include "toolbox/compact_path.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

TEST(CompactPath, MiddleFoldersGiveWayBeforeTheFileName)
{
    const QFontMetrics m(QFont("DejaVu Sans", 9));
    const QString unix = "/home/user/Music/Covers/2024/Band - Album.vrz";
    const QString windows = "C:\\Documents\\Music\\Covers\\2024\\Band - Album.vrz";
    const int twoThirds = m.horizontalAdvance(unix) * 2 / 3;
    const struct {
        QString path;
        int width;
        QString shown;
    } rows[] = {
        // As many leading folders as fit: one more would not.
        {unix, m.horizontalAdvance("/home/user/Music/.../Band - Album.vrz"), "/home/user/Music/.../Band - Album.vrz"},
        {unix, m.horizontalAdvance("/home/user/Music/.../Band - Album.vrz") - 1, "/home/user/.../Band - Album.vrz"},
        {windows, m.horizontalAdvance("C:\\Documents\\...\\Band - Album.vrz"), "C:\\Documents\\...\\Band - Album.vrz"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(CompactPath(r.path, r.width, m), r.shown) << r.width;
    // A file name too long on its own is cut too.
    const QString longName = "/covers/" + QString(80, 'x') + ".vrz";
    EXPECT_LE(m.horizontalAdvance(CompactPath(longName, twoThirds / 2, m)), twoThirds / 2);
}

} // namespace
