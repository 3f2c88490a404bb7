#include "contents/places.h"

#include <QDir>
#include <QStorageInfo>

namespace {

bool contains(const QString& folder, const QString& path)
{
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// Kernel and system file systems nobody burns a disc from.
bool isSystemVolume(const QStorageInfo& volume)
{
    static const QByteArrayList types{"proc", "sysfs", "devtmpfs", "devpts", "tmpfs", "securityfs", "cgroup",
                                      "cgroup2", "pstore", "bpf", "tracefs", "debugfs", "configfs", "fusectl",
                                      "mqueue", "hugetlbfs", "autofs", "binfmt_misc", "efivarfs", "ramfs",
                                      "rpc_pipefs", "nsfs", "overlay", "squashfs", "fuse.portal"};
    if (types.contains(volume.fileSystemType()))
        return true;
    const QString root = volume.rootPath();
    if (root.startsWith(QLatin1String("/run/media/")))
        return false;
    static const QStringList systemFolders{QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev"),
                                           QStringLiteral("/run"), QStringLiteral("/boot"), QStringLiteral("/snap"),
                                           QStringLiteral("/var"), QStringLiteral("/tmp")};
    for (const QString& folder : systemFolders) {
        if (contains(folder, root))
            return true;
    }
    return false;
}

} // namespace

QVector<Place> ListPlaces()
{
    const QString home = QDir::homePath();
    QVector<Place> places{{QStringLiteral("Home (%1)").arg(home), home}, {QStringLiteral("/"), QStringLiteral("/")}};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = volume.rootPath();
        if (!volume.isValid() || !volume.isReady() || root == QLatin1String("/") || root == home
            || isSystemVolume(volume))
            continue;
        const QString name = volume.displayName();
        places.push_back({name == root ? root : QStringLiteral("%1 (%2)").arg(name, root), root});
    }
    return places;
}

int PlaceOf(const QVector<Place>& places, const QString& path)
{
    int best = -1;
    for (int i = 0; i < places.size(); ++i) {
        if (contains(places.at(i).path, path) && (best < 0 || places.at(i).path.size() > places.at(best).path.size()))
            best = i;
    }
    return best;
}
