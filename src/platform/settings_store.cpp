#include "platform/settings_store.h"

#include <QSettings>
#include <QUrl>

namespace {

// Opened per call: the store is touched a handful of times per run, and a fresh
// object always sees what another instance wrote.
QSettings openStore()
{
    return QSettings(QSettings::UserScope, QStringLiteral("Caseleaf"), QStringLiteral("VORN"));
}

QString keyPath(const QString& key)
{
    return QStringLiteral("General/") + key;
}

// "/" and "\" would split the name into groups of the store.
QString namedPath(const QString& group, const QString& name)
{
    return group + QLatin1Char('/') + QString::fromLatin1(QUrl::toPercentEncoding(name));
}

} // namespace

QString readSetting(const QString& key, const QString& defaultValue)
{
    const QVariant value = openStore().value(keyPath(key));
    return value.isValid() ? value.toString() : defaultValue;
}

void writeSetting(const QString& key, const QString& value)
{
    openStore().setValue(keyPath(key), value);
}

QString readNamedSetting(const QString& group, const QString& name, const QString& key,
                         const QString& defaultValue)
{
    const QVariant value = openStore().value(namedPath(group, name) + QLatin1Char('/') + key);
    return value.isValid() ? value.toString() : defaultValue;
}

void writeNamedSetting(const QString& group, const QString& name, const QString& key, const QString& value)
{
    openStore().setValue(namedPath(group, name) + QLatin1Char('/') + key, value);
}

void removeNamedSettings(const QString& group, const QString& name)
{
    openStore().remove(namedPath(group, name));
}
