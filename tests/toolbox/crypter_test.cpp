#include "toolbox/crypter.h"

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

TEST(Crypter, ShiftsDownAndWrapsBelow32To255)
{
    EXPECT_EQ(Decrypt("B", 1), "A");
    EXPECT_EQ(Decrypt(" ", 1), QString(QChar(255)));
    EXPECT_EQ(Decrypt("!", 3), QString(QChar(254)));
    // A control character wraps on its first step.
    EXPECT_EQ(Decrypt("\n", 1), QString(QChar(255)));
    EXPECT_EQ(Decrypt("\n", 2), QString(QChar(254)));
}

TEST(Crypter, NegativeAndZeroKeysLeaveTheText)
{
    EXPECT_EQ(Decrypt("abc", -5), "abc");
    EXPECT_EQ(Decrypt("abc", 0), "abc");
}

TEST(Crypter, KeyOf32767IsRefused)
{
    EXPECT_THROW(Decrypt("abc", 32767), CrypterError);
    EXPECT_NO_THROW(Decrypt("abc", 32766));
    try {
        Decrypt("x", 32767);
    } catch (const CrypterError& e) {
        EXPECT_STREQ(e.what(), "'DecryptNumber' is an integer, and may not be greater than 32766!");
        EXPECT_EQ(CrypterError::number, 10);
    }
}

TEST(Crypter, EncryptIsTheInverseForPrintableText)
{
    const QString text = QString::fromUtf8("42 Credits: Grüße ~ \u00ff 42");
    for (int key : {1, 42, 224, 500, 32766})
        EXPECT_EQ(Decrypt(Encrypt(text, key), key), text) << key;
}

} // namespace
