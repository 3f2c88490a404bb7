#include "shell/about_text.h"

#include "toolbox/crypter.h"
#include "toolbox/win1252.h"

namespace {

QString marker()
{
    return QStringLiteral("%1").arg(kAboutTextKey, 2, 10, QLatin1Char('0'));
}

} // namespace

AboutTextCheck checkAboutText(const QString& fileText)
{
    AboutTextCheck check;
    if (fileText.isEmpty())
        return check;
    // The shift counts in code-page codes, not in Unicode: "€" is code 128 here.
    const QString codes = QString::fromLatin1(toWin1252(fileText));
    check.decoded = fromWin1252(Decrypt(codes, kAboutTextKey).toLatin1());
    // Four characters at least, so that the two markers do not overlap.
    check.valid = check.decoded.size() >= 4 && check.decoded.startsWith(marker())
        && check.decoded.endsWith(marker());
    if (check.valid)
        check.body = check.decoded.mid(2, check.decoded.size() - 4);
    return check;
}

QByteArray encipherAboutText(const QString& credits)
{
    const QByteArray plain = toWin1252(marker() + credits + marker());
    return Encrypt(QString::fromLatin1(plain), kAboutTextKey).toLatin1();
}
