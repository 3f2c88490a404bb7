#include "shell/about_text.h"

#include "toolbox/crypter.h"
#include "toolbox/paths.h"
#include "toolbox/win1252.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

class AboutText : public ::testing::Test {
protected:
    QTemporaryDir dir;

    // The check always sees the file the way start-up reads it.
    AboutTextCheck checkFile(const QByteArray& bytes)
    {
        const QString path = dir.filePath("abouttext.txt");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        return checkAboutText(ReadWholeFile(path));
    }
};

TEST_F(AboutText, ShippedFilePassesWithReadableCredits)
{
    const QString path = QStringLiteral(CASELEAF_BUILD_DIR) + "/help/abouttext.txt";
    ASSERT_TRUE(FileExists(path));
    const AboutTextCheck check = checkAboutText(ReadWholeFile(path));
    EXPECT_TRUE(check.valid) << check.decoded.left(40).toStdString();
    EXPECT_TRUE(check.body.startsWith('|'));
    for (const char* credit : {"Caseleaf", "Qt", "libzip", "GoogleTest", "DejaVu", "Liberation"})
        EXPECT_TRUE(check.body.contains(credit)) << credit;
}

TEST_F(AboutText, ShippedFileHoldsNoLineBreaksOrControlCodes)
{
    QFile f(QStringLiteral(CASELEAF_BUILD_DIR) + "/help/abouttext.txt");
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_FALSE(bytes.isEmpty());
    for (const char c : bytes)
        ASSERT_GE(static_cast<unsigned char>(c), 32);
}

TEST_F(AboutText, MarkerIsTheKeyInTwoDigitsAtBothEnds)
{
    static_assert(kAboutTextKey >= 10 && kAboutTextKey <= 99);
    const AboutTextCheck check = checkFile(encipherAboutText("|Credits"));
    const QString marker = QString::number(kAboutTextKey);
    EXPECT_EQ(check.decoded, marker + "|Credits" + marker);
    EXPECT_TRUE(check.valid);
    EXPECT_EQ(check.body, "|Credits");
}

TEST_F(AboutText, EveryCodePageCharacterSurvivesTheRoundTrip)
{
    // Letters that the shift moves into 0x80-0x9F and high codes that wrap past 255.
    const QString credits = QString::fromUtf8("|QRSTUVWXYZ[\\]^_`abcdefghijklmnop|Grüße, Ærø, €, „quoted“, ÿ~ |");
    const AboutTextCheck check = checkFile(encipherAboutText(credits));
    EXPECT_TRUE(check.valid);
    EXPECT_EQ(check.body, credits);
}

TEST_F(AboutText, CharactersTheFileCannotCarryBecomeQuestionMarks)
{
    const AboutTextCheck check = checkFile(encipherAboutText(QString::fromUtf8("a\r\nb\tc ☃")));
    EXPECT_TRUE(check.valid);
    EXPECT_EQ(check.body, "a??b?c ?");
}

TEST_F(AboutText, EmptyOrMissingFileFails)
{
    const AboutTextCheck empty = checkFile(QByteArray());
    EXPECT_FALSE(empty.valid);
    EXPECT_EQ(empty.decoded, "");
    EXPECT_EQ(empty.body, "");

    const AboutTextCheck missing = checkAboutText(ReadWholeFile(dir.filePath("absent.txt")));
    EXPECT_FALSE(missing.valid);
    EXPECT_EQ(missing.body, "");
}

TEST_F(AboutText, TextWithoutBothMarkersFails)
{
    const QString marker = QString::number(kAboutTextKey);
    const auto encipher = [](const QString& plain) {
        return toWin1252(Encrypt(plain, kAboutTextKey));
    };
    EXPECT_FALSE(checkFile(encipher("no markers at all")).valid);
    EXPECT_FALSE(checkFile(encipher(marker + "only at the start")).valid);
    EXPECT_FALSE(checkFile(encipher("only at the end" + marker)).valid);

    const AboutTextCheck check = checkFile(encipher("xyz"));
    EXPECT_EQ(check.decoded, "xyz");
    EXPECT_EQ(check.body, "");
}

TEST_F(AboutText, PlainTextWithTheMarkersFails)
{
    // Someone edited the file by hand: it no longer deciphers to the markers.
    const QString marker = QString::number(kAboutTextKey);
    EXPECT_FALSE(checkFile((marker + "|My own credits" + marker).toLatin1()).valid);
}

TEST_F(AboutText, MarkersMayNotOverlap)
{
    const QString marker = QString::number(kAboutTextKey);
    const auto encipher = [](const QString& plain) {
        return toWin1252(Encrypt(plain, kAboutTextKey));
    };
    EXPECT_FALSE(checkFile(encipher(marker)).valid);
    const AboutTextCheck bare = checkFile(encipher(marker + marker));
    EXPECT_TRUE(bare.valid);
    EXPECT_EQ(bare.body, "");
}

} // namespace
