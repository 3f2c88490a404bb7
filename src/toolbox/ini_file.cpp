#include "toolbox/ini_file.h"

#include "toolbox/win1252.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace {

// The file's lines, none for a missing file; readable is false when the file is there
// but cannot be read.
QStringList readLines(const QString& path, bool* readable = nullptr)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (readable)
            *readable = !file.exists();
        return {};
    }
    QStringList lines = fromWin1252(file.readAll()).split(QLatin1Char('\n'));
    if (readable)
        *readable = file.error() == QFileDevice::NoError;
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

// The section name of a "[name]" line, or a null text for any other line.
QString sectionOf(const QString& line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return QString();
    const int close = t.indexOf(QLatin1Char(']'));
    if (close < 0)
        return QString();
    const QString name = t.mid(1, close - 1).trimmed();
    return name.isNull() ? QStringLiteral("") : name;
}

bool keyMatches(const QString& line, const QString& key, QString* value = nullptr)
{
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0 || line.left(eq).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) != 0)
        return false;
    if (value)
        *value = line.mid(eq + 1);
    return true;
}

bool sameName(const QString& a, const QString& b)
{
    return a.compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Sets one key the way the profile-file writer does.
void setKey(QStringList& lines, const QString& section, const QString& key, const QString& value)
{
    int sectionLine = -1;
    for (int i = 0; i < lines.size() && sectionLine < 0; ++i) {
        const QString name = sectionOf(lines[i]);
        if (!name.isNull() && sameName(name, section))
            sectionLine = i;
    }
    if (sectionLine < 0) {
        lines << QLatin1Char('[') + section + QLatin1Char(']') << key + QLatin1Char('=') + value;
    } else {
        int insertAt = sectionLine + 1;
        bool replaced = false;
        for (int i = sectionLine + 1; i < lines.size(); ++i) {
            if (!sectionOf(lines[i]).isNull())
                break;
            if (keyMatches(lines[i], key)) {
                // Keep the key as it is spelled in the file.
                const QString storedKey = lines[i].left(lines[i].indexOf(QLatin1Char('='))).trimmed();
                lines[i] = storedKey + QLatin1Char('=') + value;
                replaced = true;
                break;
            }
            if (!lines[i].trimmed().isEmpty())
                insertAt = i + 1;
        }
        if (!replaced)
            lines.insert(insertAt, key + QLatin1Char('=') + value);
    }
}

} // namespace

QString ReadINI(const QString& file, const QString& section, const QString& key)
{
    bool inSection = false;
    for (const QString& line : readLines(file)) {
        const QString name = sectionOf(line);
        if (!name.isNull()) {
            // Only the first section of that name counts.
            if (inSection)
                break;
            inSection = sameName(name, section);
            continue;
        }
        QString value;
        if (!inSection || !keyMatches(line, key, &value))
            continue;
        value = value.trimmed();
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
            && value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        return value.left(kIniValueLimit);
    }
    return QString();
}

bool WriteINI(const QString& file, const QString& section, const QString& key, const QString& value)
{
    return WriteINI(file, {IniEntry{section, key, value}});
}

bool WriteINI(const QString& file, const std::vector<IniEntry>& entries, IniBase base)
{
    QStringList lines;
    if (base == IniBase::KeepFile) {
        bool readable = true;
        lines = readLines(file, &readable);
        // Rewriting a file that could not be read would leave only these keys in it.
        if (!readable)
            return false;
    }
    for (const IniEntry& e : entries)
        setKey(lines, e.section, e.key, e.value);

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(toWin1252(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    return out.commit();
}

void WriteINI(QIODevice& out, const QString& key, const QString& value)
{
    out.write(toWin1252(key + QLatin1Char('=') + value + QStringLiteral("\r\n")));
}
