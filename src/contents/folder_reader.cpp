#include "contents/folder_reader.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

void describe(FolderEntry& entry, const struct stat& st)
{
    if (S_ISDIR(st.st_mode)) {
        entry.kind = EntryKind::Folder;
        entry.id = {quint64(st.st_dev), quint64(st.st_ino)};
    } else if (S_ISREG(st.st_mode)) {
        entry.kind = EntryKind::File;
        entry.size = qint64(st.st_size);
    } else {
        entry.kind = EntryKind::Other;
    }
}

bool isDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

} // namespace

OpenFolder::OpenFolder(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    finishOpen(::open(bytes.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

OpenFolder::OpenFolder(const OpenFolder& parent, const QByteArray& name, bool followLink)
{
    if (!parent.isOpen()) {
        m_error = parent.m_error;
        return;
    }
    const int flags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | (followLink ? 0 : O_NOFOLLOW);
    finishOpen(::openat(parent.m_fd, name.constData(), flags));
}

OpenFolder::~OpenFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void OpenFolder::finishOpen(int fd)
{
    if (fd < 0) {
        m_error = errnoText(errno);
        return;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        m_error = errnoText(errno);
        ::close(fd);
        return;
    }
    m_fd = fd;
    m_id = {quint64(st.st_dev), quint64(st.st_ino)};
}

bool OpenFolder::read(const std::function<bool(const FolderEntry&)>& visit) const
{
    if (m_fd < 0)
        return false;
    // The stream owns a copy of the descriptor, so the folder stays open for opening
    // its children once the stream is closed; the copy shares the read position.
    const int streamFd = ::dup(m_fd);
    DIR* dir = streamFd < 0 ? nullptr : ::fdopendir(streamFd);
    if (!dir) {
        m_error = errnoText(errno);
        if (streamFd >= 0)
            ::close(streamFd);
        return false;
    }
    ::rewinddir(dir);
    bool complete = true;
    for (;;) {
        errno = 0;
        const dirent* d = ::readdir(dir);
        if (!d) {
            if (errno != 0) {
                m_error = errnoText(errno);
                complete = false;
            }
            break;
        }
        if (isDotOrDotDot(d->d_name))
            continue;
        FolderEntry entry;
        entry.name = QByteArray(d->d_name);
        struct stat st;
        bool link = d->d_type == DT_LNK;
        if (!link) {
            if (::fstatat(m_fd, d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                link = S_ISLNK(st.st_mode);
                if (!link)
                    describe(entry, st);
            }
        }
        if (link) {
            entry.link = true;
            if (::fstatat(m_fd, d->d_name, &st, 0) == 0)
                describe(entry, st);
        }
        if (!visit(entry))
            break;
    }
    ::closedir(dir);
    return complete;
}

WalkBounds::WalkBounds(const QString& root)
{
    char resolved[PATH_MAX];
    const QByteArray bytes = QFile::encodeName(root);
    m_root = ::realpath(bytes.constData(), resolved) ? QByteArray(resolved) : bytes;
    if (!m_root.endsWith('/'))
        m_root += '/';
}

bool WalkBounds::mayEnter(const QByteArray& folderPath, const FolderEntry& entry)
{
    if (entry.kind != EntryKind::Folder)
        return false;
    if (entry.link) {
        char resolved[PATH_MAX];
        const QByteArray path = folderPath + entry.name;
        if (!::realpath(path.constData(), resolved))
            return false;
        const QByteArray target = QByteArray(resolved) + '/';
        if (!target.startsWith(m_root))
            return false;
    }
    return m_entered.insert(entry.id).second;
}

QByteArray folderPathBytes(const QString& path)
{
    QByteArray bytes = QFile::encodeName(path);
    if (!bytes.endsWith('/'))
        bytes += '/';
    return bytes;
}
