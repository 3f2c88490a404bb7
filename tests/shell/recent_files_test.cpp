#include "shell/recent_files.h"

#include "shell/recent_files_menu.h"

#include <QAction>
#include <QMenu>

#include "preset_fixture.h"

namespace {

QString cover(int n) { return QStringLiteral("/covers/cover%1.vrz").arg(n); }

class RecentList : public PresetFolders {
protected:
    QString file = home.filePath("resent_files.ini");
    QStringList list() const { return ReadRecentList(file, "resent"); }
    QByteArray bytes() const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void add(const QString& path) { ASSERT_TRUE(UpdateRecentList(file, "resent", path)); }
};

TEST_F(RecentList, MostRecentFirstTenAtMost)
{
    for (int n = 0; n <= 10; ++n)
        add(cover(n));
    QStringList expected;
    for (int n = 10; n >= 1; --n)
        expected << cover(n);
    EXPECT_EQ(list(), expected);
    // Reopening the third moves it up; the keys below its old place are not rewritten.
    QByteArray content = bytes();
    ASSERT_TRUE(writeFile(file, content.replace("rFile5=", "rFile5 = ")));
    add(cover(8));
    EXPECT_EQ(list().mid(0, 4), QStringList({cover(8), cover(10), cover(9), cover(7)}));
    EXPECT_TRUE(bytes().contains("\r\nrFile5 = " + cover(5).toLatin1() + "\r\n"));
    // The same path in other letters is the same entry, stored as last opened.
    add(cover(9).toUpper());
    EXPECT_EQ(list().mid(0, 4), QStringList({cover(9).toUpper(), cover(8), cover(10), cover(7)}));
    EXPECT_EQ(list().size(), 10);
    // A gap ends the list.
    ASSERT_TRUE(writeFile(file, "[resent]\r\nrFile0=/a.vrz\r\nrFile2=/c.vrz\r\n"));
    EXPECT_EQ(list(), QStringList{"/a.vrz"});
}

TEST_F(RecentList, ChosenEntriesOpenOrSayTheirFileHasGoneAndClearingAsks)
{
    QStringList opened;
    openRecentFile(file, [&opened](const QString& p) { opened << p; }); // not written yet: gone
    recordRecentFile(cover(1));
    openRecentFile(file, [&opened](const QString& p) { opened << p; });
    EXPECT_EQ(opened, QStringList{file});
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const QString gone = Lang(LangSection::Messages, 42);
    EXPECT_EQ(dialogs.shown[0].text, "\"" + file + "\" " + gone + "\r\n" + Lang(LangSection::Messages, 41));
    EXPECT_EQ(std::make_pair(dialogs.shown[0].title, dialogs.shown[0].icon), std::make_pair(gone, MsgIcon::Critical));

    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(clearRecentFiles());
    EXPECT_EQ(recentFiles(), QStringList{cover(1)});
    EXPECT_TRUE(clearRecentFiles());
    EXPECT_EQ(dialogs.shown.back().title, Lang(LangSection::Menu, 28));
    EXPECT_FALSE(QFileInfo::exists(file));
}

// The File menu: the separator above the list, the list, the entry below it.
TEST_F(RecentList, TheMenuShowsNumberedShortenedEntries)
{
    QMenu menu;
    QAction* separator = menu.addSeparator();
    QAction* below = menu.addAction("Exit");
    QStringList opened;
    RecentFilesMenu recent(&menu, separator, below, [&opened](const QString& p) { opened << p; });
    EXPECT_FALSE(recent.UpdateResent(true));
    EXPECT_FALSE(separator->isVisible());
    const QString deep = home.filePath("a folder with a long name/another long folder name/x.vrz");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(deep).path()) && writeFile(deep, "x"));
    recent.AddResent(deep, true);
    recent.AddResent("/Rock & Roll/a.vrz", true);
    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_EQ(menu.actions()[1]->text(), "0 /Rock && Roll/a.vrz"); // "&" is no mnemonic
    const QString caption = menu.actions()[2]->text();
    EXPECT_TRUE(caption.startsWith("1 /") && caption.endsWith(".../x.vrz")) << caption.toStdString();
    EXPECT_TRUE(separator->isVisible());
    menu.actions()[2]->trigger();
    EXPECT_EQ(opened, QStringList{deep});
    // A hidden list keeps its entries, invisible, and hides the separator.
    EXPECT_TRUE(recent.UpdateResent(false));
    EXPECT_EQ(menu.actions().size(), 4);
    EXPECT_FALSE(separator->isVisible() || menu.actions()[1]->isVisible());
}

} // namespace
