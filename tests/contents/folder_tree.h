#pragma once

#include "gtest_qt.h"

// The padding of a listing line.
inline QString spaces(int n) { return QString(n, QLatin1Char(' ')); }

// A folder tree in a temporary folder, built by relative paths.
class FolderTree {
public:
    QString root() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    bool folder(const QString& relative) { return QDir().mkpath(path(relative)); }
    // A file of the given length; long files are sparse, so they cost no disk.
    bool file(const QString& relative, qint64 size = 0)
    {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).path());
        QFile f(full);
        return f.open(QIODevice::WriteOnly) && f.resize(size);
    }
    // A symbolic link at relative pointing to target, as written.
    bool link(const QString& relative, const QString& target) { return QFile::link(target, path(relative)); }

private:
    QTemporaryDir m_dir;
};
