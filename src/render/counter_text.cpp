#include "render/counter_text.h"

#include "document/cover_document.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

const QRegularExpression& numberPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    return pattern;
}

// The magnitude of a whole number, as digits without leading zeros, plus or minus one.
QString addOne(QString digits)
{
    for (int i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}

QString subtractOne(QString digits)
{
    for (int i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('0')) {
            digits[i] = QChar(digits[i].unicode() - 1);
            break;
        }
        digits[i] = QLatin1Char('9');
    }
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return digits;
}

} // namespace

QString withCounter(const QString& text, int counter, const QString& countFrom, qsizetype maxLength)
{
    QString result;
    qsizetype from = 0;
    while (result.size() < maxLength) {
        const qsizetype at = counter ? text.indexOf(QLatin1String("%c"), from, Qt::CaseInsensitive) : -1;
        const qsizetype room = maxLength - result.size();
        if (at < 0) {
            result += QStringView(text).mid(from, room);
            break;
        }
        result += QStringView(text).mid(from, std::min(at - from, room));
        result += QStringView(countFrom).left(std::max<qsizetype>(maxLength - result.size(), 0));
        from = at + 2;
    }
    return result;
}

bool isNumericText(const QString& text)
{
    // Only ASCII digits: \d would take other scripts' digits, which no number reader does.
    for (const QChar c : text)
        if (c.isDigit() && c.unicode() > 127)
            return false;
    return numberPattern().match(text).hasMatch();
}

QString nextCounterText(const QString& text)
{
    static const QRegularExpression whole(QStringLiteral("^\\s*([+-]?)0*(\\d+)\\s*$"));
    const QRegularExpressionMatch m = whole.match(text);
    if (!m.hasMatch())
        return numberText(leadingNumber(text) + 1);
    const QString digits = m.captured(2);
    if (m.captured(1) != QLatin1String("-") || digits == QLatin1String("0"))
        return addOne(digits);
    const QString less = subtractOne(digits);
    return less == QLatin1String("0") ? less : QLatin1Char('-') + less;
}
