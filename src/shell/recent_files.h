#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The recent-files list: keys rFile0 (the most recent) to rFile9 in one section of an
// ini file, ending at the first missing or empty key. The program keeps it in
// resent_files.ini, section "resent", where programPath puts it.

constexpr int kMaxRecentFiles = 10;

// The list as the menu loader reads it.
QStringList ReadRecentList(const QString& file, const QString& section);

// The list updater: newPath goes to the top. A path already listed (compared without
// regard to case) moves up, keeping the latest spelling; the entries above its old
// place move down by one and the keys below it are not rewritten. False when the file
// cannot be written.
bool UpdateRecentList(const QString& file, const QString& section, const QString& newPath);

// The program's list.
QStringList recentFiles();
// AddResent without the menu: records path in the program's list. A list that cannot
// be written is reported once per run.
void recordRecentFile(const QString& path);

// A recent entry chosen: opens path when the file is still there; otherwise says it
// is gone (the entry stays listed).
void openRecentFile(const QString& path, const std::function<void(const QString&)>& open);

// The clear command: asks first, then deletes the list. True when cleared.
bool clearRecentFiles();
