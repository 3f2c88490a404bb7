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

// A program folder and a per-user data folder of their own.
struct Folders {
    QTemporaryDir home;
    QTemporaryDir data;
    Folders()
    {
        qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    }
    ~Folders()
    {
        releaseWorkingFolder();
        QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qunsetenv("CASELEAF_HOME");
        qunsetenv("XDG_DATA_HOME");
    }
};

TEST(WorkingFolder, AWritableProgramFolderHoldsTmp)
{
    const Folders f;
    ASSERT_TRUE(claimWorkingFolder());
    EXPECT_EQ(programPath(ProgramPath::WorkingFolder), f.home.path() + "/tmp/");
    EXPECT_TRUE(QFileInfo(f.home.path() + "/tmp").isDir());
    // The shared folder stays when the program ends.
    releaseWorkingFolder();
    EXPECT_TRUE(QFileInfo(f.home.path() + "/tmp").isDir());
    EXPECT_FALSE(QFileInfo::exists(f.data.path() + "/" + QCoreApplication::applicationName()));
}

TEST(WorkingFolder, AReadOnlyProgramFolderGetsOnePerInstanceAndAbandonedOnesGo)
{
    if (!runsAsOrdinaryUser())
        return;
    const Folders f;
    ASSERT_TRUE(QFile::setPermissions(f.home.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QString tmp = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/tmp/";
    ASSERT_TRUE(QDir().mkpath(tmp + "crashed") && touch(tmp + "crashed/cover.jpg"));
    QLockFile running(tmp + "running.lock");
    ASSERT_TRUE(running.tryLock(0));
    ASSERT_TRUE(QDir().mkpath(tmp + "running") && touch(tmp + "running/cover.jpg"));

    ASSERT_TRUE(claimWorkingFolder());
    const QString mine = programPath(ProgramPath::WorkingFolder);
    EXPECT_EQ(mine, tmp + QString::number(QCoreApplication::applicationPid()) + "/");
    EXPECT_TRUE(QFileInfo(mine).isDir());
    EXPECT_FALSE(QFileInfo::exists(tmp + "crashed"));
    EXPECT_TRUE(QFileInfo::exists(tmp + "running/cover.jpg"));
    EXPECT_TRUE(QDir(f.home.path()).isEmpty());

    ASSERT_TRUE(touch(mine + "cover.jpg"));
    releaseWorkingFolder();
    EXPECT_FALSE(QFileInfo::exists(mine));
    EXPECT_TRUE(QFileInfo::exists(tmp + "running/cover.jpg"));
}

} // namespace
