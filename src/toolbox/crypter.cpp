#include "toolbox/crypter.h"

namespace {

constexpr int kLow = 32;
constexpr int kSpan = 256 - kLow; // codes 32..255 form the cycle

} // namespace

QString Decrypt(const QString& text, int DecryptNumber)
{
    if (DecryptNumber >= 32767)
        throw CrypterError();
    if (DecryptNumber <= 0)
        return text;
    QString out = text;
    for (QChar& ch : out) {
        int code = ch.unicode() > 255 ? '?' : ch.unicode();
        int steps = DecryptNumber;
        if (code < kLow) {
            // The first step already falls below 32 and lands on 255.
            code = 255;
            --steps;
        }
        code = kLow + ((code - kLow - steps) % kSpan + kSpan) % kSpan;
        ch = QChar(code);
    }
    return out;
}

QString Encrypt(const QString& text, int DecryptNumber)
{
    QString out = text;
    for (QChar& ch : out) {
        const int code = ch.unicode() > 255 || ch.unicode() < kLow ? '?' : ch.unicode();
        ch = QChar(kLow + (code - kLow + DecryptNumber) % kSpan);
    }
    return out;
}
