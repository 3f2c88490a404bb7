#include "contents/contents_dialog.h"

#include "contents/size_panel.h"
#include "fake_dialogs.h"
#include "folder_tree.h"
#include "platform/clipboard.h"
#include "shell/language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

QString spaces(int n) { return QString(n, QLatin1Char(' ')); }

// A program folder whose language numbers the dialog's captions and messages, and a
// folder tree the dialog opens on as the process's current folder.
class ContentsDialogTest : public ::testing::Test {
protected:
    QTemporaryDir home;
    FakeDialogs dialogs;
    FolderTree tree;
    QString previousFolder = QDir::currentPath();

    void SetUp() override
    {
        ASSERT_TRUE(QDir(home.path()).mkpath("language"));
        QFile file(home.filePath("language/numbered.ini"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Messages]\r\nV1=Message 1\r\nV2=Message 2\r\n[GetContents]\r\n");
        for (int n = 1; n <= 8; ++n)
            file.write(QStringLiteral("V%1=Contents %1\r\n").arg(n).toLatin1());
        file.close();
        qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
        QString name = "numbered";
        ASSERT_TRUE(LoadLanguage(name));
        ASSERT_TRUE(tree.file("Alpha/a.mp3", 1000) && tree.file("Beta/b.mp3", 2000) && tree.file("Beta/c/d.mp3", 48)
                    && tree.file("Gamma/g", 5) && tree.file("Cover.JPG", 7));
        QDir::setCurrent(tree.root());
    }
    void TearDown() override
    {
        QDir::setCurrent(previousFolder);
        qunsetenv("CASELEAF_HOME");
    }

    template <typename T>
    static T* child(QWidget& dialog, const char* name)
    {
        T* w = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QTreeWidgetItem* folderItem(QTreeWidget* box, const QString& text)
    {
        const QList<QTreeWidgetItem*> found = box->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    static void activate(QTreeWidget* box, QTreeWidgetItem* item)
    {
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box->window()));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(item).center());
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, box->visualItemRect(item).center());
    }
};

TEST_F(ContentsDialogTest, OpensOnTheCurrentFolderWithLargeSpacingAndLanguageCaptions)
{
    ContentsDialog dialog;
    EXPECT_EQ(dialog.currentFolder(), tree.root());
    EXPECT_EQ(dialog.windowTitle(), "Contents 1");
    EXPECT_EQ(child<QPushButton>(dialog, "getSizes")->text(), "Contents 2");
    EXPECT_EQ(child<QPushButton>(dialog, "sendToClipboard")->text(), "Contents 3");
    EXPECT_EQ(child<QPushButton>(dialog, "close")->text(), "Contents 4");
    EXPECT_EQ(child<QPushButton>(dialog, "stop")->text(), "Contents 7");
    EXPECT_TRUE(child<QRadioButton>(dialog, "spacingLarge")->isChecked());
    EXPECT_EQ(dialog.displayList(),
              QStringList({"[ALPHA]", "[BETA]", "[GAMMA]", "cover.jpg" + spaces(33) + " (7 bytes)"}));
    // The folder box shows the chain down to the folder, then its subfolders.
    auto* box = child<QTreeWidget>(dialog, "folderBox");
    EXPECT_EQ(box->currentItem()->text(0), QFileInfo(tree.root()).fileName());
    EXPECT_EQ(box->currentItem()->childCount(), 3);
    EXPECT_EQ(box->topLevelItem(0)->text(0), "/");
}

TEST_F(ContentsDialogTest, EveryControlHasAnObjectAndAnAccessibleName)
{
    ContentsDialog dialog;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(w) || !w->focusPolicy() || w->objectName().startsWith("qt_"))
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(w);
        EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
        EXPECT_FALSE(w->accessibleName().isEmpty() && !(button && !button->text().isEmpty()))
            << w->objectName().toStdString();
    }
}

TEST_F(ContentsDialogTest, SendsTheLinesWithCrLfBetweenThemAndCloses)
{
    SetClipboardText("before");
    ContentsDialog dialog;
    dialog.show();
    child<QRadioButton>(dialog, "spacingSmall")->click();
    child<QPushButton>(dialog, "sendToClipboard")->click();
    EXPECT_EQ(ClipboardText(), "[ALPHA]\r\n[BETA]\r\n[GAMMA]\r\ncover.jpg" + spaces(13) + " (7 bytes)");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ContentsDialogTest, AnEmptyListIsNotSentAndTheDialogStays)
{
    ASSERT_TRUE(tree.folder("Alpha/empty"));
    SetClipboardText("before");
    ContentsDialog dialog;
    dialog.show();
    ASSERT_TRUE(dialog.setCurrentFolder(tree.path("Alpha/empty")));
    EXPECT_TRUE(dialog.displayList().isEmpty());
    child<QPushButton>(dialog, "sendToClipboard")->click();
    EXPECT_EQ(dialogs.texts(), QStringList{"Message 2"});
    EXPECT_EQ(dialogs.shown.at(0).icon, MsgIcon::Exclamation);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(ClipboardText(), "before");
}

TEST_F(ContentsDialogTest, SizesMoveWithTheSpacingAndGoWithTheFolder)
{
    ContentsDialog dialog;
    dialog.show();
    auto* panel = child<SizePanel>(dialog, "sizePanel");
    bool panelShown = false;
    QTimer::singleShot(0, &dialog, [&] { panelShown = panel->isVisible() && !child<QPushButton>(dialog, "close")->isEnabled(); });
    child<QPushButton>(dialog, "getSizes")->click();
    EXPECT_TRUE(panelShown);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(child<QPushButton>(dialog, "close")->isEnabled());
    EXPECT_EQ(dialog.displayList().mid(0, 3), QStringList({"[ALPHA]" + spaces(35) + " (1000 bytes)",
                                                           "[BETA]" + spaces(36) + " (2.00 KB)",
                                                           "[GAMMA]" + spaces(35) + " (5 bytes)"}));
    child<QRadioButton>(dialog, "spacingMedium")->click();
    EXPECT_EQ(dialog.displayList().at(1), "[BETA]" + spaces(26) + " (2.00 KB)");

    // Into a subfolder and back: the sizes are gone.
    auto* box = child<QTreeWidget>(dialog, "folderBox");
    activate(box, folderItem(box, "Beta"));
    EXPECT_EQ(dialog.currentFolder(), tree.path("Beta"));
    EXPECT_EQ(dialog.displayList(), QStringList({"[C]", "b.mp3" + spaces(27) + " (1.95 KB)"}));
    activate(box, folderItem(box, QFileInfo(tree.root()).fileName()));
    EXPECT_EQ(dialog.currentFolder(), tree.root());
    EXPECT_EQ(dialog.displayList().at(1), "[BETA]");
}

TEST_F(ContentsDialogTest, StopLeavesTheFoldersAfterTheCurrentOneWithoutSizes)
{
    ContentsDialog dialog;
    dialog.show();
    // The first breath schedules a click on "Stop!" for the next one, which comes
    // while the second folder is shown.
    QTimer::singleShot(0, &dialog, [&] {
        QTimer::singleShot(0, &dialog, [&] { child<QPushButton>(dialog, "stop")->click(); });
    });
    child<QPushButton>(dialog, "getSizes")->click();
    EXPECT_EQ(dialog.displayList().mid(0, 3),
              QStringList({"[ALPHA]" + spaces(35) + " (1000 bytes)", "[BETA]", "[GAMMA]"}));
    child<QRadioButton>(dialog, "spacingSmall")->click();
    EXPECT_EQ(dialog.displayList().at(0), "[ALPHA]");
}

TEST_F(ContentsDialogTest, ClosingDuringASizeRunStopsIt)
{
    ContentsDialog dialog;
    dialog.show();
    QTimer::singleShot(0, &dialog, [&] { child<QPushButton>(dialog, "close")->setEnabled(true); dialog.reject(); });
    child<QPushButton>(dialog, "getSizes")->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.displayList().mid(1, 2), QStringList({"[BETA]", "[GAMMA]"}));
}

TEST_F(ContentsDialogTest, AFolderThatVanishedIsNamedAndTheListingStays)
{
    ContentsDialog dialog;
    dialog.show();
    const QStringList before = dialog.displayList();
    ASSERT_TRUE(QDir(tree.path("Gamma")).removeRecursively());
    auto* box = child<QTreeWidget>(dialog, "folderBox");
    activate(box, folderItem(box, "Gamma"));
    EXPECT_EQ(dialog.currentFolder(), tree.root());
    EXPECT_EQ(dialog.displayList(), before);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(tree.path("Gamma") + "\n\n"));
    EXPECT_EQ(dialogs.shown[0].title, "Path is invalid");
}

} // namespace
