#include "document/font_matching.h"

#include "document/cover_document.h"

#include <QFontDatabase>

const QStringList& fontSizes()
{
    static const QStringList sizes = {
        QStringLiteral("6"),  QStringLiteral("7"),  QStringLiteral("8"),  QStringLiteral("9"),
        QStringLiteral("10"), QStringLiteral("11"), QStringLiteral("12"), QStringLiteral("13"),
        QStringLiteral("14"), QStringLiteral("15"), QStringLiteral("16"), QStringLiteral("17"),
        QStringLiteral("18"), QStringLiteral("19"), QStringLiteral("20"), QStringLiteral("22"),
        QStringLiteral("24"), QStringLiteral("26"), QStringLiteral("28"), QStringLiteral("36"),
        QStringLiteral("48"), QStringLiteral("72")};
    return sizes;
}

QString familyName(const QString& listed)
{
    // Qt tells apart one family from several foundries as "Family [foundry]".
    const int bracket = listed.indexOf(QLatin1String(" ["));
    return bracket > 0 && listed.endsWith(QLatin1Char(']')) ? listed.left(bracket) : listed;
}

QStringList standardFontList()
{
    QStringList families;
    for (const QString& listed : QFontDatabase::families()) {
        const QString name = familyName(listed);
        if (!families.contains(name, Qt::CaseInsensitive))
            families << name;
    }
    families.sort(Qt::CaseInsensitive);
    return families;
}

int matchFontName(const QStringList& list, const QString& name)
{
    if (list.isEmpty())
        return -1;
    for (int i = 0; !name.isEmpty() && i < list.size(); ++i) {
        if (list[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

int matchBackFontSize(const QStringList& list, const QString& size, int current)
{
    for (int i = 0; !size.isEmpty() && i < list.size(); ++i) {
        if (list[i].compare(size, Qt::CaseInsensitive) == 0)
            return i;
    }
    return current;
}

int matchFrontFontSize(const QStringList& list, const QString& size)
{
    const double wanted = leadingNumber(size);
    int found = kDefaultFrontSizeIndex;
    for (int i = 0; i < list.size(); ++i) {
        if (leadingNumber(list[i]) == wanted)
            found = i;
    }
    return found;
}
