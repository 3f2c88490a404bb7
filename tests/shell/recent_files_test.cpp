#include "shell/recent_files.h"

#include "shell/recent_files_menu.h"
#include "toolbox/ini_file.h"
#include "toolbox/program_folder.h"

#include <QAction>
#include <QMenu>
#include <QStandardPaths>

#include "ordinary_user.h"
#include "preset_fixture.h"

namespace {

QString cover(int n)
{
    return QStringLiteral("/covers/cover%1.vrz").arg(n);
}

class RecentList : public PresetFolders {
protected:
    QString file = home.filePath("resent_files.ini");
    QStringList list() const { return ReadRecentList(file, "resent"); }
    // The list holding cover(first) at the top down to cover(first - 9).
    void fill(int first = 9)
    {
        for (int n = first - 9; n <= first; ++n)
            ASSERT_TRUE(UpdateRecentList(file, "resent", cover(n)));
    }
};

TEST_F(RecentList, ElevenSavesLeaveTheTenLatest)
{
    for (int n = 0; n <= 10; ++n)
        ASSERT_TRUE(UpdateRecentList(file, "resent", cover(n)));
    QStringList expected;
    for (int n = 10; n >= 1; --n)
        expected << cover(n);
    EXPECT_EQ(list(), expected);
}

TEST_F(RecentList, ReopeningTheThirdMovesItUpAndLeavesTheKeysBelowAlone)
{
    fill();
    // A hand-spaced line below the reopened entry must come through byte for byte.
    QByteArray content = bytes(file);
    content.replace("rFile5=" + cover(4).toLatin1(), "rFile5 =  " + cover(4).toLatin1() + " ");
    ASSERT_TRUE(writeFile(file, content));
    ASSERT_TRUE(UpdateRecentList(file, "resent", cover(7)));
    EXPECT_EQ(list(), QStringList({cover(7), cover(9), cover(8), cover(6), cover(5), cover(4), cover(3), cover(2),
                                   cover(1), cover(0)}));
    EXPECT_TRUE(bytes(file).contains("rFile5 =  " + cover(4).toLatin1() + " \r\n"));
}

TEST_F(RecentList, AListedPathInOtherLettersMovesUpWithItsLatestSpelling)
{
    ASSERT_TRUE(UpdateRecentList(file, "resent", "C:\\B\\Y.VRZ"));
    ASSERT_TRUE(UpdateRecentList(file, "resent", "C:\\A\\X.VRZ"));
    ASSERT_TRUE(UpdateRecentList(file, "resent", "C:\\C\\Z.VRZ"));
    ASSERT_TRUE(UpdateRecentList(file, "resent", "c:\\a\\x.vrz"));
    EXPECT_EQ(list(), QStringList({"c:\\a\\x.vrz", "C:\\C\\Z.VRZ", "C:\\B\\Y.VRZ"}));
    // Opening the most recent again rewrites rFile0 only.
    QByteArray content = bytes(file);
    content.replace("rFile1=", "rFile1 = ");
    ASSERT_TRUE(writeFile(file, content));
    ASSERT_TRUE(UpdateRecentList(file, "resent", "C:\\A\\x.vrz"));
    EXPECT_EQ(bytes(file), "[resent]\r\nrFile0=C:\\A\\x.vrz\r\nrFile1 = C:\\C\\Z.VRZ\r\nrFile2=C:\\B\\Y.VRZ\r\n");
}

TEST_F(RecentList, AGapEndsTheListAndAMissingFileIsAnEmptyOne)
{
    EXPECT_TRUE(list().isEmpty());
    ASSERT_TRUE(writeFile(file, "[resent]\r\nrFile0=/a.vrz\r\nrFile2=/c.vrz\r\n"));
    EXPECT_EQ(list(), QStringList{"/a.vrz"});
    ASSERT_TRUE(writeFile(file, "[resent]\r\nrFile0=\r\nrFile1=/b.vrz\r\n"));
    EXPECT_TRUE(list().isEmpty());
    EXPECT_FALSE(UpdateRecentList(home.filePath("no/folder/r.ini"), "resent", "/x.vrz"));
}

TEST_F(RecentList, AChosenEntryOpensOrSaysItsFileHasGone)
{
    const QString there = home.filePath("there.vrz");
    ASSERT_TRUE(writeFile(there, "x"));
    QStringList opened;
    const auto open = [&opened](const QString& p) { opened << p; };
    openRecentFile(there, open);
    EXPECT_EQ(opened, QStringList{there});
    EXPECT_TRUE(dialogs.shown.empty());

    openRecentFile("/gone/away.vrz", open);
    EXPECT_EQ(opened.size(), 1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const QString gone = Lang(LangSection::Messages, 42);
    EXPECT_EQ(dialogs.shown[0].text, "\"/gone/away.vrz\" " + gone + "\r\n" + Lang(LangSection::Messages, 41));
    EXPECT_EQ(dialogs.shown[0].title, gone);
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
}

TEST_F(RecentList, ClearingAsksFirst)
{
    recordRecentFile("/a.vrz");
    EXPECT_EQ(recentFiles(), QStringList{"/a.vrz"});
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(clearRecentFiles());
    EXPECT_EQ(recentFiles(), QStringList{"/a.vrz"});
    const QString question = Lang(LangSection::Menu, 28);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(std::make_pair(dialogs.shown[0].text, dialogs.shown[0].title), std::make_pair(question, question));
    EXPECT_TRUE(clearRecentFiles());
    EXPECT_TRUE(recentFiles().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(clearRecentFiles()); // nothing to delete is no error
}

// The File menu: "Print...", the separator above the list, the list, another separator, "Exit".
class RecentMenu : public RecentList {
protected:
    QMenu menu;
    QAction* print = menu.addAction("Print...");
    QAction* separator = menu.addSeparator();
    QAction* below = menu.addSeparator();
    QAction* exit = menu.addAction("Exit");
    QStringList opened;
    RecentFilesMenu recent{&menu, separator, below, [this](const QString& p) { opened << p; }};

    QStringList captions() const
    {
        QStringList c;
        for (QAction* a : recent.entries())
            c << a->text();
        return c;
    }
};

TEST_F(RecentMenu, EntriesAreNumberedFromZeroBetweenTheSeparators)
{
    EXPECT_FALSE(recent.UpdateResent(true));
    EXPECT_FALSE(separator->isVisible());
    recent.AddResent("/b.vrz", true);
    recent.AddResent("/Rock & Roll/a.vrz", true);
    EXPECT_EQ(captions(), QStringList({"0 /Rock && Roll/a.vrz", "1 /b.vrz"}));
    EXPECT_EQ(recent.entries()[0]->data().toString(), "/Rock & Roll/a.vrz");
    const QList<QAction*> actions = menu.actions();
    EXPECT_EQ(actions, QList<QAction*>({print, separator, recent.entries()[0], recent.entries()[1], below, exit}));
    EXPECT_TRUE(separator->isVisible());
    EXPECT_TRUE(recent.entries()[1]->isVisible());
}

TEST_F(RecentMenu, AHiddenListStillHasItsEntries)
{
    recordRecentFile("/a.vrz");
    EXPECT_TRUE(recent.UpdateResent(false));
    ASSERT_EQ(recent.entries().size(), 1u);
    EXPECT_FALSE(recent.entries()[0]->isVisible());
    EXPECT_FALSE(separator->isVisible());
    EXPECT_TRUE(recent.UpdateResent(true));
    EXPECT_TRUE(recent.entries()[0]->isVisible());
    EXPECT_EQ(menu.actions().size(), 5); // rebuilt, not added again
}

TEST_F(RecentMenu, LongPathsAreShortenedAndChosenEntriesOpen)
{
    const QString deep = home.filePath("a folder with a long name/another long folder name/yet another one/x.vrz");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(deep).path()) && writeFile(deep, "x"));
    recent.AddResent(deep, true);
    const QString caption = recent.entries()[0]->text();
    EXPECT_TRUE(caption.startsWith("0 ")) << caption.toStdString();
    EXPECT_TRUE(caption.endsWith(".../x.vrz")) << caption.toStdString();
    EXPECT_LE(QFontMetrics(menu.font()).horizontalAdvance(caption.mid(2)), 150);
    recent.entries()[0]->trigger();
    EXPECT_EQ(opened, QStringList{deep});
}

TEST_F(RecentList, AReadOnlyProgramFolderKeepsTheListPerUserAndAFailureIsReportedOnce)
{
    if (!runsAsOrdinaryUser())
        return;
    ASSERT_TRUE(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner));
    recordRecentFile("/a.vrz");
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/resent_files.ini";
    EXPECT_EQ(programPath(ProgramPath::RecentFiles), own);
    EXPECT_EQ(ReadRecentList(own, "resent"), QStringList{"/a.vrz"});
    EXPECT_FALSE(QFileInfo::exists(file));

    // Not even the user's folder takes it: said once, not at every save.
    ASSERT_TRUE(QFile::setPermissions(QFileInfo(own).path(), QFile::ReadOwner | QFile::ExeOwner));
    recordRecentFile("/b.vrz");
    recordRecentFile("/c.vrz");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(ReadRecentList(own, "resent"), QStringList{"/a.vrz"});
    QFile::setPermissions(QFileInfo(own).path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
