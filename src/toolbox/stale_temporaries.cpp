#include "toolbox/stale_temporaries.h"

#include "toolbox/paths.h"
#include "toolbox/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace {

const QString kTemporarySuffix = QStringLiteral("\\.[A-Za-z0-9]{6}");

qint64 ownPid()
{
    return QCoreApplication::applicationPid();
}

// Whether process pid may still be running: then what it left is left alone.
bool mayBeRunning(qint64 pid)
{
    if (pid == ownPid())
        return false; // a note of an earlier process whose number this one now has
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno != ESRCH);
#else
    return true;
#endif
}

bool ownedByUser(const QFileInfo& info)
{
#ifdef Q_OS_UNIX
    return info.ownerId() == ::getuid();
#else
    return info.exists();
#endif
}

// "<pid>-<n>": one note per write in progress.
QString noteFolder()
{
    return programPath(ProgramPath::PendingWrites);
}

void removeTemporariesBeside(const QString& target)
{
    const QFileInfo info(target);
    const QRegularExpression name(QStringLiteral("\\A") + QRegularExpression::escape(info.fileName())
                                  + kTemporarySuffix + QStringLiteral("\\z"));
    const QDir folder = info.dir();
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!entry.isSymLink() && name.match(entry.fileName()).hasMatch() && ownedByUser(entry))
            QFile::remove(entry.filePath());
    }
}

} // namespace

PendingWrite::PendingWrite(const QString& target)
{
    static std::atomic<int> counter{0};
    const QString folder = noteFolder();
    if (!QDir().mkpath(folder))
        return;
    m_note = folder + QStringLiteral("%1-%2").arg(ownPid()).arg(++counter);
    QFile note(m_note);
    if (!note.open(QIODevice::WriteOnly) || note.write(QFileInfo(target).absoluteFilePath().toUtf8()) < 0)
        m_note.clear();
}

PendingWrite::~PendingWrite()
{
    if (!m_note.isEmpty())
        QFile::remove(m_note);
}

QString commandFolderTemplate()
{
    return QDir::tempPath() + QStringLiteral("/caseleaf-%1-XXXXXX").arg(ownPid());
}

void RemoveStaleTemporaries()
{
    static const QRegularExpression noteName(QStringLiteral("\\A(\\d+)-\\d+\\z"));
    const QDir notes(noteFolder());
    for (const QFileInfo& entry : notes.entryInfoList(QDir::Files)) {
        const QRegularExpressionMatch m = noteName.match(entry.fileName());
        if (!m.hasMatch() || !ownedByUser(entry) || mayBeRunning(m.captured(1).toLongLong()))
            continue;
        QFile note(entry.filePath());
        if (note.open(QIODevice::ReadOnly)) {
            const QString target = QString::fromUtf8(note.read(4096));
            if (QFileInfo(target).isAbsolute())
                removeTemporariesBeside(target);
        }
        note.close();
        QFile::remove(entry.filePath());
    }

    static const QRegularExpression folderName(QStringLiteral("\\Acaseleaf-(\\d+)-[A-Za-z0-9]{6}\\z"));
    for (const QFileInfo& entry : QDir(QDir::tempPath()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch m = folderName.match(entry.fileName());
        if (m.hasMatch() && !entry.isSymLink() && ownedByUser(entry) && !mayBeRunning(m.captured(1).toLongLong()))
            QDir(entry.filePath()).removeRecursively();
    }
}

void RemoveStaleUnpackFolders(const QString& workingFolder)
{
    static const QRegularExpression unpacking(QStringLiteral("\\A\\.(open|unpack)-[A-Za-z0-9]{6}\\z"));
    QDirIterator it(workingFolder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    QStringList stale;
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        if (unpacking.match(entry.fileName()).hasMatch() && !entry.isSymLink() && ownedByUser(entry))
            stale << entry.filePath();
    }
    for (const QString& folder : stale)
        QDir(folder).removeRecursively();
}
