#include "about/scroll_lines.h"

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

// Every character 10 pixels wide.
int tenEach(const QString& s) { return 10 * int(s.size()); }

QStringList split(const QString& text, int direction, bool wrap, int width, int shadow = 0)
{
    return SplitScrollLines(text, direction, wrap, width, shadow, tenEach);
}

TEST(ScrollLines, SplitsAtBarsOrJoinsForLeftwardScrolling)
{
    EXPECT_EQ(split("a|b||c", kScrollUp, false, 100), QStringList({"a", "b", "", "c"}));
    EXPECT_EQ(split("a|b", kScrollUp0, false, 100), QStringList({"a", "b"}));
    EXPECT_EQ(split("a|b", kScrollLeft, true, 10), QStringList({"a    b"}));
    EXPECT_TRUE(split("", kScrollUp, false, 100).isEmpty());
    EXPECT_TRUE(split("", kScrollLeft, false, 100).isEmpty());
    EXPECT_TRUE(split("a|b", 3, false, 100).isEmpty());
    // Without wrapping a line wider than the view stays whole.
    EXPECT_EQ(split("a line much wider than the view", kScrollUp, false, 50).size(), 1);
}

TEST(ScrollLines, WrapsAtTheLastSpaceOrWhereALetterNoLongerFits)
{
    const struct {
        const char* text;
        int width;
        int shadow;
        QStringList lines;
    } cases[] = {
        // The next piece starts at the space where the line was cut.
        {"hello world again", 100, 0, {"hello", " world", " again"}},
        // Exactly as wide as the view: kept.
        {"0123456789", 100, 0, {"0123456789"}},
        // The shadow's width on both sides counts.
        {"0123456789", 100, 1, {"012345678", "9"}},
        {"hello world", 100, 5, {"hello", " world"}},
        // A word wider than the view is cut at the letter that does not fit.
        {"abcdefghijklmnop", 50, 0, {"abcde", "fghij", "klmno", "p"}},
        // A view narrower than a letter still shows each letter, one a line.
        {"ab", 5, 0, {"a", "b"}},
        {"one|two three four", 60, 0, {"one", "two", " three", " four"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(split(c.text, kScrollUp, true, c.width, c.shadow), c.lines) << c.text << " in " << c.width;
}

} // namespace
