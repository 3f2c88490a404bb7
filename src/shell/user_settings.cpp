#include "shell/user_settings.h"

#include "platform/settings_store.h"
#include "toolbox/paths.h"

namespace settings {

namespace {

bool readTruth(const QString& key, bool defaultValue)
{
    return truthValue(readSetting(key, truthText(defaultValue)), defaultValue);
}

void writeTruth(const QString& key, bool value)
{
    writeSetting(key, truthText(value));
}

} // namespace

QString truthText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

bool truthValue(const QString& text, bool fallback)
{
    const QString t = text.trimmed();
    if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool isNumber = false;
    const double number = t.toDouble(&isNumber);
    return isNumber ? number != 0.0 : fallback;
}

bool notFirstUse() { return readTruth(QStringLiteral("NotFirstUse"), true); }
void setNotFirstUse(bool value) { writeTruth(QStringLiteral("NotFirstUse"), value); }

QString language() { return readSetting(QStringLiteral("Language"), QStringLiteral("english")); }
void setLanguage(const QString& name) { writeSetting(QStringLiteral("Language"), name); }

QString lastPath() { return readSetting(QStringLiteral("LastPath"), GetDesktopFolder()); }
void setLastPath(const QString& folder) { writeSetting(QStringLiteral("LastPath"), folder); }

QString lastPicturePath() { return readSetting(QStringLiteral("LastPicturePath"), GetDesktopFolder()); }
void setLastPicturePath(const QString& folder) { writeSetting(QStringLiteral("LastPicturePath"), folder); }

bool showres() { return readTruth(QStringLiteral("showres"), true); }
void setShowres(bool value) { writeTruth(QStringLiteral("showres"), value); }

QString preset() { return readSetting(QStringLiteral("Preset"), QStringLiteral("default")); }
void setPreset(const QString& name) { writeSetting(QStringLiteral("Preset"), name); }

} // namespace settings
