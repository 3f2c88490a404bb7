#include "shell/presets.h"

#include "shell/user_settings.h"
#include "toolbox/ini_file.h"

#include <QFileInfo>
#include <QStandardPaths>

#include "ordinary_user.h"
#include "preset_fixture.h"

namespace {

// A style no new cover has, with texts, pictures and counters a preset must not touch.
void styleCover(CoverDocument& d)
{
    d.Fontname = "Verdana";
    d.FrontFont = "Liberation Serif";
    d.Fontsize = "22";
    d.BackColor = 0x123456;
    d.fBackColor2 = 0x654321;
    d.FontBold = 1;
    d.pMethod = 3;
    d.LineSpace = "9";
}

void personalCover(CoverDocument& d)
{
    d.Text = "  Label  ";
    d.Contents = "Track 1\r\nTrack 2";
    d.FrontText1 = "inner";
    d.FrontText2 = "outer";
    d.BackPicture.ref = "/covers/back.jpg";
    d.FrontPicture.ref = "none";
    d.Counter = 0;
    d.CountFrom = "7";
}

class Presets : public PresetFolders {};

TEST_F(Presets, ASavedStyleAppliesToAnotherCoverAndLeavesItsTextsAndPictures)
{
    styleCover(doc);
    dialogs.inputs = {"Rock"};
    EXPECT_EQ(SavePreset(ctx), "Rock");
    ASSERT_EQ(dialogs.inputRequests.size(), 1u);
    EXPECT_EQ(dialogs.inputRequests[0], std::make_pair(presetText(16), presetText(16)));
    const QString file = home.filePath("presets/Rock.ini");
    EXPECT_EQ(ReadINI(file, "Preset", "Name"), "Rock.ini");
    EXPECT_EQ(presetNames(), QStringList({"default", "Rock"}));

    CoverDocument other;
    personalCover(other);
    const CoverDocument before = other;
    CoverFileContext otherCtx(other);
    otherCtx.fontList = ctx.fontList;
    EXPECT_TRUE(ApplyPreset(otherCtx, "rock"));
    EXPECT_EQ(settings::preset(), "rock");
    EXPECT_EQ(QStringList({other.Fontname, other.FrontFont, other.Fontsize, other.LineSpace}),
              QStringList({"Verdana", "Liberation Serif", "22", "9"}));
    EXPECT_EQ(QList<int>({other.BackColor, other.fBackColor2, other.FontBold, other.pMethod}),
              QList<int>({0x123456, 0x654321, 1, 3}));
    EXPECT_EQ(QStringList({other.Text, other.Contents, other.FrontText1, other.FrontText2, other.BackPicture.ref,
                           other.FrontPicture.ref, other.CountFrom}),
              QStringList({before.Text, before.Contents, before.FrontText1, before.FrontText2,
                           before.BackPicture.ref, before.FrontPicture.ref, before.CountFrom}));
    EXPECT_EQ(other.Counter, 0);
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('|').toStdString();
}

TEST_F(Presets, NewCoversTakeTheCurrentPresetAndAMissingOneChangesNothing)
{
    GetPreset(ctx); // "default", the shipped one
    EXPECT_EQ(doc.FrontFont, "Liberation Serif");
    EXPECT_EQ(doc.fBackColor2, 16249324);
    EXPECT_EQ(redraws, 2);

    settings::setPreset("gone");
    doc.fBackColor2 = 5;
    GetPreset(ctx);
    EXPECT_EQ(doc.fBackColor2, 5);
    EXPECT_EQ(redraws, 2);
}

TEST_F(Presets, NamesWithCharactersFilesCannotHoldAreAskedAgain)
{
    const QString forbidden = presetText(14) + "\r\n\":\\/?<>*|";
    for (const QString bad : {"a\"b", "a:b", "a\\b", "a/b", "a?b", "a<b", "a>b", "a*b", "a|b"}) {
        dialogs.inputs = {bad, "my-style.v2"};
        EXPECT_EQ(SavePreset(ctx), "my-style.v2") << bad.toStdString();
        EXPECT_EQ(takeShown(), QStringList{forbidden}) << bad.toStdString();
        EXPECT_EQ(dialogs.shown.size(), 0u);
        ASSERT_TRUE(QFile::remove(home.filePath("presets/my-style.v2.ini")));
    }
    EXPECT_TRUE(ValidFileName("hyphen-and.dot (1)"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Presets, DefaultCannotBeSavedOverAndABlankNameSavesNothing)
{
    const QByteArray shippedDefault = bytes(shipped("default.ini"));
    dialogs.inputs = {"Default", " DEFAULT ", "default", "   "};
    EXPECT_EQ(SavePreset(ctx), "");
    EXPECT_EQ(takeShown(), QStringList(3, presetText(9)));
    EXPECT_EQ(dialogs.inputRequests.size(), 4u);
    EXPECT_EQ(presetNames(), QStringList{"default"});
    EXPECT_EQ(bytes(shipped("default.ini")), shippedDefault);
    EXPECT_FALSE(QFileInfo::exists(shipped(" .ini")));
}

TEST_F(Presets, SavingOverAPresetAsksAndReplacesItWhole)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\nObsolete=1\r\nFontsize=9\r\n"));
    dialogs.inputs = {"rock"};
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_EQ(SavePreset(ctx), "");
    EXPECT_EQ(takeShown(), QStringList{presetText(10) + " \"Rock\" " + presetText(11)});
    EXPECT_EQ(bytes(shipped("Rock.ini")), "[LastCover]\r\nObsolete=1\r\nFontsize=9\r\n");

    styleCover(doc);
    dialogs.inputs = {"rock"};
    EXPECT_EQ(SavePreset(ctx), "Rock");
    // The file keeps its spelling and nothing of its old content.
    EXPECT_EQ(QDir(home.filePath("presets")).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase),
              QStringList({"default.ini", "Rock.ini"}));
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "LastCover", "Obsolete"), "");
    EXPECT_EQ(ReadINI(shipped("Rock.ini"), "LastCover", "Fontsize"), "22");
}

TEST_F(Presets, RenamingFollowsTheCurrentPresetAndRefusesTakenNames)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\nFontsize=22\r\n"));
    ASSERT_TRUE(writeFile(shipped("Jazz.ini"), "[LastCover]\r\nFontsize=8\r\n"));
    settings::setPreset("ROCK");

    dialogs.inputs = {"JAZZ", "Default", "a/b", "Blues"};
    EXPECT_EQ(RenamePreset("Rock"), "Blues");
    ASSERT_FALSE(dialogs.inputRequests.empty());
    EXPECT_EQ(dialogs.inputRequests[0], std::make_pair(presetText(17), presetText(18)));
    EXPECT_EQ(takeShown(), QStringList({presetText(13), presetText(13), presetText(14) + "\r\n\":\\/?<>*|"}));
    EXPECT_EQ(presetNames(), QStringList({"Blues", "default", "Jazz"}));
    EXPECT_EQ(settings::preset(), "Blues");
    GetPreset(ctx);
    EXPECT_EQ(doc.Fontsize, "22");

    // Another preset's rename leaves the current one alone; its own name in other letters is fine.
    dialogs.inputs = {"jazz"};
    EXPECT_EQ(RenamePreset("Jazz"), "jazz");
    EXPECT_EQ(settings::preset(), "Blues");
    EXPECT_EQ(presetNames(), QStringList({"Blues", "default", "jazz"}));

    EXPECT_EQ(RenamePreset("DEFAULT"), "");
    EXPECT_EQ(takeShown(), QStringList{presetText(12)});
    EXPECT_EQ(RenamePreset(""), "");
    dialogs.inputs = {""};
    EXPECT_EQ(RenamePreset("Blues"), "");
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(QFileInfo::exists(shipped("Blues.ini")));
}

TEST_F(Presets, DeletingAsksFirstAndNeverTakesDefault)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\n"));
    EXPECT_FALSE(DeletePreset("Default"));
    EXPECT_EQ(takeShown(), QStringList{presetText(7)});
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(DeletePreset("Rock"));
    EXPECT_EQ(takeShown(), QStringList{presetText(8) + " \"Rock\" ?"});
    EXPECT_TRUE(QFileInfo::exists(shipped("Rock.ini")));
    EXPECT_TRUE(DeletePreset("Rock"));
    EXPECT_EQ(presetNames(), QStringList{"default"});
    EXPECT_FALSE(DeletePreset(""));
}

TEST_F(Presets, ApplyNeedsASelectionAndCloseWithoutOneFallsBackToDefault)
{
    settings::setPreset("Rock");
    EXPECT_FALSE(ApplyPreset(ctx, ""));
    EXPECT_EQ(takeShown(), QStringList{presetText(15)});
    ClosePresets("Rock");
    EXPECT_EQ(settings::preset(), "Rock");
    ClosePresets("");
    EXPECT_EQ(settings::preset(), "default");
}

// An installed program folder is shared and read-only: the user's presets live in the
// user's data folder, beside the shipped ones.
TEST_F(Presets, AReadOnlyProgramFolderKeepsTheUsersPresetsApart)
{
    if (!runsAsOrdinaryUser())
        return;
    ASSERT_TRUE(writeFile(shipped("Shipped.ini"), "[LastCover]\r\nFontsize=8\r\n"));
    ASSERT_TRUE(QFile::setPermissions(home.filePath("presets"), QFile::ReadOwner | QFile::ExeOwner));
    ASSERT_TRUE(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner));
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/presets/";

    styleCover(doc);
    dialogs.inputs = {"Mine", "shipped"};
    EXPECT_EQ(SavePreset(ctx), "Mine");
    EXPECT_TRUE(QFileInfo::exists(own + "Mine.ini"));
    EXPECT_EQ(presetNames(), QStringList({"default", "Mine", "Shipped"}));

    // Saving over a shipped preset makes the user's own copy, which wins.
    EXPECT_EQ(SavePreset(ctx), "shipped");
    EXPECT_EQ(takeShown(), QStringList{presetText(10) + " \"Shipped\" " + presetText(11)});
    EXPECT_EQ(presetNames(), QStringList({"default", "Mine", "shipped"}));
    EXPECT_EQ(presetFile("Shipped"), own + "shipped.ini");
    EXPECT_EQ(ReadINI(shipped("Shipped.ini"), "LastCover", "Fontsize"), "8");

    // Deleting the copy brings the shipped one back; that one cannot be changed.
    EXPECT_TRUE(DeletePreset("shipped"));
    EXPECT_EQ(presetFile("Shipped"), shipped("Shipped.ini"));
    takeShown();
    EXPECT_FALSE(DeletePreset("Shipped"));
    dialogs.inputs = {"Other"};
    EXPECT_EQ(RenamePreset("Shipped"), "");
    const QString refused = presetText(19) + " \"Shipped\"";
    EXPECT_EQ(takeShown(), QStringList({refused, refused}));
    EXPECT_EQ(presetNames(), QStringList({"default", "Mine", "Shipped"}));

    dialogs.inputs = {"Yours"};
    EXPECT_EQ(RenamePreset("Mine"), "Yours");
    EXPECT_TRUE(QFileInfo::exists(own + "Yours.ini"));
    QFile::setPermissions(home.filePath("presets"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
