#pragma once

#include <QString>

// The per-user settings store: organisation "Caseleaf", application "VORN",
// group "General". Every value is text; a missing store or key gives the default.
QString readSetting(const QString& key, const QString& defaultValue);
void writeSetting(const QString& key, const QString& value);

// The same store outside "General", for settings kept per name (a printer's calibration).
// The name may hold any character, "/" included.
QString readNamedSetting(const QString& group, const QString& name, const QString& key,
                         const QString& defaultValue);
void writeNamedSetting(const QString& group, const QString& name, const QString& key, const QString& value);
void removeNamedSettings(const QString& group, const QString& name);
