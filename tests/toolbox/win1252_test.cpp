#include "toolbox/win1252.h"

#include "gtest_qt.h"

TEST(Win1252, EveryByteRoundTripsAndOthersBecomeOneQuestionMarkEach)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(toWin1252(fromWin1252(all)), all);
    // The high control range is typography.
    EXPECT_EQ(fromWin1252("\x80\x85\x96\x99\xe9"), QString::fromUtf8("€…–™é"));
    EXPECT_EQ(toWin1252(QString::fromUtf8("x\u4e2d😀y")), "x??y");
}
