#include "shell/recent_files.h"

#include "platform/dialogs.h"
#include "shell/language.h"
#include "toolbox/ini_file.h"
#include "toolbox/paths.h"
#include "toolbox/program_folder.h"

#include <QDir>
#include <QFile>

#include <array>
#include <vector>

namespace {

const QString kSection = QStringLiteral("resent");

QString keyOf(int position)
{
    return QStringLiteral("rFile") + QString::number(position);
}

} // namespace

QStringList ReadRecentList(const QString& file, const QString& section)
{
    QStringList list;
    for (int i = 0; i < kMaxRecentFiles; ++i) {
        const QString path = ReadINI(file, section, keyOf(i));
        if (path.isEmpty())
            break;
        list << path;
    }
    return list;
}

bool UpdateRecentList(const QString& file, const QString& section, const QString& newPath)
{
    std::array<QString, kMaxRecentFiles> slot;
    for (int i = 0; i < kMaxRecentFiles - 1; ++i) {
        const QString path = ReadINI(file, section, keyOf(i));
        if (path.isEmpty())
            break;
        // The same cover's old entry leaves a gap, which ends the rewriting there.
        if (path.compare(newPath, Qt::CaseInsensitive) != 0)
            slot[size_t(i) + 1] = path;
    }
    slot[0] = newPath;
    std::vector<IniEntry> entries;
    for (int j = 0; j < kMaxRecentFiles && !slot[size_t(j)].isEmpty(); ++j)
        entries.push_back({section, keyOf(j), slot[size_t(j)]});
    return WriteINI(file, entries);
}

QStringList recentFiles()
{
    return ReadRecentList(programPath(ProgramPath::RecentFiles), kSection);
}

void recordRecentFile(const QString& path)
{
    static bool reported = false;
    const QString file = programPath(ProgramPath::RecentFiles);
    QDir().mkpath(FolderOf(file));
    if (UpdateRecentList(file, kSection, path) || reported)
        return;
    reported = true;
    MsgBox(QStringLiteral("The list of recent files could not be written:\n") + file, MsgIcon::Exclamation);
}

void openRecentFile(const QString& path, const std::function<void(const QString&)>& open)
{
    if (FileExists(path)) {
        open(path);
        return;
    }
    const QString gone = Lang(LangSection::Messages, 42);
    QString text = Lang(LangSection::Messages, 40);
    text.replace(QStringLiteral("%F"), QLatin1Char('"') + path + QStringLiteral("\" "));
    MsgBox(text + gone + QStringLiteral("\r\n") + Lang(LangSection::Messages, 41), MsgIcon::Critical, MsgButtons::Ok,
           gone);
}

bool clearRecentFiles()
{
    const QString question = Lang(LangSection::Menu, 28);
    if (MsgBox(question, MsgIcon::Exclamation, MsgButtons::OkCancel, question) != MsgResult::Ok)
        return false;
    const QString file = programPath(ProgramPath::RecentFiles);
    QFile::setPermissions(file, QFile::permissions(file) | QFile::WriteOwner);
    QFile::remove(file);
    return true;
}
