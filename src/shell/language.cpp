#include "shell/language.h"

#include "platform/dialogs.h"
#include "shell/progress.h"
#include "toolbox/ini_file.h"
#include "toolbox/paths.h"
#include "toolbox/program_folder.h"

#include <array>

namespace {

constexpr int kSectionCount = 7;

// Section names in the order of LangSection; the loader fills the tables in this order.
constexpr std::array<const char*, kSectionCount> kSections{
    "Menu", "BackCover", "FrontCover", "Messages", "GetContents", "Common", "Preset"};

using Tables = std::array<QStringList, kSectionCount>;

Tables& tables()
{
    static Tables t;
    return t;
}

QString& currentLanguage()
{
    static QString name;
    return name;
}

// The file of a language, or an empty text when there is none. The menu shows names
// capitalised ("German") and they are stored that way, so the name is matched without
// regard to case, as the file systems the language files come from do.
QString languageFile(const QString& name)
{
    const QString folder = programPath(ProgramPath::Language);
    const QString fileName = name + QStringLiteral(".ini");
    if (FileExists(folder + fileName))
        return folder + fileName;
    for (const QString& entry : ListFiles(folder)) {
        if (entry.compare(fileName, Qt::CaseInsensitive) == 0 && FileExists(folder + entry))
            return folder + entry;
    }
    return QString();
}

} // namespace

QString Lang(LangSection section, int n)
{
    const QStringList& table = LangTable(section);
    if (n < 1 || n > table.size())
        return QString();
    return table.at(n - 1);
}

const QStringList& LangTable(LangSection section)
{
    return tables()[static_cast<int>(section)];
}

QString CurrentLanguage()
{
    return currentLanguage();
}

bool LoadLanguage(QString& name)
{
    bool fellBack = false;
    QString path = languageFile(name);
    while (path.isEmpty()) {
        MsgBox(QStringLiteral("Unable to load languagefile \"") + name + QStringLiteral("\" loading default !"),
               MsgIcon::Critical);
        if (fellBack || languageFile(QStringLiteral("english")).isEmpty())
            return false;
        fellBack = true;
        name = QStringLiteral("english");
        path = languageFile(name);
    }

    // Filled aside and swapped in at the end, so that the tables in use never hold
    // half a language.
    Tables loaded;
    for (int s = 0; s < kSectionCount; ++s) {
        const QString section = QString::fromLatin1(kSections[s]);
        const QString statusPrefix = QStringLiteral("Loading string:") + section + QLatin1Char('_');
        for (int i = 1;; ++i) {
            const QString value = ReadINI(path, section, QStringLiteral("V") + QString::number(i));
            if (value.isEmpty())
                break;
            loaded[s].append(value);
            SetProgressStatus(statusPrefix + QString::number(i));
            ProcessPendingEvents();
        }
    }
    tables() = std::move(loaded);
    currentLanguage() = name;
    return true;
}
