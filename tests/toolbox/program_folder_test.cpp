#include "toolbox/program_folder.h"

#include "gtest_qt.h"

TEST(ProgramFolders, ReadFromTheProgramFolderWriteWhereTheUserMay)
{
    QTemporaryDir root;
    const QString exe = root.filePath("bin"), user = root.filePath("user"), portable = root.filePath("portable");
    const QString share = root.filePath("share/caseleaf/");
    // Where, whether installed, CASELEAF_HOME, whether writable; then the program folder,
    // where it writes and its working folder.
    const std::tuple<const char*, bool, QString, bool, QString, QString, QString> rows[] = {
        {"build tree", false, "", true, exe + "/", exe + "/", exe + "/tmp/"},
        {"read-only folder", false, "", false, exe + "/", user + "/", user + "/tmp/4711/"},
        // Even an administrator, who could write there, leaves an installation alone.
        {"installation", true, "", true, share, user + "/", user + "/tmp/4711/"},
        {"CASELEAF_HOME over an installation", true, portable, true, portable + "/", portable + "/", portable + "/tmp/"},
        {"read-only CASELEAF_HOME", false, portable + "/", false, portable + "/", user + "/", user + "/tmp/4711/"},
    };
    for (const auto& [what, installed, home, writable, program, writes, working] : rows) {
        QDir(share).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(exe) && (!installed || QDir().mkpath(share)));
        ProgramFolderFacts facts{home, exe, user, "4711", [w = writable](const QString&) { return w; }};
        const ProgramFolders f = decideProgramFolders(facts);
        EXPECT_EQ(QStringList({f.program, f.writable, f.working}), QStringList({program, writes, working})) << what;
        // Without a per-user folder the program folder is all there is.
        facts.userDataFolder.clear();
        EXPECT_EQ(decideProgramFolders(facts).writable, program) << what;
    }
}
