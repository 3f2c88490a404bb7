#include "toolbox/program_folder.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

// An executable's folder, perhaps inside an installation tree, and a per-user folder.
struct Layout {
    QTemporaryDir root;
    QString exe = root.filePath("bin");
    QString user = root.filePath("user/Caseleaf");

    explicit Layout(bool installed = false)
    {
        QDir().mkpath(exe);
        if (installed)
            QDir().mkpath(root.filePath("share/caseleaf/presets"));
    }

    ProgramFolders decide(const QString& home, bool writable) const
    {
        ProgramFolderFacts facts;
        facts.home = home;
        facts.executableFolder = exe;
        facts.userDataFolder = user;
        facts.instance = "4711";
        facts.canWrite = [writable](const QString&) { return writable; };
        return decideProgramFolders(facts);
    }
};

TEST(ProgramFolders, AWritableProgramFolderKeepsEverything)
{
    const Layout layout;
    const ProgramFolders f = layout.decide(QString(), true);
    EXPECT_EQ(f.program, layout.exe + "/");
    EXPECT_EQ(f.writable, f.program);
    EXPECT_EQ(f.working, f.program + "tmp/");
    EXPECT_FALSE(f.perUser);
}

TEST(ProgramFolders, AReadOnlyProgramFolderSendsWritesToTheUserWithAWorkingFolderPerInstance)
{
    const Layout layout;
    const ProgramFolders f = layout.decide(QString(), false);
    EXPECT_EQ(f.program, layout.exe + "/");
    EXPECT_EQ(f.writable, layout.user + "/");
    EXPECT_EQ(f.working, layout.user + "/tmp/4711/");
    EXPECT_TRUE(f.perUser);
}

TEST(ProgramFolders, AnInstallationIsReadBesideTheExecutableAndNeverWritten)
{
    const Layout layout(true);
    // Even an administrator, who could write there, leaves the shared folder alone.
    for (const bool writable : {true, false}) {
        const ProgramFolders f = layout.decide(QString(), writable);
        EXPECT_EQ(f.program, layout.root.filePath("share/caseleaf/"));
        EXPECT_EQ(f.writable, layout.user + "/");
        EXPECT_EQ(f.working, layout.user + "/tmp/4711/");
    }
}

TEST(ProgramFolders, CaseleafHomeOverridesEvenAnInstallation)
{
    const Layout layout(true);
    const QString home = layout.root.filePath("portable");
    const ProgramFolders inPlace = layout.decide(home, true);
    EXPECT_EQ(inPlace.program, home + "/");
    EXPECT_EQ(inPlace.working, home + "/tmp/");
    const ProgramFolders readOnly = layout.decide(home + "/", false);
    EXPECT_EQ(readOnly.program, home + "/");
    EXPECT_EQ(readOnly.writable, layout.user + "/");
}

TEST(ProgramFolders, WithoutAPerUserFolderTheProgramFolderIsAllThereIs)
{
    Layout layout;
    layout.user.clear();
    const ProgramFolders f = layout.decide(QString(), false);
    EXPECT_EQ(f.writable, f.program);
    EXPECT_EQ(f.working, f.program + "tmp/");
}

TEST(ProgramPaths, NameTheFilesUnderTheDecidedFolders)
{
    QTemporaryDir home;
    qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
    const QString h = home.path() + "/";
    EXPECT_EQ(programPath(ProgramPath::Folder), h);
    EXPECT_EQ(programPath(ProgramPath::Language), h + "language/");
    EXPECT_EQ(programPath(ProgramPath::Presets), h + "presets/");
    EXPECT_EQ(programPath(ProgramPath::Help), h + "help/");
    EXPECT_EQ(programPath(ProgramPath::UserPresets), h + "presets/");
    EXPECT_EQ(programPath(ProgramPath::RecentFiles), h + "resent_files.ini");
    EXPECT_EQ(programPath(ProgramPath::WorkingFolder), h + "tmp/");
    EXPECT_FALSE(writesPerUser());
    qunsetenv("CASELEAF_HOME");
}

} // namespace
