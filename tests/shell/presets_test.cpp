#include "shell/presets.h"

#include "shell/preset_dialog.h"
#include "shell/recent_files.h"
#include "shell/user_settings.h"
#include "shell/working_folder.h"
#include "toolbox/ini_file.h"
#include "toolbox/program_folder.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>

#include "ordinary_user.h"
#include "preset_fixture.h"

namespace {

class Presets : public PresetFolders {};

// A preset carries the style and leaves the other cover's texts, pictures and counters.
TEST_F(Presets, ASavedStyleAppliesToOtherAndNewCovers)
{
    doc.Fontname = "Verdana";
    doc.BackColor = 0x123456;
    dialogs.inputs = {"Rock"};
    EXPECT_EQ(SavePreset(ctx), "Rock");
    EXPECT_EQ(dialogs.inputRequests.at(0), std::make_pair(text(16), text(16)));
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "Preset", "Name"), "Rock.ini");
    CoverDocument other;
    other.Text = "Label";
    other.Contents = "Track 1";
    other.BackPicture.ref = "/covers/back.jpg";
    other.Counter = 0;
    CoverFileContext otherCtx(other);
    otherCtx.fontList = ctx.fontList;
    EXPECT_TRUE(ApplyPreset(otherCtx, "rock"));
    EXPECT_EQ(settings::preset(), "rock");
    EXPECT_EQ(other.Fontname + other.Text + other.Contents + other.BackPicture.ref, "VerdanaLabelTrack 1/covers/back.jpg");
    EXPECT_EQ(QList<int>({other.BackColor, other.Counter}), QList<int>({0x123456, 0}));
    settings::setPreset("default");
    GetPreset(ctx);
    EXPECT_EQ(doc.FrontFont, "Liberation Serif");
    settings::setPreset("gone"); // a missing preset changes nothing
    doc.FrontFont = "Verdana";
    GetPreset(ctx);
    EXPECT_EQ(doc.FrontFont, "Verdana");
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(Presets, RefusedNamesAreAskedAgainAndAnExistingPresetIsReplacedWhole)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\nObsolete=1\r\nFontsize=9\r\n"));
    dialogs.inputs = {"a\"b", "a:b", "a\\b", "a/b", "a?b", "a<b", "a>b", "a*b", "a|b", "Default", " DEFAULT ",
                      "default", "rock", "   ", "rock"};
    dialogs.answers.assign(12, MsgResult::Ok);
    dialogs.answers.push_back(MsgResult::Cancel);
    EXPECT_EQ(SavePreset(ctx), "");
    EXPECT_EQ(shown(), QStringList(9, text(14) + "\r\n\":\\/?<>*|") + QStringList(3, text(9))
                           + QStringList{text(10) + " \"Rock\" " + text(11)});
    EXPECT_EQ(SavePreset(ctx), ""); // blanks only: no name
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "LastCover", "Fontsize"), "9");
    EXPECT_EQ(SavePreset(ctx), "Rock"); // keeps its spelling, loses its old keys
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "LastCover", "Obsolete") + ReadINI(shipped("Rock.ini"), "LastCover", "Fontsize"),
              doc.Fontsize);
    EXPECT_EQ(presetNames(), QStringList({"default", "Rock"}));
}

TEST_F(Presets, RenameAndDeleteSpareDefaultAndTheCurrentPresetFollowsItsFile)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\n") && writeFile(shipped("Jazz.ini"), "[LastCover]\r\n"));
    settings::setPreset("ROCK");
    dialogs.inputs = {"JAZZ", "Default", "Blues", "jazz"};
    EXPECT_EQ(RenamePreset("Rock"), "Blues");
    EXPECT_EQ(dialogs.inputRequests.at(0), std::make_pair(text(17), text(18)));
    EXPECT_EQ(settings::preset(), "Blues");
    EXPECT_EQ(RenamePreset("Jazz"), "jazz"); // its own name in other letters
    EXPECT_EQ(settings::preset(), "Blues");
    EXPECT_EQ(RenamePreset("DEFAULT"), "");
    EXPECT_FALSE(DeletePreset("Default"));
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(DeletePreset("Blues"));
    EXPECT_TRUE(DeletePreset("Blues"));
    EXPECT_FALSE(ApplyPreset(ctx, ""));
    const QString ask = text(8) + " \"Blues\" ?";
    EXPECT_EQ(shown(), QStringList({text(13), text(13), text(12), text(7), ask, ask, text(15)}));
    EXPECT_EQ(presetNames(), QStringList({"default", "jazz"}));
}

TEST_F(Presets, TheDialogActsOnTheSelectedPreset)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\nBackColor=255\r\n"));
    settings::setPreset("ROCK");
    PresetDialog dialog(ctx);
    auto* list = dialog.findChild<QListWidget*>("PresetList");
    const auto items = [list] {
        QStringList t;
        for (int i = 0; i < list->count(); ++i)
            t << list->item(i)->text() + (list->item(i)->isSelected() ? "*" : "");
        return t;
    };
    const auto click = [&dialog](const char* name) { dialog.findChild<QPushButton*>(name)->click(); };
    EXPECT_EQ(dialog.windowTitle(), text(6));
    for (const auto& [name, entry] : {std::pair("cmdApply", 4), {"cmdSave", 3}, {"cmdRename", 2}, {"cmdDelete", 1}})
        EXPECT_EQ(dialog.findChild<QPushButton*>(name)->text(), text(entry)) << name;
    dialogs.inputs = {"Blues", "Soul"};
    click("cmdSave");
    EXPECT_EQ(items(), QStringList({"Blues", "default", "Rock*"}));
    list->setCurrentRow(0);
    click("cmdRename");
    list->setCurrentRow(2);
    click("cmdDelete");
    EXPECT_EQ(items(), QStringList({"default", "Rock*"}));
    click("cmdApply");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc.BackColor, 255);
    // Closing without a selection makes "default" current.
    settings::setPreset("gone");
    PresetDialog again(ctx);
    again.findChild<QPushButton*>("cmdClose")->click();
    EXPECT_EQ(settings::preset(), "default");
}

// An installed program folder is shared and read-only: presets, recent files and the
// working folder go to the user's data folder; the shipped presets are still listed.
TEST_F(Presets, AReadOnlyProgramFolderSendsWritesToTheUser)
{
    if (!runsAsOrdinaryUser())
        return;
    ASSERT_TRUE(writeFile(shipped("Shipped.ini"), "[LastCover]\r\nFontsize=8\r\n"));
    for (const QString& folder : {home.filePath("presets"), home.path()})
        ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/";
    dialogs.inputs = {"Mine", "shipped"};
    EXPECT_EQ(SavePreset(ctx), "Mine");
    EXPECT_EQ(SavePreset(ctx), "shipped"); // the user's own copy, which wins
    EXPECT_EQ(presetNames(), QStringList({"default", "Mine", "shipped"}));
    EXPECT_TRUE(DeletePreset("shipped"));
    shown();
    EXPECT_FALSE(DeletePreset("Shipped")); // the shipped one is back, and cannot be changed
    EXPECT_EQ(shown(), QStringList{text(19) + " \"Shipped\""});
    EXPECT_EQ(presetFile("Shipped"), shipped("Shipped.ini"));
    EXPECT_TRUE(QFileInfo::exists(own + "presets/Mine.ini"));
    recordRecentFile("/a.vrz");
    EXPECT_EQ(ReadRecentList(own + "resent_files.ini", "resent"), QStringList{"/a.vrz"});
    ASSERT_TRUE(QFile::setPermissions(own, QFile::ReadOwner | QFile::ExeOwner));
    recordRecentFile("/b.vrz"); // where even that fails, it is said once, not at every save
    recordRecentFile("/c.vrz");
    EXPECT_EQ(shown().size(), 1);
    ASSERT_TRUE(QFile::setPermissions(own, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ASSERT_TRUE(claimWorkingFolder());
    EXPECT_TRUE(QFileInfo(programPath(ProgramPath::WorkingFolder)).isDir());
    EXPECT_TRUE(programPath(ProgramPath::WorkingFolder).startsWith(own + "tmp/"));
    releaseWorkingFolder();
    EXPECT_EQ(QDir(home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"language", "presets"}));
    for (const QString& folder : {home.filePath("presets"), home.path()})
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
