#pragma once

#include <QObject>
#include <QString>

class OpenFolder;

// Whether a file name ends in one of the ";"-separated endings of a list, ignoring
// case. An entry may begin with one "*" ("*.ini" and ".ini" are the same ending); any
// other "*" or "?" is an ordinary character. An empty list, an empty entry and a list
// holding "*.*" match every name.
bool ExtentionIsSet(const QString& xFile, const QString& Extentions);

// Walks a folder tree depth first and reports each folder it enters and each file
// whose name matches an extension list, then the end of the walk. A folder's files
// come before its subfolders, both in the file system's order; names beginning with
// "." are never entered as folders.
class DirectoryScanner final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Walks the tree below Folder, which must be an absolute local path ("//server/share"
    // is not). Returns false without any signal for another path and while this
    // scanner is walking (a second walk from one of its own signal handlers); a folder
    // that cannot be read gets the message "Path is invalid" and no signal either.
    bool ExtractDir(const QString& Folder, const QString& Extentions);

    // Folders entered by the current or last walk.
    int FolderCount() const { return m_folderCount; }
    // Files reported by the current or last walk.
    int FileCount() const { return m_fileCount; }
    void Reset();
    // Both end the reading of the folder at hand; the walk still enters the subfolders
    // collected so far, reporting no file in them, and then finishes.
    void StopSearch() { m_stop = true; }
    void CancelProcess() { m_cancel = true; }

signals:
    // The walked folder's path (ending in "/") and the file's name.
    void FileFound(const QString& path);
    // The folder's path, ending in "/"; raised before any of its files.
    void NewFolder(const QString& path);
    // Once, when a walk that started has ended.
    void Finish();

private:
    struct Walk;
    void SearchFolder(Walk& walk, const OpenFolder& folder, const QString& path);

    bool m_busy = false;
    bool m_stop = false;
    bool m_cancel = false;
    int m_folderCount = 0;
    int m_fileCount = 0;
};
