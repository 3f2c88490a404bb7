#include "about/scroll_lines.h"

#include "gtest_qt.h"

TEST(ScrollLines, SplitAtBarsAndWrapAtTheLastSpaceOrWhereALetterNoLongerFits)
{
    // The text, the direction, whether it wraps, the view's and the shadow's width, the lines.
    const std::tuple<const char*, int, bool, int, int, QStringList> cases[] = {
        {"a|b||c", kScrollUp, false, 100, 0, {"a", "b", "", "c"}},
        {"a|b", kScrollUp0, false, 100, 0, {"a", "b"}},
        {"a|b", kScrollLeft, true, 10, 0, {"a    b"}}, // leftward: one line, never wrapped
        {"", kScrollUp, false, 100, 0, {}},
        {"", kScrollLeft, false, 100, 0, {}},
        {"a|b", 3, false, 100, 0, {}},
        {"a line much wider than the view", kScrollUp, false, 50, 0, {"a line much wider than the view"}},
        // The next piece starts at the space where the line was cut.
        {"hello world again", kScrollUp, true, 100, 0, {"hello", " world", " again"}},
        {"0123456789", kScrollUp, true, 100, 0, {"0123456789"}}, // exactly as wide as the view
        // The shadow's width on both sides counts.
        {"0123456789", kScrollUp, true, 100, 1, {"012345678", "9"}},
        {"012345678", kScrollUp, true, 97, 4, {"01234567", "8"}},
        {"hello world", kScrollUp, true, 100, 5, {"hello", " world"}},
        {"abcdefghijklmnop", kScrollUp, true, 50, 0, {"abcde", "fghij", "klmno", "p"}},
        // A view narrower than a letter still shows each letter, one a line.
        {"ab", kScrollUp, true, 5, 0, {"a", "b"}},
        {"one|two three four", kScrollUp, true, 60, 0, {"one", "two", " three", " four"}},
    };
    const auto tenEach = [](const QString& s) { return 10 * int(s.size()); };
    for (const auto& [text, direction, wrap, width, shadow, lines] : cases)
        EXPECT_EQ(SplitScrollLines(text, direction, wrap, width, shadow, tenEach), lines) << text << " in " << width;
}
