#include "shell/presets.h"

#include "shell/recent_files.h"
#include "shell/user_settings.h"
#include "shell/working_folder.h"
#include "toolbox/ini_file.h"
#include "toolbox/program_folder.h"

#include <QFileInfo>
#include <QStandardPaths>

#include "ordinary_user.h"
#include "preset_fixture.h"

namespace {

class Presets : public PresetFolders {};

// A preset carries the style and leaves the other cover's texts, pictures and counters.
TEST_F(Presets, ASavedStyleAppliesToAnotherCover)
{
    doc.Fontname = "Verdana";
    dialogs.inputs = {"Rock"};
    EXPECT_EQ(SavePreset(ctx), "Rock");
    EXPECT_EQ(dialogs.inputRequests.at(0), std::make_pair(text(16), text(16)));
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "Preset", "Name"), "Rock.ini");
    doc = CoverDocument();
    doc.Text = doc.Contents = doc.BackPicture.ref = "kept";
    doc.Counter = 0;
    EXPECT_TRUE(ApplyPreset(ctx, "rock"));
    EXPECT_EQ(doc.Fontname + doc.Text + doc.Contents + doc.BackPicture.ref + settings::preset(), "Verdanakeptkeptkeptrock");
    EXPECT_EQ(doc.Counter, 0);
    settings::setPreset("gone"); // a missing preset changes nothing
    GetPreset(ctx);
    EXPECT_EQ(doc.Fontname, "Verdana");
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(Presets, RefusedNamesAreAskedAgainAndAnExistingPresetIsReplacedWhole)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\nObsolete=1\r\n"));
    dialogs.inputs = {"a\"b", "a:b", "a\\b", "a/b", "a?b", "a<b", "a>b", "a*b", "a|b", "Default", " DEFAULT ",
                      "default", "rock", "   ", "rock"};
    dialogs.answers.assign(12, MsgResult::Ok);
    dialogs.answers.push_back(MsgResult::Cancel);
    EXPECT_EQ(SavePreset(ctx), ""); // cancelled
    EXPECT_EQ(SavePreset(ctx), ""); // blanks only
    EXPECT_EQ(dialogs.takeTexts(), QStringList(9, text(14) + "\r\n\":\\/?<>*|") + QStringList(3, text(9))
                           + QStringList{text(10) + " \"Rock\" " + text(11)});
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "LastCover", "Obsolete"), "1");
    EXPECT_EQ(SavePreset(ctx), "Rock"); // keeps its spelling, loses its old keys
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "LastCover", "Obsolete"), "");
    EXPECT_EQ(presetNames(), QStringList({"default", "Rock"}));
}

TEST_F(Presets, RenameAndDeleteSpareDefaultAndTheCurrentPresetFollowsItsFile)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\n") && writeFile(shipped("Jazz.ini"), "[LastCover]\r\n"));
    settings::setPreset("ROCK");
    dialogs.inputs = {"JAZZ", "Default", "Blues", "jazz"};
    EXPECT_EQ(RenamePreset("Rock"), "Blues");
    EXPECT_EQ(RenamePreset("Jazz"), "jazz"); // its own name in other letters
    EXPECT_EQ(settings::preset(), "Blues");
    EXPECT_EQ(dialogs.inputRequests.at(0), std::make_pair(text(17), text(18)));
    EXPECT_EQ(RenamePreset("DEFAULT"), "");
    EXPECT_FALSE(DeletePreset("Default"));
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(DeletePreset("Blues"));
    EXPECT_TRUE(DeletePreset("Blues"));
    EXPECT_FALSE(ApplyPreset(ctx, ""));
    const QString ask = text(8) + " \"Blues\" ?";
    EXPECT_EQ(dialogs.takeTexts(), QStringList({text(13), text(13), text(12), text(7), ask, ask, text(15)}));
    EXPECT_EQ(presetNames(), QStringList({"default", "jazz"}));
}

// An installed program folder is shared and read-only: presets, recent files and the
// working folder go to the user's data folder; the shipped presets are still listed.
TEST_F(Presets, AReadOnlyProgramFolderSendsWritesToTheUser)
{
    if (!runsAsOrdinaryUser())
        return;
    ASSERT_TRUE(writeFile(shipped("Shipped.ini"), "[LastCover]\r\n"));
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/";
    const auto writable = [](const QStringList& folders, bool w) {
        for (const QString& folder : folders)
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | (w ? QFile::WriteOwner : QFile::ReadOwner));
    };
    writable({home.filePath("presets"), home.path()}, false);
    dialogs.inputs = {"Mine", "shipped"};
    EXPECT_EQ(SavePreset(ctx), "Mine");
    EXPECT_EQ(SavePreset(ctx), "shipped"); // the user's copy wins
    EXPECT_EQ(presetNames(), QStringList({"default", "Mine", "shipped"}));
    EXPECT_TRUE(DeletePreset("shipped") && QFileInfo::exists(own + "presets/Mine.ini"));
    dialogs.takeTexts();
    EXPECT_FALSE(DeletePreset("Shipped")); // the shipped one is back, and cannot be changed
    EXPECT_EQ(dialogs.takeTexts(), QStringList{text(19) + " \"Shipped\""});
    recordRecentFile("/a.vrz");
    EXPECT_EQ(ReadRecentList(own + "resent_files.ini", "resent"), QStringList{"/a.vrz"});
    writable({own}, false);
    recordRecentFile("/b.vrz"); // where even that fails, it is said once, not at every save
    recordRecentFile("/c.vrz");
    EXPECT_EQ(dialogs.takeTexts().size(), 1);
    writable({own}, true);
    ASSERT_TRUE(claimWorkingFolder());
    EXPECT_TRUE(programPath(ProgramPath::WorkingFolder).startsWith(own + "tmp/"));
    EXPECT_TRUE(QFileInfo(programPath(ProgramPath::WorkingFolder)).isDir());
    releaseWorkingFolder();
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"language", "presets"}));
    writable({home.filePath("presets"), home.path()}, true);
}

} // namespace
