#include "document/font_matching.h"

#include "gtest_qt.h"

#include <gtest/gtest.h>

namespace {

const QStringList kFonts = {QStringLiteral("Arial"), QStringLiteral("Courier New"), QStringLiteral("DejaVu Sans"),
                            QStringLiteral("Verdana")};

} // namespace

TEST(FontSizes, AreTheTwentyTwoListEntries)
{
    const QStringList expected = {"6",  "7",  "8",  "9",  "10", "11", "12", "13", "14", "15", "16",
                                  "17", "18", "19", "20", "22", "24", "26", "28", "36", "48", "72"};
    EXPECT_EQ(fontSizes(), expected);
    EXPECT_EQ(fontSizes()[kDefaultFrontSizeIndex], QStringLiteral("9"));
}

TEST(StandardFontList, IsSortedAndHoldsTheInstalledFonts)
{
    const QStringList fonts = standardFontList();
    ASSERT_FALSE(fonts.isEmpty());
    QStringList sorted = fonts;
    sorted.sort(Qt::CaseInsensitive);
    EXPECT_EQ(fonts, sorted);
    EXPECT_GE(matchFontName(fonts, QStringLiteral("dejavu sans")), 0);
}

TEST(MatchFontName, IgnoresCase)
{
    EXPECT_EQ(matchFontName(kFonts, QStringLiteral("ARIAL")), 0);
    EXPECT_EQ(matchFontName(kFonts, QStringLiteral("verdana")), 3);
    EXPECT_EQ(matchFontName(kFonts, QStringLiteral("Courier New")), 1);
}

TEST(MatchFontName, MissingOrEmptySelectsTheFirstFont)
{
    EXPECT_EQ(matchFontName(kFonts, QStringLiteral("Not Installed Sans")), 0);
    EXPECT_EQ(matchFontName(kFonts, QString()), 0);
    // Only the whole name counts.
    EXPECT_EQ(matchFontName(kFonts, QStringLiteral("Verd")), 0);
    EXPECT_EQ(matchFontName(QStringList(), QStringLiteral("Arial")), -1);
}

TEST(MatchFontName, TheFirstEqualEntryWins)
{
    const QStringList twice = {QStringLiteral("Sans"), QStringLiteral("Serif"), QStringLiteral("SERIF")};
    EXPECT_EQ(matchFontName(twice, QStringLiteral("serif")), 1);
}

TEST(MatchBackFontSize, MatchesTheTextOrLeavesTheSelection)
{
    EXPECT_EQ(matchBackFontSize(fontSizes(), QStringLiteral("16"), 4), 10);
    EXPECT_EQ(matchBackFontSize(fontSizes(), QStringLiteral("72"), 4), 21);
    // Compared as text, not as numbers.
    EXPECT_EQ(matchBackFontSize(fontSizes(), QStringLiteral("12.0"), 4), 4);
    EXPECT_EQ(matchBackFontSize(fontSizes(), QStringLiteral("21"), 4), 4);
    EXPECT_EQ(matchBackFontSize(fontSizes(), QString(), 6), 6);
    EXPECT_EQ(matchBackFontSize(fontSizes(), QStringLiteral("abc"), -1), -1);
}

TEST(MatchFrontFontSize, ComparesNumbers)
{
    EXPECT_EQ(fontSizes()[matchFrontFontSize(fontSizes(), QStringLiteral("12.0"))], QStringLiteral("12"));
    EXPECT_EQ(fontSizes()[matchFrontFontSize(fontSizes(), QStringLiteral("36"))], QStringLiteral("36"));
    EXPECT_EQ(fontSizes()[matchFrontFontSize(fontSizes(), QStringLiteral(" 48pt"))], QStringLiteral("48"));
}

TEST(MatchFrontFontSize, NoEqualSizeSelectsNine)
{
    EXPECT_EQ(matchFrontFontSize(fontSizes(), QStringLiteral("11.5")), 3);
    EXPECT_EQ(matchFrontFontSize(fontSizes(), QString()), 3);
    EXPECT_EQ(matchFrontFontSize(fontSizes(), QStringLiteral("abc")), 3);
    EXPECT_EQ(matchFrontFontSize(fontSizes(), QStringLiteral("100")), 3);
}

TEST(MatchFrontFontSize, TheLastEqualEntryWins)
{
    const QStringList sizes = {QStringLiteral("6"), QStringLiteral("12"), QStringLiteral("9"), QStringLiteral("9"),
                               QStringLiteral("12.0")};
    EXPECT_EQ(matchFrontFontSize(sizes, QStringLiteral("12")), 4);
}
