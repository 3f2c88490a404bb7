#include "contents/contents_listing.h"

#include "contents/folder_reader.h"
#include "contents/folder_size.h"
#include "toolbox/byte_size.h"

#include <QFile>

#include <algorithm>

namespace {

bool byName(const QString& a, const QString& b)
{
    const int c = a.compare(b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}

QString padded(const QString& name, int spacing)
{
    return name + QString(GetAbsOrZerro(spacing - int(name.size())), QLatin1Char(' '));
}

QString sizeSuffix(qint64 bytes)
{
    return QStringLiteral(" (") + FormatByteSize(double(bytes)) + QLatin1Char(')');
}

} // namespace

ListedFolder ReadListedFolder(const QString& path)
{
    ListedFolder listed;
    listed.path = path;
    const OpenFolder folder(path);
    if (!folder.isOpen()) {
        listed.error = folder.errorString();
        return listed;
    }
    folder.read([&listed](const FolderEntry& entry) {
        if (entry.name.startsWith('.'))
            return true;
        if (entry.kind == EntryKind::Folder)
            listed.subfolders << QFile::decodeName(entry.name);
        else if (entry.kind == EntryKind::File)
            listed.files.push_back({QFile::decodeName(entry.name), entry.size});
        return true;
    });
    std::sort(listed.subfolders.begin(), listed.subfolders.end(), byName);
    std::sort(listed.files.begin(), listed.files.end(),
              [](const ListedFolder::File& a, const ListedFolder::File& b) { return byName(a.name, b.name); });
    listed.readable = true;
    return listed;
}

QString GetFolderName(const QString& path)
{
    QString name = path;
    while (name.endsWith(QLatin1Char('/')))
        name.chop(1);
    return name.mid(name.lastIndexOf(QLatin1Char('/')) + 1);
}

int GetAbsOrZerro(int No)
{
    return No >= 0 ? No : 0;
}

QString ChildPath(const QString& folder, const QString& name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

QStringList ContentsListing::buildWithSizes(const ListedFolder& folder, int spacing, const SizeRun& sizeRun)
{
    m_sizeCache.clear();
    return run(folder, spacing, &sizeRun);
}

QStringList ContentsListing::run(const ListedFolder& folder, int spacing, const SizeRun* sizeRun)
{
    m_stop = false;
    if (folder.path != m_lastListed)
        m_sizeCache.clear();
    m_lastListed = folder.path;

    QStringList lines;
    for (const QString& name : folder.subfolders)
        lines << QLatin1Char('[') + GetFolderName(ChildPath(folder.path, name)).toUpper() + QLatin1Char(']');

    const bool cacheComplete = m_sizeCache.size() == folder.subfolders.size();
    for (int row = 0; row < folder.subfolders.size(); ++row) {
        if (sizeRun) {
            const QString path = ChildPath(folder.path, folder.subfolders.at(row));
            if (sizeRun->measuring)
                sizeRun->measuring(path);
            if (sizeRun->breathe)
                sizeRun->breathe();
            if (m_stop)
                break;
            const FolderSize size = GetFolderSize(path, [this, sizeRun] {
                if (sizeRun->breathe)
                    sizeRun->breathe();
                return !m_stop;
            });
            // A folder whose walk was stopped shows no size: its total is not known.
            if (!size.complete)
                break;
            m_sizeCache << sizeSuffix(size.bytes);
        } else if (!cacheComplete) {
            break;
        }
        lines[row] = padded(lines.at(row), spacing) + m_sizeCache.at(row);
        if (m_stop)
            break;
    }

    for (const ListedFolder::File& file : folder.files)
        lines << padded(file.name.toLower(), spacing) + sizeSuffix(file.size);
    return lines;
}
