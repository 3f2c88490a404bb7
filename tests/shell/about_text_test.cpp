#include "shell/about_text.h"

#include "toolbox/crypter.h"
#include "toolbox/paths.h"
#include "toolbox/win1252.h"

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

// The file's bytes as start-up reads them.
AboutTextCheck check(const QByteArray& bytes) { return checkAboutText(fromWin1252(bytes)); }

TEST(AboutText, FileMadeAtBuildTimePasses)
{
    const AboutTextCheck built =
        checkAboutText(ReadWholeFile(QStringLiteral(CASELEAF_BUILD_DIR "/help/abouttext.txt")));
    EXPECT_TRUE(built.valid) << built.decoded.left(40).toStdString();
    EXPECT_TRUE(built.body.startsWith(QLatin1Char('|')) && built.body.contains("Caseleaf"));
}

TEST(AboutText, EveryCodePageCharacterSurvivesTheRoundTrip)
{
    // Letters the shift moves into 0x80-0x9F and high codes that wrap past 255.
    const QString credits =
        QString::fromUtf8("|QRSTUVWXYZ[\\]^_`abcdefghijklmnop|Grüße, Ærø, €, „quoted“, ÿ~ |");
    const AboutTextCheck good = check(encipherAboutText(credits));
    EXPECT_TRUE(good.valid);
    EXPECT_EQ(good.body, credits);
}

TEST(AboutText, TextWithoutTheMarkerAtBothEndsFails)
{
    const QString marker = QString::number(kAboutTextKey);
    const QByteArray bad[] = {QByteArray(),
                              toWin1252(Encrypt("no markers at all", kAboutTextKey)),
                              toWin1252(Encrypt(marker + "only at the start", kAboutTextKey)),
                              toWin1252(Encrypt("only at the end" + marker, kAboutTextKey)),
                              toWin1252(Encrypt(marker, kAboutTextKey)),
                              // Edited by hand: plain text no longer deciphers to the markers.
                              (marker + "|My own credits" + marker).toLatin1()};
    for (const QByteArray& bytes : bad) {
        const AboutTextCheck c = check(bytes);
        EXPECT_FALSE(c.valid) << bytes.toStdString();
        EXPECT_EQ(c.body, "") << bytes.toStdString();
    }
}

} // namespace
