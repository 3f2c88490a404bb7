#pragma once

#include <QString>

// Temporary files and folders of the program's own that a killed process leaves behind,
// found again at the next start by their names and their owner.

// Notes, for its lifetime, a write that replaces target through a temporary file beside
// it (target, ".", six letters or digits: libzip's and QSaveFile's naming), so that the
// temporary file of a process killed in the middle is found at the next start.
class PendingWrite {
public:
    explicit PendingWrite(const QString& target);
    ~PendingWrite();
    PendingWrite(const PendingWrite&) = delete;
    PendingWrite& operator=(const PendingWrite&) = delete;

private:
    QString m_note;
};

// The template of a temporary folder for a command of this process:
// "caseleaf-<pid>-XXXXXX" in the system's temporary folder.
QString commandFolderTemplate();

// Removes what processes of this user that are no longer running left behind: the
// temporary files beside the targets of their unfinished writes, their notes, and their
// command folders. Nothing else is touched: only names the program makes, only files of
// this user's.
void RemoveStaleTemporaries();

// Removes the folders an open unpacks into (".open-", ".unpack-") that a killed process
// left in workingFolder, whose only user is the starting process.
void RemoveStaleUnpackFolders(const QString& workingFolder);
