#include "shell/recent_files.h"

#include "shell/recent_files_menu.h"

#include <QAction>
#include <QMenu>

#include "preset_fixture.h"

namespace {

class RecentFiles : public PresetFolders {
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
