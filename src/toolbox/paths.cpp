#include "toolbox/paths.h"

#include "toolbox/program_folder.h"
#include "toolbox/win1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <linux/magic.h>
#include <sys/vfs.h>
#endif

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

bool openRegularFile(const QString& path, QFile& file, QString* reason)
{
    const auto refuse = [reason](const char* why) {
        if (reason)
            *reason = QString::fromLatin1(why);
        return false;
    };
    file.close();
#ifdef Q_OS_UNIX
    // Opened without waiting, then checked on the open file itself, so nothing can be
    // swapped in between the check and the read.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return refuse("The file could not be opened");
    struct stat st {};
    bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
#ifdef Q_OS_LINUX
    struct statfs fs {};
    if (regular && ::fstatfs(fd, &fs) == 0 && (fs.f_type == PROC_SUPER_MAGIC || fs.f_type == SYSFS_MAGIC))
        regular = false;
#endif
    if (!regular || st.st_size == 0) {
        ::close(fd);
        return refuse(regular ? "The file is empty" : "Not a regular file");
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse("The file could not be opened");
    }
    return true;
#else
    const QFileInfo info(path);
    if (!info.isFile())
        return refuse("Not a regular file");
    if (info.size() == 0)
        return refuse("The file is empty");
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) || refuse("The file could not be opened");
#endif
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
