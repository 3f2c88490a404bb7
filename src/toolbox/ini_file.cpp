#include "toolbox/ini_file.h"

#include "toolbox/paths.h"
#include "toolbox/win1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

// The file's lines, none for a missing file; readable is false when the file is there
// but cannot be read.
QStringList splitLines(const QByteArray& bytes)
{
    QStringList lines = fromWin1252(bytes).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QStringList readLines(const QString& path, bool* readable = nullptr)
{
    QFile file;
    if (!openRegularFile(path, file)) {
        // A missing or empty file holds no lines; a FIFO or a device cannot be read.
        const QFileInfo info(path);
        if (readable)
            *readable = !info.exists() || (info.isFile() && info.size() == 0);
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (readable)
        *readable = file.error() == QFileDevice::NoError;
    return splitLines(bytes);
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

bool keyMatches(const QString& line, const QString& key)
{
    const int eq = line.indexOf(QLatin1Char('='));
    return eq >= 0 && line.left(eq).trimmed().compare(key.trimmed(), Qt::CaseInsensitive) == 0;
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
    return IniFile::read(file).value(section, key);
}

IniFile IniFile::read(const QString& path)
{
    IniFile ini;
    ini.addLines(readLines(path));
    return ini;
}

IniFile IniFile::fromBytes(const QByteArray& bytes)
{
    IniFile ini;
    ini.addLines(splitLines(bytes));
    return ini;
}

void IniFile::addLines(const QStringList& lines)
{
    QHash<QString, QString>* current = nullptr;
    for (const QString& line : lines) {
        const QString name = sectionOf(line);
        if (!name.isNull()) {
            // Only the first section of a name counts.
            const QString folded = name.toCaseFolded();
            current = m_sections.contains(folded) ? nullptr : &m_sections[folded];
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (!current || eq < 0)
            continue;
        const QString key = line.left(eq).trimmed().toCaseFolded();
        if (current->contains(key))
            continue;
        QString value = line.mid(eq + 1).trimmed();
        if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
            && value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        current->insert(key, value.left(kIniValueLimit));
    }
}

QString IniFile::value(const QString& section, const QString& key) const
{
    return m_sections.value(section.trimmed().toCaseFolded()).value(key.trimmed().toCaseFolded());
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
