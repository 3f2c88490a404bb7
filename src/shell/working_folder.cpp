#include "shell/working_folder.h"

#include "toolbox/program_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <memory>

namespace {

// The per-instance folder this process claimed, and the mark that keeps it.
struct Claim {
    QString folder;
    std::unique_ptr<QLockFile> lock;
};

Claim& claim()
{
    static Claim c;
    return c;
}

// "tmp/123/" is marked by "tmp/123.lock".
QString lockFileOf(const QString& folder)
{
    return QDir::cleanPath(folder) + QStringLiteral(".lock");
}

// Another instance's folder whose lock can be taken belongs to no running program.
void removeAbandonedFolders(const QString& mine)
{
    const QString parent = QFileInfo(QDir::cleanPath(mine)).path();
    const QString ownName = QFileInfo(QDir::cleanPath(mine)).fileName();
    for (const QString& name : QDir(parent).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        if (name == ownName)
            continue;
        const QString folder = parent + QLatin1Char('/') + name;
        QLockFile lock(lockFileOf(folder));
        // Only a dead owner makes a lock stale, however old it is.
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        QDir(folder).removeRecursively();
        lock.unlock();
    }
}

} // namespace

bool claimWorkingFolder()
{
    const QString folder = programPath(ProgramPath::WorkingFolder);
    if (writesPerUser() && claim().folder != folder) {
        QDir().mkpath(QFileInfo(QDir::cleanPath(folder)).path());
        // Marked before it exists, so a starting instance never sweeps it away.
        auto lock = std::make_unique<QLockFile>(lockFileOf(folder));
        lock->setStaleLockTime(0);
        if (lock->tryLock(0))
            claim() = Claim{folder, std::move(lock)};
        removeAbandonedFolders(folder);
    }
    return QDir().mkpath(folder);
}

void releaseWorkingFolder()
{
    Claim& c = claim();
    if (c.folder.isEmpty())
        return;
    QDir(c.folder).removeRecursively();
    c = Claim();
}
