#include "toolbox/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSlash(QString path)
{
    path = QDir::fromNativeSeparators(path);
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

// A folder the program may create files in. A read-only mount or a folder of another
// user fails here, though not for an administrator, which is why an installation is
// never written whatever this says.
bool folderWritable(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

ProgramFolderFacts processFacts()
{
    ProgramFolderFacts facts;
    facts.home = qEnvironmentVariable("CASELEAF_HOME");
    facts.executableFolder = QCoreApplication::applicationDirPath();
    facts.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    facts.instance = QString::number(QCoreApplication::applicationPid());
    facts.canWrite = folderWritable;
    return facts;
}

} // namespace

ProgramFolders decideProgramFolders(const ProgramFolderFacts& facts)
{
    ProgramFolders f;
    bool installed = false;
    if (!facts.home.isEmpty()) {
        f.program = withSlash(facts.home);
    } else {
        const QString exe = withSlash(facts.executableFolder);
        const QString shared = QDir::cleanPath(exe + QStringLiteral("../share/caseleaf"));
        installed = !facts.executableFolder.isEmpty() && QFileInfo(shared).isDir();
        f.program = installed ? withSlash(shared) : exe;
    }
    // Without a per-user folder the program folder is the only place left.
    f.perUser = (installed || !facts.canWrite(f.program)) && !facts.userDataFolder.isEmpty();
    if (f.perUser) {
        f.writable = withSlash(facts.userDataFolder);
        f.working = f.writable + QStringLiteral("tmp/") + facts.instance + QLatin1Char('/');
    } else {
        f.writable = f.program;
        f.working = f.program + QStringLiteral("tmp/");
    }
    return f;
}

bool writesPerUser()
{
    return decideProgramFolders(processFacts()).perUser;
}

QString programPath(ProgramPath what)
{
    // Decided afresh each time: cheap, and CASELEAF_HOME may change (tests, the command line).
    const ProgramFolders f = decideProgramFolders(processFacts());
    switch (what) {
    case ProgramPath::Folder: return f.program;
    case ProgramPath::Language: return f.program + QStringLiteral("language/");
    case ProgramPath::Presets: return f.program + QStringLiteral("presets/");
    case ProgramPath::Help: return f.program + QStringLiteral("help/");
    case ProgramPath::UserPresets: return f.writable + QStringLiteral("presets/");
    case ProgramPath::RecentFiles: return f.writable + QStringLiteral("resent_files.ini");
    case ProgramPath::WorkingFolder: return f.working;
    case ProgramPath::PendingWrites: return f.writable + QStringLiteral("writing/");
    }
    return f.program;
}
