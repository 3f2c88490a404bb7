#include "contents/directory_scanner.h"

#include "contents/folder_reader.h"
#include "contents/walk_pacer.h"
#include "platform/dialogs.h"
#include "shell/progress.h"

#include <QFile>

#include <vector>

namespace {

// A local folder named from the root; a network path ("//server/share") is not one.
bool isAbsoluteLocalPath(const QString& path)
{
    return path.startsWith(QLatin1Char('/')) && !path.startsWith(QLatin1String("//"));
}

} // namespace

bool ExtentionIsSet(const QString& xFile, const QString& Extentions)
{
    if (Extentions.isEmpty() || Extentions.contains(QLatin1String("*.*")))
        return true;
    QString list = Extentions;
    // A closing ";" ends the last entry; it does not add an empty one.
    if (list.endsWith(QLatin1Char(';')))
        list.chop(1);
    const QStringList entries = list.split(QLatin1Char(';'));
    for (QString ending : entries) {
        if (ending.startsWith(QLatin1Char('*')))
            ending.remove(0, 1);
        if (xFile.endsWith(ending, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

struct DirectoryScanner::Walk {
    QString extensions;
    WalkBounds bounds;
    WalkPacer pacer;
};

void DirectoryScanner::Reset()
{
    m_folderCount = 0;
    m_fileCount = 0;
}

bool DirectoryScanner::ExtractDir(const QString& Folder, const QString& Extentions)
{
    if (m_busy)
        return false;
    m_cancel = false;
    m_stop = false;
    Reset();
    if (!isAbsoluteLocalPath(Folder))
        return false;
    QString folder = Folder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const OpenFolder root(folder);
    if (!root.isOpen()) {
        MsgBox(folder, MsgIcon::Information, MsgButtons::Ok, QStringLiteral("Path is invalid"));
        return false;
    }
    Walk walk{Extentions, WalkBounds(folder), WalkPacer([] {
                  ProcessPendingEvents();
                  return true;
              }, kWalkPollMs)};
    walk.bounds.enter(root.id());
    m_busy = true;
    SearchFolder(walk, root, folder);
    m_busy = false;
    emit Finish();
    return true;
}

void DirectoryScanner::SearchFolder(Walk& walk, const OpenFolder& folder, const QString& path)
{
    walk.pacer.tick();
    ++m_folderCount;
    emit NewFolder(path);
    const QByteArray pathBytes = QFile::encodeName(path);
    std::vector<std::pair<QByteArray, bool>> subfolders;
    folder.read([&](const FolderEntry& entry) {
        walk.pacer.tick();
        if (m_cancel || m_stop)
            return false;
        if (entry.kind == EntryKind::Folder) {
            if (!entry.name.startsWith('.') && walk.bounds.mayEnter(pathBytes, entry))
                subfolders.emplace_back(entry.name, entry.link);
        } else {
            // The name as stored: a lower-cased name would name no file on a
            // case-sensitive file system.
            const QString name = QFile::decodeName(entry.name);
            if (ExtentionIsSet(name, walk.extensions)) {
                ++m_fileCount;
                emit FileFound(path + name);
            }
        }
        return true;
    });
    for (const auto& [name, link] : subfolders) {
        const OpenFolder child(folder, name, link);
        if (child.isOpen())
            SearchFolder(walk, child, path + QFile::decodeName(name) + QLatin1Char('/'));
    }
}
