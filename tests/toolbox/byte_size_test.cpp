#include "toolbox/byte_size.h"

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

TEST(FormatByteSize, BytesBelow1024)
{
    EXPECT_EQ(FormatByteSize(0), "0 bytes");
    EXPECT_EQ(FormatByteSize(532), "532 bytes");
    EXPECT_EQ(FormatByteSize(1023), "1023 bytes");
}

TEST(FormatByteSize, ThreeSignificantDigits)
{
    EXPECT_EQ(FormatByteSize(1024), "1.00 KB");
    EXPECT_EQ(FormatByteSize(12.5 * 1024), "12.5 KB");
    EXPECT_EQ(FormatByteSize(123 * 1024), "123 KB");
    EXPECT_EQ(FormatByteSize(1.25 * 1024 * 1024), "1.25 MB");
    EXPECT_EQ(FormatByteSize(12595), "12.2 KB");
    // Cut, never rounded up into the next unit's range.
    EXPECT_EQ(FormatByteSize(1024 * 1024 - 1), "0.99 MB");
    EXPECT_EQ(FormatByteSize(2047), "1.99 KB");
}

TEST(FormatByteSize, SizesAboveFourGigabytesDoNotWrap)
{
    EXPECT_EQ(FormatByteSize(5.0 * 1024 * 1024 * 1024), "5.00 GB");
    EXPECT_EQ(FormatByteSize(4294967296.0 + 1024), "4.00 GB");
    EXPECT_EQ(FormatByteSize(3.0 * 1024 * 1024 * 1024 * 1024), "3.00 TB");
}

} // namespace
