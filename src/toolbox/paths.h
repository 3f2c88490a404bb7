#pragma once

#include <QString>
#include <QStringList>

class QFile;

// Path routines accept "\" and "/" alike: names written on Windows may hold either.

// The text after the last "\" or "/"; the path itself when there is neither or when
// it ends in a separator.
QString FileNameOf(const QString& path);
// The path up to and including its last separator; unchanged when it ends in one
// or has none.
QString FolderOf(const QString& path);
// The name before its last "."; empty for a name without any ".".
QString StripExtension(const QString& name);

bool FolderExists(const QString& path);
// False for an empty path and for a folder.
bool FileExists(const QString& path);
// Opens path for reading only when it is a regular file with content: never a FIFO or a
// device, whose reads can block forever, nor a file of the kernel's pseudo file systems
// (/proc, /sys), which report no size and can hand out private data. False otherwise,
// with the reason in reason.
bool openRegularFile(const QString& path, QFile& file, QString* reason = nullptr);
// The file as Windows-1252 text without its final CR LF; empty when unreadable.
QString ReadWholeFile(const QString& path);
// Entry names of a folder matching a wildcard pattern ("*.*" when empty),
// "." and ".." left out, in the file system's order.
QStringList ListFiles(const QString& folder, const QString& pattern = QString());

// The program folder, ending in "/" (programPath decides it).
QString GetAppPath();
// The user's desktop folder ending in "/", or empty when there is none.
QString GetDesktopFolder();
