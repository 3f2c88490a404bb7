#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

class QIODevice;

// Profile files as Windows reads and writes them: sections and keys compared
// without regard to case, the first match wins, spaces around a value trimmed and
// one pair of enclosing quotes removed, values cut to 2047 characters.
// Files are Windows-1252 with CR LF.

constexpr int kIniValueLimit = 2047;

// The value of key in section, or an empty text when the file, section or key is missing.
QString ReadINI(const QString& file, const QString& section, const QString& key);

// A profile file read once for many look-ups, with ReadINI's rules; reading a key costs
// the same however long the file.
class IniFile {
public:
    // A missing or unreadable file reads as one without sections; only regular files
    // are read.
    static IniFile read(const QString& path);
    static IniFile fromBytes(const QByteArray& bytes);
    QString value(const QString& section, const QString& key) const;

private:
    void addLines(const QStringList& lines);
    // The first section of each name, its first value for each key; names case-folded.
    QHash<QString, QHash<QString, QString>> m_sections;
};

// Replaces the key's line in place, keeping every other line and section; a new key
// goes to the end of its section, a new section to the end of the file. False when
// the file cannot be written.
bool WriteINI(const QString& file, const QString& section, const QString& key, const QString& value);

struct IniEntry {
    QString section;
    QString key;
    QString value;
};

// What the file is written over: its own lines, or nothing (a fresh file, so no key
// of an older one survives).
enum class IniBase { KeepFile, FreshFile };

// Writes every entry in order as the single-key WriteINI does, but commits the file
// once: the file on disk is either the old one or the complete new one.
bool WriteINI(const QString& file, const std::vector<IniEntry>& entries, IniBase base = IniBase::KeepFile);

// Writes the line key=value to a file the caller has open (the settings file's text mode).
void WriteINI(QIODevice& out, const QString& key, const QString& value);
