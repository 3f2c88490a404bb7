// The files the program keeps for the user: presets and the recent files list.
#include "shell/presets.h"

#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "fake_dialogs.h"
#include "ordinary_user.h"
#include "program_home.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/recent_files.h"
#include "shell/recent_files_menu.h"
#include "shell/user_settings.h"
#include "shell/working_folder.h"
#include "toolbox/ini_file.h"
#include "toolbox/program_folder.h"

#include "gtest_qt.h"

namespace {

// A program folder with English and the shipped "default" preset, a per-user data folder
// and profile of their own, scripted dialogs and one cover.
class Presets : public ::testing::Test, protected ProgramHome {
protected:
    Presets() : ProgramHome({"language/english.ini", "presets/default.ini"}) {}
    void SetUp() override
    {
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        QSettings(QSettings::UserScope, "Caseleaf", "VORN").clear();
        QString english = "english";
        ASSERT_TRUE(LoadLanguage(english));
        app::viewEnabled = true;
        ctx.fontList = {"DejaVu Sans", "Liberation Serif", "Verdana"};
    }

    static QString text(int n) { return Lang(LangSection::Preset, n); }
    QString shipped(const QString& name) const { return path("presets/" + name); }
    static bool writeFile(const QString& path, const QByteArray& content) { return fixtures::writeFile(path, content); }

    QTemporaryDir data;
    FakeDialogs dialogs;
    CoverDocument doc;
    CoverFileContext ctx{doc};
};

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

class RecentFiles : public Presets {
protected:
    QString file = home.filePath("resent_files.ini");
    QStringList list() const { return ReadRecentList(file, "resent"); }
    void add(const QString& path) { ASSERT_TRUE(UpdateRecentList(file, "resent", path)); }
};

QString cover(int n) { return QStringLiteral("/c%1.vrz").arg(n); }

TEST_F(RecentFiles, MostRecentFirstTenAtMost)
{
    for (int n = 0; n <= 10; ++n)
        add(cover(n));
    EXPECT_EQ(list().size(), 10);
    EXPECT_EQ(list().first() + list().last(), cover(10) + cover(1));
    // Reopening the third moves it up; the keys below its old place are not rewritten.
    ASSERT_TRUE(writeFile(file, fixtures::readFile(file).replace("rFile5=", "rFile5 = ")));
    add(cover(8));
    add(cover(9).toUpper()); // the same entry, stored as last opened
    EXPECT_EQ(list().mid(0, 5), QStringList({cover(9).toUpper(), cover(8), cover(10), cover(7), cover(6)}));
    EXPECT_TRUE(fixtures::readFile(file).contains("\r\nrFile5 = /c5.vrz\r\n"));
    ASSERT_TRUE(writeFile(file, "[resent]\r\nrFile0=/a.vrz\r\nrFile2=/c.vrz\r\n")); // a gap ends the list
    EXPECT_EQ(list(), QStringList{"/a.vrz"});
}

// The File menu: the separator above the list, numbered entries, the entry below.
TEST_F(RecentFiles, TheMenuOpensEntriesOrSaysTheyAreGone)
{
    QMenu menu;
    QAction* separator = menu.addSeparator();
    QAction* below = menu.addAction("Exit");
    QStringList opened;
    RecentFilesMenu recent(&menu, separator, below, [&opened](const QString& p) { opened << p; });
    EXPECT_FALSE(recent.UpdateResent(true) || separator->isVisible());
    const QString deep = home.filePath("a folder with a long name/another long folder name/x.vrz");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(deep).path()) && writeFile(deep, "x"));
    recent.AddResent(deep, true);
    recent.AddResent("/Rock & Roll/a.vrz", true);
    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_EQ(menu.actions()[1]->text(), "0 /Rock && Roll/a.vrz"); // "&" is no mnemonic
    EXPECT_TRUE(menu.actions()[2]->text().endsWith(".../x.vrz")) << menu.actions()[2]->text().toStdString();
    EXPECT_TRUE(separator->isVisible());
    menu.actions()[2]->trigger();
    menu.actions()[1]->trigger();
    EXPECT_EQ(opened, QStringList{deep});
    const QString gone = Lang(LangSection::Messages, 42);
    EXPECT_EQ(dialogs.takeTexts(),
              QStringList{"\"/Rock & Roll/a.vrz\" " + gone + "\r\n" + Lang(LangSection::Messages, 41)});
    EXPECT_TRUE(recent.UpdateResent(false)); // a hidden list hides its separator too
    EXPECT_FALSE(separator->isVisible() || menu.actions()[1]->isVisible());
}

} // namespace
