#pragma once

#include <QString>

#include <functional>

// Where the program's own files live. The shipped files (language/, presets/, help/)
// are read from the program folder. What the program writes (the user's presets,
// resent_files.ini, the working folder) goes there too when the folder can be written
// (a build tree, a portable copy); an installed program folder is shared by every user
// and never written, and those files go to the user's data folder instead, with one
// working folder per running instance so that neither two users nor two instances
// share one.

enum class ProgramPath {
    Folder,        // the program folder itself
    Language,      // shipped language files
    Presets,       // shipped presets
    Help,          // help page and about text
    UserPresets,   // where presets are saved; the shipped folder when it can be written
    RecentFiles,   // resent_files.ini
    WorkingFolder, // the files of the open cover
    PendingWrites, // notes of the writes in progress, by which a killed one's temporaries are found
};

// The one place that names these paths; folders end in "/". Nothing is created.
QString programPath(ProgramPath what);

// True when what the program writes goes to the per-user data folder.
bool writesPerUser();

// What the decision is made from.
struct ProgramFolderFacts {
    QString home;             // CASELEAF_HOME: the program folder, when set
    QString executableFolder; // the executable's folder
    QString userDataFolder;   // the per-user data folder of the platform
    QString instance;         // names this instance's working folder in the per-user folder
    std::function<bool(const QString&)> canWrite;
};

struct ProgramFolders {
    QString program;  // shipped files are read here
    QString writable; // the program writes here: the program folder or the per-user one
    QString working;  // the working folder
    bool perUser = false;
};

// The program folder is CASELEAF_HOME when set, else "../share/caseleaf" beside the
// executable's folder when that exists (an installation, never written), else the
// executable's folder. It takes the program's files when it can be written;
// otherwise the per-user data folder does, the working folder under its "tmp/"
// named after the instance.
ProgramFolders decideProgramFolders(const ProgramFolderFacts& facts);
