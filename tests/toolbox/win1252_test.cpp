#include "toolbox/win1252.h"

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

TEST(Win1252, EveryByteRoundTrips)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(toWin1252(fromWin1252(all)), all);
}

TEST(Win1252, TheHighControlRangeMapsToTypography)
{
    EXPECT_EQ(fromWin1252("\x80\x85\x96\x99"), QString::fromUtf8("€…–™"));
    EXPECT_EQ(fromWin1252("\xe9"), QString::fromUtf8("é"));
}

TEST(Win1252, UnencodableCharactersBecomeOneQuestionMarkEach)
{
    EXPECT_EQ(toWin1252(QString::fromUtf8("x\u4e2d😀y")), "x??y");
}

} // namespace
