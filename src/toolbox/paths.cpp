#include "toolbox/paths.h"

#include "toolbox/program_folder.h"
#include "toolbox/win1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool isSeparator(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }

QString withSlash(QString path)
{
    if (!path.isEmpty() && !isSeparator(path.back()))
        path += QLatin1Char('/');
    return path;
}

} // namespace

QString FileNameOf(const QString& path)
{
    if (path.isEmpty() || isSeparator(path.back()))
        return path;
    // The last separator of either kind: a Linux folder may be named "AC\DC".
    const int cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.mid(cut + 1);
}

QString FolderOf(const QString& path)
{
    if (path.isEmpty() || isSeparator(path.back()))
        return path;
    const int cut = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? path : path.left(cut + 1);
}

QString StripExtension(const QString& name)
{
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? QString() : name.left(dot);
}

bool FolderExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool FileExists(const QString& path)
{
    if (path.isEmpty() || FolderExists(path))
        return false;
    return QFileInfo::exists(path);
}

QString ReadWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = file.readAll();
    if (bytes.endsWith("\r\n"))
        bytes.chop(2);
    return fromWin1252(bytes);
}

QStringList ListFiles(const QString& folder, const QString& pattern)
{
    const QString filter = pattern.isEmpty() ? QStringLiteral("*.*") : pattern;
    QDir dir(withSlash(folder));
    // "*.*" means every entry on Windows, dotted or not.
    const QStringList filters = filter == QLatin1String("*.*") ? QStringList{QStringLiteral("*")}
                                                               : QStringList{filter};
    return dir.entryList(filters, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                         QDir::Unsorted);
}

QString GetAppPath()
{
    return programPath(ProgramPath::Folder);
}

QString GetDesktopFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return desktop.isEmpty() ? QString() : withSlash(desktop);
}
