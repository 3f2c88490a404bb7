#include "document/cover_document.h"

#include "gtest_qt.h"

TEST(ColorValue, IsRedGreenBlueFromTheLowByteUp)
{
    EXPECT_EQ(colorFromValue(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorValue(QColor(0x12, 0x34, 0x56)), 0x563412);
    EXPECT_EQ(colorFromValue(int(0x8000000Fu)), QColor(0x0F, 0, 0)); // system colour of an old file
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartOfATypedField)
{
    const struct { const char* text; double value; } cases[] = {
        {"12.5mm", 12.5}, {"  7", 7}, {"-3", -3}, {".5", 0.5}, {"1e3", 1000}, {"4e", 4},
        {"12,5", 12},     {"", 0},    {"abc", 0}, {"-", 0},    {"1e999", 0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(QString::fromUtf8(c.text)), c.value) << c.text;
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(numberText(2.5), QStringLiteral("2.5"));
    QLocale::setDefault(before);
}
