#include "shell/working_folder.h"

#include "toolbox/program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"
#include "ordinary_user.h"

namespace {

bool touch(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write("x") == 1;
}

// One working folder per instance; a crashed instance's folder goes, a running one's stays.
TEST(WorkingFolder, AReadOnlyProgramFolderGetsOnePerInstance)
{
    if (!runsAsOrdinaryUser())
        return;
    QTemporaryDir home, data;
    qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    ASSERT_TRUE(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QString tmp = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/tmp/";
    ASSERT_TRUE(QDir().mkpath(tmp + "crashed") && touch(tmp + "crashed/cover.jpg"));
    QLockFile running(tmp + "running.lock");
    ASSERT_TRUE(running.tryLock(0) && QDir().mkpath(tmp + "running") && touch(tmp + "running/cover.jpg"));

    ASSERT_TRUE(claimWorkingFolder());
    const QString mine = programPath(ProgramPath::WorkingFolder);
    EXPECT_EQ(mine, tmp + QString::number(QCoreApplication::applicationPid()) + "/");
    EXPECT_FALSE(QFileInfo::exists(tmp + "crashed"));
    EXPECT_TRUE(QDir(home.path()).isEmpty());
    ASSERT_TRUE(touch(mine + "cover.jpg"));
    releaseWorkingFolder();
    EXPECT_FALSE(QFileInfo::exists(mine));
    EXPECT_TRUE(QFileInfo::exists(tmp + "running/cover.jpg"));
    qunsetenv("CASELEAF_HOME");
    qunsetenv("XDG_DATA_HOME");
}

} // namespace
