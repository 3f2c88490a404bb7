#include "contents/folder_size.h"

#include "contents/folder_reader.h"
#include "contents/walk_pacer.h"

#include <utility>
#include <vector>

namespace {

struct SizeWalk {
    WalkBounds bounds;
    WalkPacer pacer;

    qint64 below(const OpenFolder& folder, const QByteArray& path)
    {
        qint64 total = 0;
        // Subfolders are entered after the folder's stream is closed, so a deep tree
        // holds one descriptor per level and no stream buffers.
        std::vector<std::pair<QByteArray, bool>> subfolders;
        folder.read([&](const FolderEntry& entry) {
            if (!pacer.tick())
                return false;
            if (entry.kind == EntryKind::File)
                total += entry.size;
            else if (entry.kind == EntryKind::Folder && !entry.name.startsWith('.') && bounds.mayEnter(path, entry))
                subfolders.emplace_back(entry.name, entry.link);
            return true;
        });
        for (const auto& [name, link] : subfolders) {
            if (pacer.stopped())
                break;
            const OpenFolder child(folder, name, link);
            if (child.isOpen())
                total += below(child, path + name + '/');
        }
        return total;
    }
};

} // namespace

FolderSize GetFolderSize(const QString& path, const std::function<bool()>& keepGoing, int pollMs)
{
    FolderSize result;
    const OpenFolder root(path);
    if (!root.isOpen())
        return result;
    SizeWalk walk{WalkBounds(path), WalkPacer(keepGoing, pollMs)};
    walk.bounds.enter(root.id());
    result.bytes = walk.below(root, folderPathBytes(path));
    result.complete = !walk.pacer.stopped();
    return result;
}
