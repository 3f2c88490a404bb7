#include "render/display_lines.h"

#include "gtest_qt.h"

#include <QFontMetricsF>

#include <gtest/gtest.h>

namespace {

QFont arial(double points)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    return font;
}

TEST(DisplayLines, KeepsEachTextLineIncludingEmptyOnes)
{
    EXPECT_EQ(displayLines(QStringLiteral("one\r\n\r\nthree"), arial(10), 100),
              QStringList({"one", "", "three"}));
    EXPECT_EQ(displayLines(QStringLiteral("a\nb\rc"), arial(10), 100), QStringList({"a", "b", "c"}));
    EXPECT_EQ(displayLines(QStringLiteral("last\r\n"), arial(10), 100), QStringList({"last", ""}));
    EXPECT_TRUE(displayLines(QString(), arial(10), 100).isEmpty());
}

TEST(DisplayLines, BreaksLongLinesAtWordsKeepingEveryCharacter)
{
    const QString text = QStringLiteral(
        "01. The first track of the disc has a long title that cannot possibly fit on one line");
    const QStringList lines = displayLines(text, arial(12), 60);
    ASSERT_GT(lines.size(), 1);
    EXPECT_EQ(lines.join(QString()), text);
    for (int i = 0; i + 1 < lines.size(); ++i) {
        EXPECT_TRUE(lines[i].endsWith(QLatin1Char(' '))) << lines[i].toStdString();
        // Each line is full: the next word would not have fitted.
        EXPECT_FALSE(lines[i + 1].startsWith(QLatin1Char(' ')));
    }
}

TEST(DisplayLines, LinesFitTheWidth)
{
    const QString text = QStringList(30, QStringLiteral("word")).join(QLatin1Char(' '));
    const double widthMm = 50;
    const QFont font = arial(12);
    const QStringList lines = displayLines(text, font, widthMm);
    // A 12 pt "word " is about 10 mm wide: four or five words per line.
    ASSERT_GE(lines.size(), 6);
    ASSERT_LE(lines.size(), 8);
    QFont big(font);
    big.setPixelSize(1000);
    const QFontMetricsF metrics(big);
    const double mmPerUnit = 12 * 25.4 / 72 / 1000;
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line.trimmed()) * mmPerUnit, widthMm) << line.toStdString();
    // The second line starts with the word that did not fit the first.
    EXPECT_GT(metrics.horizontalAdvance(lines[0] + lines[1].section(QLatin1Char(' '), 0, 0)) * mmPerUnit,
              widthMm);
}

TEST(DisplayLines, BreaksAWordLongerThanTheLine)
{
    const QString word(80, QLatin1Char('W'));
    const QStringList lines = displayLines(word, arial(12), 40);
    ASSERT_GT(lines.size(), 1);
    EXPECT_EQ(lines.join(QString()), word);
}

TEST(DisplayLines, ALargerFontBreaksSooner)
{
    const QString text = QStringList(40, QStringLiteral("word")).join(QLatin1Char(' '));
    EXPECT_GT(displayLines(text, arial(16), 100).size(), displayLines(text, arial(8), 100).size());
}

} // namespace
