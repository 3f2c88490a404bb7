#include "render/counter_text.h"

#include "gtest_qt.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(CounterStart, OnlyANumberAndBlanksAreNumeric)
{
    const std::pair<const char*, bool> cases[] = {
        {"8", true},      {" 12 ", true},  {"-3", true},   {"+4", true},    {"007", true},
        {"2.5", true},    {".5", true},    {"1e3", true},  {"99999999999999999999", true},
        {"", false},      {" ", false},    {"8a", false},  {"a8", false},   {"1.2.3", false},
        {"1e", false},    {"- 1", false},  {"%c", false},  {"1 2", false},
    };
    for (const auto& [text, numeric] : cases)
        EXPECT_EQ(isNumericText(QString::fromLatin1(text)), numeric) << text;
    // Digits of other scripts are no number a field could be read as.
    EXPECT_FALSE(isNumericText(QStringLiteral("\u0663")));
}

TEST(CounterStart, TheNextCopyCountsOneUpWithoutWrapping)
{
    const std::pair<const char*, const char*> cases[] = {
        {"8", "9"},
        {"9", "10"},
        {" 41 ", "42"},
        {"007", "8"},
        {"+5", "6"},
        {"-1", "0"},
        {"-10", "-9"},
        {"-0", "1"},
        {"0", "1"},
        {"2147483647", "2147483648"},
        {"4294967295", "4294967296"},
        {"9223372036854775807", "9223372036854775808"},
        {"99999999999999999999", "100000000000000000000"},
        {"2.5", "3.5"},
        {"1e3", "1001"},
    };
    for (const auto& [start, next] : cases)
        EXPECT_EQ(nextCounterText(QString::fromLatin1(start)), QString::fromLatin1(next)) << start;
}

TEST(CounterStart, ReplacesEveryCounterMarkOnlyWhenTheCounterIsOn)
{
    EXPECT_EQ(withCounter(QStringLiteral("%c of %C"), 1, QStringLiteral("9")), QStringLiteral("9 of 9"));
    EXPECT_EQ(withCounter(QStringLiteral("%c of %C"), 0, QStringLiteral("9")), QStringLiteral("%c of %C"));
}

} // namespace
