#pragma once

#include "gtest_qt.h"

// Archives written and checked by other tools: Python's zipfile, zip and unzip.
namespace fixtures {

// A folder of the test's own for the files it makes.
struct TestFolder {
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }
};

struct RunResult { int exitCode; QByteArray out, err; };

inline RunResult run(const QString& program, const QStringList& args, const QString& workDir = QString(),
                     const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.setProcessEnvironment(env);
    p.start(program, args);
    return {p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            p.readAllStandardOutput(), p.readAllStandardError()};
}

inline bool writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

inline QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Bytes that do not compress; size is a multiple of 4.
inline QByteArray noise(int size)
{
    QByteArray data(size, Qt::Uninitialized);
    QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(data.data()), size / 4);
    return data;
}

// Member names in stored order, and a member's bytes, as unzip reads them.
inline QStringList membersOf(const QString& archive)
{
    return QString::fromUtf8(run("unzip", {"-Z1", archive}).out).split('\n', Qt::SkipEmptyParts);
}

inline QByteArray memberOf(const QString& archive, const QString& name)
{
    return run("unzip", {"-p", archive, name}).out;
}

struct Member { QString name; QByteArray data; bool link = false; }; // data: a link's target when link

// Writes an archive with Python's zipfile, deflated, links as Unix symbolic links.
inline bool pythonZip(const QString& archive, const QList<Member>& members)
{
    QStringList args{QStringLiteral("-c"),
                     QStringLiteral("import sys, zipfile\n"
                                    "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                                    "    for name, data, link in zip(*[iter(sys.argv[2:])] * 3):\n"
                                    "        i = zipfile.ZipInfo(name)\n"
                                    "        if link == '1': i.create_system, i.external_attr = 3, 0o120777 << 16\n"
                                    "        z.writestr(i, bytes.fromhex(data))\n"),
                     archive};
    for (const Member& m : members)
        args << m.name << QString::fromLatin1(m.data.toHex()) << QString::number(m.link);
    return run(QStringLiteral("python3"), args).exitCode == 0;
}

// How Python's zipfile finds each member once it has checked every CRC: name, then
// "stored" or "deflated" and the compressed size; empty when a check fails.
inline QStringList packedMembers(const QString& archive)
{
    const QString script = QStringLiteral("import sys, zipfile\n"
                                          "with zipfile.ZipFile(sys.argv[1]) as z:\n"
                                          "    if z.testzip() is None:\n"
                                          "        for i in z.infolist():\n"
                                          "            kind = {0: 'stored', 8: 'deflated'}.get(i.compress_type, '?')\n"
                                          "            print(i.filename, kind, i.compress_size)\n");
    return QString::fromUtf8(run(QStringLiteral("python3"), {QStringLiteral("-c"), script, archive}).out)
        .split('\n', Qt::SkipEmptyParts);
}

// Every entry below folder, relative to it, links not followed.
inline QStringList entriesBelow(const QString& folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        found << QDir(folder).relativeFilePath(it.next());
    found.sort();
    return found;
}

} // namespace fixtures
