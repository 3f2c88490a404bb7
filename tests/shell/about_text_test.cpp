#include "shell/about_text.h"

#include "gtest_qt.h"
#include "toolbox/crypter.h"
#include "toolbox/paths.h"
#include "toolbox/win1252.h"

namespace {

// The file's bytes as start-up reads them.
AboutTextCheck check(const QByteArray& bytes) { return checkAboutText(fromWin1252(bytes)); }

TEST(AboutText, TheBuiltFilePassesAndEveryCodePageCharacterSurvivesTheRoundTrip)
{
    const AboutTextCheck built = checkAboutText(ReadWholeFile(QStringLiteral(CASELEAF_BUILD_DIR "/help/abouttext.txt")));
    EXPECT_TRUE(built.valid && built.body.startsWith('|') && built.body.contains("Caseleaf")) << built.decoded.left(40).toStdString();
    // Letters the shift moves into 0x80-0x9F and high codes that wrap past 255.
    const QString credits = QString::fromUtf8("|QRSTUVWXYZ[\\]^_`abcdefghijklmnop|Grüße, Ærø, €, „quoted“, ÿ~ |");
    const AboutTextCheck good = check(encipherAboutText(credits));
    EXPECT_TRUE(good.valid);
    EXPECT_EQ(good.body, credits);
}

TEST(AboutText, TextWithoutTheMarkerAtBothEndsFails)
{
    const QString marker = QString::number(kAboutTextKey);
    const auto enciphered = [](const QString& text) { return toWin1252(Encrypt(text, kAboutTextKey)); };
    const QByteArray bad[] = {QByteArray(), enciphered("no markers at all"), enciphered(marker + "only at the start"),
                              enciphered("only at the end" + marker), enciphered(marker),
                              // Edited by hand: plain text no longer deciphers to the markers.
                              (marker + "|My own credits" + marker).toLatin1()};
    for (const QByteArray& bytes : bad) {
        const AboutTextCheck c = check(bytes);
        EXPECT_TRUE(!c.valid && c.body.isEmpty()) << bytes.toStdString();
    }
}

} // namespace
