#include "toolbox/byte_size.h"

#include "gtest_qt.h"

TEST(FormatByteSize, BytesThenThreeSignificantDigitsWithoutWrapping)
{
    const std::pair<double, const char*> cases[] = {
        {0, "0 bytes"}, {1023, "1023 bytes"}, {1024, "1.00 KB"}, {12800, "12.5 KB"},
        {123 * 1024, "123 KB"}, {1.25 * 1024 * 1024, "1.25 MB"},
        // Digits are cut, so a value just below a unit never shows as 1024 of the smaller one.
        {1024 * 1024 - 1, "0.99 MB"},
        // Above 4 GB a 32-bit count would wrap.
        {5.0 * 1024 * 1024 * 1024, "5.00 GB"}, {3.0 * 1024 * 1024 * 1024 * 1024, "3.00 TB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(FormatByteSize(bytes), text) << bytes;
}
