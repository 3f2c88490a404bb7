#include "toolbox/program_folder.h"

#include <QDir>
#include <QTemporaryDir>

#include "gtest_qt.h"

TEST(ProgramFolders, ReadFromTheProgramFolderWriteWhereTheUserMay)
{
    QTemporaryDir root;
    const QString exe = root.filePath("bin"), user = root.filePath("user"), home = root.filePath("portable");
    const QString share = root.filePath("share/caseleaf/");
    const struct {
        const char* what;
        bool installed;
        QString home;
        bool writable;
        QString program, writes, working;
    } rows[] = {
        {"build tree", false, "", true, exe + "/", exe + "/", exe + "/tmp/"},
        {"read-only folder", false, "", false, exe + "/", user + "/", user + "/tmp/4711/"},
        // Even an administrator, who could write there, leaves an installation alone.
        {"installation", true, "", true, share, user + "/", user + "/tmp/4711/"},
        {"CASELEAF_HOME over an installation", true, home, true, home + "/", home + "/", home + "/tmp/"},
        {"read-only CASELEAF_HOME", false, home + "/", false, home + "/", user + "/", user + "/tmp/4711/"},
    };
    for (const auto& r : rows) {
        QDir(share).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(exe) && (!r.installed || QDir().mkpath(share)));
        ProgramFolderFacts facts{r.home, exe, user, "4711", [&r](const QString&) { return r.writable; }};
        const ProgramFolders f = decideProgramFolders(facts);
        EXPECT_EQ(QStringList({f.program, f.writable, f.working}), QStringList({r.program, r.writes, r.working}))
            << r.what;
        // Without a per-user folder the program folder is all there is.
        facts.userDataFolder.clear();
        EXPECT_EQ(decideProgramFolders(facts).writable, r.program) << r.what;
    }
}
