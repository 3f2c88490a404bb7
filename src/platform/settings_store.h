#pragma once

#include <QString>

// The per-user settings store: organisation "Caseleaf", application "VORN",
// group "General". Every value is text; a missing store or key gives the default.
QString readSetting(const QString& key, const QString& defaultValue);
void writeSetting(const QString& key, const QString& value);
