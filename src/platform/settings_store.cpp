#include "platform/settings_store.h"

#include <QSettings>

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
