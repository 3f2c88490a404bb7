#pragma once

#include "archive/zip_fixtures.h"

#include "gtest_qt.h"

// A program folder of the test's own, named by CASELEAF_HOME while it lives, holding
// copies of the named files the build ships.
struct ProgramHome {
    QTemporaryDir home;

    explicit ProgramHome(const QStringList& shipped = {})
    {
        qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
        for (const QString& file : shipped)
            write(file, fixtures::readFile(QStringLiteral(CASELEAF_BUILD_DIR "/") + file));
    }
    ~ProgramHome() { qunsetenv("CASELEAF_HOME"); }

    QString path(const QString& relative) const { return home.filePath(relative); }
    // A file below the folder, its folders made as needed.
    void write(const QString& relative, const QByteArray& bytes) const
    {
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path(relative)).path()) && fixtures::writeFile(path(relative), bytes))
            << relative.toStdString();
    }
};
