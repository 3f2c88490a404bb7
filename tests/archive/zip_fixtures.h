#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

// Archives written and checked by other tools: Python's zipfile, zip and unzip.
namespace fixtures {

struct RunResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

inline RunResult run(const QString& program, const QStringList& args, const QString& workDir = QString())
{
    QProcess p;
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(program, args);
    RunResult r;
    if (!p.waitForStarted(10000))
        return r;
    p.waitForFinished(120000);
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return r;
}

// Runs a Python script; sys.argv[1:] are args.
inline RunResult python(const QString& script, const QStringList& args = QStringList())
{
    return run(QStringLiteral("python3"), QStringList{QStringLiteral("-c"), script} + args);
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

// Member names in stored order, as Python's zipfile reads them.
inline QStringList membersOf(const QString& archive)
{
    const RunResult r = python(QStringLiteral("import sys, zipfile\n"
                                              "for n in zipfile.ZipFile(sys.argv[1]).namelist(): print(n)"),
                               {archive});
    return QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// Writes an archive with Python's zipfile: pairs of member name and content, deflated.
inline bool pythonZip(const QString& archive, const QList<QPair<QString, QByteArray>>& members)
{
    QStringList args{archive};
    for (const auto& m : members)
        args << m.first << QString::fromLatin1(m.second.toHex());
    const RunResult r = python(QStringLiteral("import sys, zipfile\n"
                                              "with zipfile.ZipFile(sys.argv[1], 'w', zipfile.ZIP_DEFLATED) as z:\n"
                                              "    a = sys.argv[2:]\n"
                                              "    for i in range(0, len(a), 2):\n"
                                              "        z.writestr(zipfile.ZipInfo(a[i]), bytes.fromhex(a[i + 1]))\n"),
                               args);
    return r.exitCode == 0;
}

// Every entry below folder, recursively, relative to it, links included.
inline QStringList entriesBelow(const QString& folder)
{
    QStringList found;
    QDir dir(folder);
    const QFileInfoList infos = dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QFileInfo& info : infos) {
        found << info.fileName();
        if (info.isDir() && !info.isSymLink()) {
            for (const QString& sub : entriesBelow(info.filePath()))
                found << info.fileName() + QLatin1Char('/') + sub;
        }
    }
    found.sort();
    return found;
}

} // namespace fixtures
