#include "shell/presets.h"

#include "shell/user_settings.h"
#include "toolbox/ini_file.h"

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
    doc.Fontsize = "22";
    doc.BackColor = 0x123456;
    doc.pMethod = 3;
    dialogs.inputs = {"Rock"};
    EXPECT_EQ(SavePreset(ctx), "Rock");
    EXPECT_EQ(dialogs.inputRequests.at(0), std::make_pair(text(16), text(16)));
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "Preset", "Name"), "Rock.ini");
    EXPECT_EQ(presetNames(), QStringList({"default", "Rock"}));

    CoverDocument other;
    other.Text = "Label";
    other.Contents = "Track 1";
    other.BackPicture.ref = "/covers/back.jpg";
    other.Counter = 0;
    CoverFileContext otherCtx(other);
    otherCtx.fontList = ctx.fontList;
    EXPECT_TRUE(ApplyPreset(otherCtx, "rock"));
    EXPECT_EQ(settings::preset(), "rock");
    EXPECT_EQ(other.Fontname + other.Fontsize, "Verdana22");
    EXPECT_EQ(QList<int>({other.BackColor, other.pMethod, other.Counter}), QList<int>({0x123456, 3, 0}));
    EXPECT_EQ(other.Text + other.Contents + other.BackPicture.ref, "LabelTrack 1/covers/back.jpg");

    // New covers take the current preset; a missing one changes nothing.
    settings::setPreset("default");
    GetPreset(ctx);
    EXPECT_EQ(doc.FrontFont, "Liberation Serif");
    settings::setPreset("gone");
    doc.FrontFont = "Verdana";
    GetPreset(ctx);
    EXPECT_EQ(doc.FrontFont, "Verdana");
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(Presets, RefusedNamesAreAskedForAgain)
{
    const QString forbidden = text(14) + "\r\n\":\\/?<>*|";
    dialogs.inputs = {"a\"b", "a:b", "a\\b", "a/b", "a?b", "a<b", "a>b", "a*b", "a|b", "Default", " DEFAULT ",
                      "default", "my-style.v2"};
    EXPECT_EQ(SavePreset(ctx), "my-style.v2");
    EXPECT_EQ(shown(), QStringList(9, forbidden) + QStringList(3, text(9)));
    // A name of blanks only is no name: nothing is saved.
    dialogs.inputs = {"   "};
    EXPECT_EQ(SavePreset(ctx), "");
    EXPECT_EQ(presetNames(), QStringList({"default", "my-style.v2"}));
}

TEST_F(Presets, SavingOverAPresetAsksAndReplacesItWhole)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\nObsolete=1\r\nFontsize=9\r\n"));
    doc.Fontsize = "22";
    dialogs.inputs = {"rock", "rock"};
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_EQ(SavePreset(ctx), "");
    EXPECT_EQ(shown(), QStringList{text(10) + " \"Rock\" " + text(11)});
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "LastCover", "Fontsize"), "9");
    EXPECT_EQ(SavePreset(ctx), "Rock"); // the file keeps its spelling
    EXPECT_EQ(presetNames(), QStringList({"default", "Rock"}));
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "LastCover", "Obsolete") + ReadINI(shipped("Rock.ini"), "LastCover", "Fontsize"),
              "22");
}

TEST_F(Presets, RenameAndDeleteProtectDefaultAndTheCurrentPresetFollowsItsFile)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\nFontsize=22\r\n"));
    ASSERT_TRUE(writeFile(shipped("Jazz.ini"), "[LastCover]\r\n"));
    settings::setPreset("ROCK");
    dialogs.inputs = {"JAZZ", "Default", "Blues"};
    EXPECT_EQ(RenamePreset("Rock"), "Blues");
    EXPECT_EQ(dialogs.inputRequests.at(0), std::make_pair(text(17), text(18)));
    EXPECT_EQ(shown(), QStringList(2, text(13)));
    EXPECT_EQ(settings::preset(), "Blues");
    dialogs.inputs = {"jazz"}; // its own name in other letters
    EXPECT_EQ(RenamePreset("Jazz"), "jazz");
    EXPECT_EQ(settings::preset(), "Blues");
    EXPECT_EQ(presetNames(), QStringList({"Blues", "default", "jazz"}));

    EXPECT_EQ(RenamePreset("DEFAULT"), "");
    EXPECT_FALSE(DeletePreset("Default"));
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(DeletePreset("Blues"));
    EXPECT_EQ(shown(), QStringList({text(12), text(7), text(8) + " \"Blues\" ?"}));
    EXPECT_TRUE(DeletePreset("Blues"));
    shown();
    EXPECT_EQ(presetNames(), QStringList({"default", "jazz"}));

    EXPECT_FALSE(ApplyPreset(ctx, ""));
    EXPECT_EQ(shown(), QStringList{text(15)});
    ClosePresets("jazz");
    EXPECT_EQ(settings::preset(), "Blues");
    ClosePresets("");
    EXPECT_EQ(settings::preset(), "default");
}

// An installed program folder is shared and read-only: the user's presets live apart.
TEST_F(Presets, AReadOnlyProgramFolderKeepsTheUsersPresetsApart)
{
    if (!runsAsOrdinaryUser())
        return;
    ASSERT_TRUE(writeFile(shipped("Shipped.ini"), "[LastCover]\r\nFontsize=8\r\n"));
    for (const QString& folder : {home.filePath("presets"), home.path()})
        ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/presets/";
    dialogs.inputs = {"Mine", "shipped"};
    EXPECT_EQ(SavePreset(ctx), "Mine");
    EXPECT_TRUE(QFileInfo::exists(own + "Mine.ini"));
    // Saving over a shipped preset makes the user's own copy, which wins.
    EXPECT_EQ(SavePreset(ctx), "shipped");
    EXPECT_EQ(presetNames(), QStringList({"default", "Mine", "shipped"}));
    EXPECT_EQ(presetFile("Shipped"), own + "shipped.ini");
    // Deleting the copy brings the shipped one back, which cannot be changed.
    EXPECT_TRUE(DeletePreset("shipped"));
    shown();
    EXPECT_FALSE(DeletePreset("Shipped"));
    EXPECT_EQ(RenamePreset("Shipped"), "");
    EXPECT_EQ(shown(), QStringList(2, text(19) + " \"Shipped\""));
    EXPECT_EQ(presetNames(), QStringList({"default", "Mine", "Shipped"}));
    QFile::setPermissions(home.filePath("presets"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
