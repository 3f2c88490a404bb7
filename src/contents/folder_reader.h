#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <set>
#include <utility>

// Reads folders for the directory scanner, the folder-size walk and the contents
// listing through the POSIX directory calls: names stay bytes, each entry costs one
// fstatat, and a child folder is opened relative to its parent, so long paths and
// renamed parents do not matter. A Windows port needs its own reader behind this
// interface.

// A folder's device and inode: the same folder reached twice has the same id.
using FolderId = std::pair<quint64, quint64>;

enum class EntryKind { File, Folder, Other };

struct FolderEntry {
    QByteArray name;      // as the file system stores it
    EntryKind kind = EntryKind::Other; // what it is, after following a link
    bool link = false;    // a symbolic link (to a file, a folder or nothing)
    qint64 size = 0;      // a file's length; for a link, its target's
    FolderId id{0, 0};    // a folder's id; for a link, its target's
};

class OpenFolder {
public:
    // Opens a folder by path, following a link.
    explicit OpenFolder(const QString& path);
    // Opens a folder entry of parent; a link is followed only when followLink is set.
    OpenFolder(const OpenFolder& parent, const QByteArray& name, bool followLink);
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    // Why the folder could not be opened, or read to its end.
    QString errorString() const { return m_error; }
    FolderId id() const { return m_id; }

    // Calls visit for every entry but "." and ".."; visit returns false to stop early.
    // False when the folder could not be read to its end.
    bool read(const std::function<bool(const FolderEntry&)>& visit) const;

private:
    void finishOpen(int fd);

    int m_fd = -1;
    FolderId m_id{0, 0};
    mutable QString m_error;
};

// The folder names a walk may enter: the walk's own folder and its subfolders, each
// once. A link to a folder is entered only when its target lies inside the walk's
// folder, so a link cycle ends and a walk never leaves its folder through a link.
class WalkBounds {
public:
    // root: the folder the walk starts from (a link to it is resolved).
    explicit WalkBounds(const QString& root);

    // Records the walk's own folder; false when it is already recorded.
    bool enter(FolderId id) { return m_entered.insert(id).second; }
    // Whether the walk may enter entry of the folder at path (ending in "/"), and
    // records it when it may.
    bool mayEnter(const QByteArray& folderPath, const FolderEntry& entry);

private:
    QByteArray m_root; // resolved, ending in "/"
    std::set<FolderId> m_entered;
};

// Local 8-bit path bytes with a trailing "/".
QByteArray folderPathBytes(const QString& path);
