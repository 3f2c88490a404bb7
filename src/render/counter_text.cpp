#include "render/counter_text.h"

QString withCounter(const QString& text, int counter, const QString& countFrom)
{
    if (!counter)
        return text;
    return QString(text).replace(QStringLiteral("%c"), countFrom, Qt::CaseInsensitive);
}
