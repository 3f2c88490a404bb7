#include "toolbox/crypter.h"

#include "gtest_qt.h"

TEST(Crypter, ShiftsDownWrappingBelow32To255AndRefusesKey32767)
{
    EXPECT_EQ(Decrypt("B", 1), "A");
    EXPECT_EQ(Decrypt("!", 3), QString(QChar(254)));
    EXPECT_EQ(Decrypt("\n", 2), QString(QChar(254))); // a control character wraps at once
    EXPECT_EQ(Decrypt("abc", -5), "abc");
    EXPECT_THROW(Decrypt("abc", 32767), CrypterError);
    EXPECT_NO_THROW(Decrypt("abc", 32766));
}

TEST(Crypter, EncryptIsTheInverseForPrintableText)
{
    const QString text = QString::fromUtf8("42 Credits: Grüße ~ \u00ff 42");
    for (int key : {1, 47, 224, 500, 32766})
        EXPECT_EQ(Decrypt(Encrypt(text, key), key), text) << key;
}
