#include "shell/presets.h"

#include "document/cover_archive.h"
#include "document/settings_file.h"
#include "platform/dialogs.h"
#include "shell/language.h"
#include "shell/user_settings.h"
#include "toolbox/paths.h"
#include "toolbox/program_folder.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <functional>

const QString kDefaultPreset = QStringLiteral("default");

namespace {

const QString kExtension = QStringLiteral(".ini");
const QString kForbidden = QStringLiteral("\":\\/?<>*|");

QString text(int n)
{
    return Lang(LangSection::Preset, n);
}

// Entries newer than some language files fall back to English.
QString textOr(int n, const char* english)
{
    const QString t = text(n);
    return t.isEmpty() ? QString::fromLatin1(english) : t;
}

// " "name"", as the dialog's messages show a name after their text.
QString quoted(const QString& name)
{
    return QStringLiteral(" \"") + name + QLatin1Char('"');
}

void exclaim(const QString& message)
{
    MsgBox(message, MsgIcon::Exclamation);
}

bool isDefault(const QString& name)
{
    return name.trimmed().compare(kDefaultPreset, Qt::CaseInsensitive) == 0;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The preset file of that name in folder, whatever the letter case of the file's name.
QString fileIn(const QString& folder, const QString& name)
{
    if (name.isEmpty())
        return QString();
    if (FileExists(folder + name + kExtension))
        return folder + name + kExtension;
    for (const QString& entry : ListFiles(folder, QLatin1Char('*') + kExtension)) {
        if (sameName(entry, name + kExtension) && FileExists(folder + entry))
            return folder + entry;
    }
    return QString();
}

QString userFile(const QString& name)
{
    return fileIn(programPath(ProgramPath::UserPresets), name);
}

// A preset only the installation holds cannot be changed by the user.
bool refuseShippedOnly(const QString& name)
{
    if (!userFile(name).isEmpty())
        return false;
    exclaim(textOr(19, "This preset belongs to the installation and cannot be changed:") + quoted(name));
    return true;
}

// A preset leaves the cover's texts and pictures alone.
void applyFile(CoverFileContext& ctx, const QString& file)
{
    if (file.isEmpty())
        return;
    LoadIniFile(ctx.doc, file, true, ctx.fontList, [&ctx] {
        if (ctx.redrawBack)
            ctx.redrawBack();
        if (ctx.redrawFront)
            ctx.redrawFront();
    });
}

void makeWritable(const QString& path)
{
    QFile::setPermissions(path, QFile::permissions(path) | QFile::WriteOwner);
}

// Asks until a name is acceptable; an empty answer, blanks only or cancel give an
// empty text. Names lose their outer blanks, which no one can see in the list.
QString askName(const QString& prompt, const QString& title, const std::function<bool(const QString&)>& acceptable)
{
    for (;;) {
        const QString name = dialogs().input(prompt, title, QString()).trimmed();
        if (name.isEmpty())
            return QString();
        if (ValidFileName(name) && acceptable(name))
            return name;
    }
}

} // namespace

QStringList presetNames()
{
    QStringList names;
    // The user's first, so that they hide the shipped ones of the same name.
    for (const ProgramPath place : {ProgramPath::UserPresets, ProgramPath::Presets}) {
        const QString folder = programPath(place);
        for (const QString& entry : ListFiles(folder, QLatin1Char('*') + kExtension)) {
            const QString name = entry.left(entry.size() - kExtension.size());
            const bool listed = std::any_of(names.cbegin(), names.cend(),
                                            [&name](const QString& n) { return sameName(n, name); });
            if (!listed && FileExists(folder + entry))
                names << name;
        }
    }
    names.sort(Qt::CaseInsensitive);
    return names;
}

QString presetFile(const QString& name)
{
    const QString own = userFile(name);
    return own.isEmpty() ? fileIn(programPath(ProgramPath::Presets), name) : own;
}

void GetPreset(CoverFileContext& ctx)
{
    applyFile(ctx, presetFile(settings::preset()));
}

bool ValidFileName(const QString& name)
{
    for (const QChar c : name) {
        if (kForbidden.contains(c)) {
            exclaim(text(14) + QStringLiteral("\r\n") + kForbidden);
            return false;
        }
    }
    return true;
}

bool ApplyPreset(CoverFileContext& ctx, const QString& selected)
{
    if (selected.isEmpty()) {
        exclaim(text(15));
        return false;
    }
    applyFile(ctx, presetFile(selected));
    settings::setPreset(selected);
    return true;
}

QString SavePreset(const CoverFileContext& ctx)
{
    QString target;
    const QString name = askName(text(16), text(16), [&target](const QString& n) {
        if (isDefault(n)) {
            exclaim(text(9));
            return false;
        }
        target = QString();
        const QString existing = presetFile(n);
        if (!existing.isEmpty()) {
            const QString shown = StripExtension(FileNameOf(existing));
            if (MsgBox(text(10) + quoted(shown) + QLatin1Char(' ') + text(11),
                       MsgIcon::Exclamation, MsgButtons::OkCancel)
                != MsgResult::Ok)
                return true; // answered: the command ends without saving
            // An own preset is written over under its own spelling.
            target = userFile(n);
        }
        if (target.isEmpty())
            target = programPath(ProgramPath::UserPresets) + n + kExtension;
        return true;
    });
    if (name.isEmpty() || target.isEmpty())
        return QString();
    QDir().mkpath(programPath(ProgramPath::UserPresets));
    // The old preset is replaced only by a complete new one.
    if (!ReplaceIniFile(ctx.doc, target, FileNameOf(target)))
        return QString();
    return StripExtension(FileNameOf(target));
}

QString RenamePreset(const QString& selected)
{
    if (selected.isEmpty())
        return QString();
    if (isDefault(selected)) {
        exclaim(text(12));
        return QString();
    }
    if (refuseShippedOnly(selected))
        return QString();
    const QStringList others = presetNames();
    const QString name = askName(text(17), text(18), [&](const QString& n) {
        const bool taken = std::any_of(others.cbegin(), others.cend(), [&](const QString& other) {
            return sameName(other, n) && !sameName(other, selected);
        });
        if (taken)
            exclaim(text(13));
        return !taken;
    });
    if (name.isEmpty())
        return QString();
    const QString from = userFile(selected);
    const QString to = FolderOf(from) + name + kExtension;
    makeWritable(from);
    if (from != to && !QFile::rename(from, to)) {
        exclaim(textOr(20, "The preset could not be renamed:") + quoted(selected));
        return QString();
    }
    // New covers keep their style.
    if (sameName(settings::preset(), selected))
        settings::setPreset(name);
    return name;
}

bool DeletePreset(const QString& selected)
{
    if (selected.isEmpty())
        return false;
    if (isDefault(selected)) {
        exclaim(text(7));
        return false;
    }
    if (refuseShippedOnly(selected))
        return false;
    if (MsgBox(text(8) + quoted(selected) + QStringLiteral(" ?"), MsgIcon::Exclamation,
               MsgButtons::OkCancel)
        != MsgResult::Ok)
        return false;
    const QString file = userFile(selected);
    makeWritable(file);
    if (!QFile::remove(file)) {
        exclaim(textOr(21, "The preset could not be deleted:") + quoted(selected));
        return false;
    }
    return true;
}

void ClosePresets(const QString& selected)
{
    if (selected.isEmpty())
        settings::setPreset(kDefaultPreset);
}
