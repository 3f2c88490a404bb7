#include "contents/contents_dialog.h"

#include "contents/size_panel.h"
#include "fake_dialogs.h"
#include "folder_tree.h"
#include "numbered_language.h"
#include "platform/clipboard.h"

#include "gtest_qt.h"

namespace {

// A language that numbers the dialog's captions, and a folder tree that the dialog
// opens on as the process's current folder.
class ContentsDialogTest : public ::testing::Test {
protected:
    NumberedLanguage language{{{"Messages", "Message"}, {"GetContents", "Contents"}}};
    FakeDialogs dialogs;
    FolderTree tree;
    QString previousFolder = QDir::currentPath();
    std::unique_ptr<ContentsDialog> dialog;

    void SetUp() override
    {
        ASSERT_TRUE(language.loaded());
        ASSERT_TRUE(tree.file("Alpha/a.mp3", 1000) && tree.file("Beta/b.mp3", 2000) && tree.file("Beta/c/d.mp3", 48)
                    && tree.file("Gamma/g", 5) && tree.file("Cover.JPG", 7));
        QDir::setCurrent(tree.root());
        dialog = std::make_unique<ContentsDialog>();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void TearDown() override
    {
        dialog.reset();
        QDir::setCurrent(previousFolder);
    }
    void click(const char* name) { dialog->findChild<QAbstractButton*>(name)->click(); }
    QTreeWidget* folderBox() { return dialog->findChild<QTreeWidget*>("folderBox"); }
    // A double click on a folder of the folder box.
    void open(const QString& text)
    {
        QTreeWidget* box = folderBox();
        const QList<QTreeWidgetItem*> found = box->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_FALSE(found.isEmpty()) << text.toStdString();
        const QPoint at = box->visualItemRect(found.first()).center();
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, at);
    }
};

TEST_F(ContentsDialogTest, OpensOnTheCurrentFolderAndSendsItsLinesWithCrLfBetween)
{
    EXPECT_EQ(dialog->currentFolder(), tree.root());
    EXPECT_EQ(dialog->windowTitle(), "Contents 1");
    for (const auto& [name, caption] : {std::pair{"getSizes", "Contents 2"}, {"sendToClipboard", "Contents 3"},
                                        {"close", "Contents 4"}, {"stop", "Contents 7"}})
        EXPECT_EQ(dialog->findChild<QAbstractButton*>(name)->text(), caption);
    EXPECT_EQ(dialog->displayList(),
              QStringList({"[ALPHA]", "[BETA]", "[GAMMA]", "cover.jpg" + spaces(33) + " (7 bytes)"}));
    EXPECT_EQ(folderBox()->currentItem()->childCount(), 3);
    click("spacingSmall");
    click("sendToClipboard");
    EXPECT_EQ(ClipboardText(), "[ALPHA]\r\n[BETA]\r\n[GAMMA]\r\ncover.jpg" + spaces(13) + " (7 bytes)");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ContentsDialogTest, AnEmptyListIsNotSentAndTheDialogStays)
{
    ASSERT_TRUE(tree.folder("Alpha/empty"));
    SetClipboardText("before");
    open("Alpha");
    open("empty");
    EXPECT_EQ(dialog->currentFolder(), tree.path("Alpha/empty"));
    EXPECT_TRUE(dialog->displayList().isEmpty());
    click("sendToClipboard");
    EXPECT_EQ(dialogs.texts(), QStringList{"Message 2"});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(ClipboardText(), "before");
}

TEST_F(ContentsDialogTest, SizesMoveWithTheSpacingAndGoWithTheFolder)
{
    auto* panel = dialog->findChild<SizePanel*>("sizePanel");
    bool panelShown = false;
    QTimer::singleShot(0, dialog.get(), [&] { panelShown = panel->isVisible(); });
    click("getSizes");
    EXPECT_TRUE(panelShown);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(dialog->displayList().mid(0, 3), QStringList({"[ALPHA]" + spaces(35) + " (1000 bytes)",
                                                            "[BETA]" + spaces(36) + " (2.00 KB)",
                                                            "[GAMMA]" + spaces(35) + " (5 bytes)"}));
    click("spacingMedium");
    EXPECT_EQ(dialog->displayList().at(1), "[BETA]" + spaces(26) + " (2.00 KB)");
    open("Beta");
    EXPECT_EQ(dialog->displayList(), QStringList({"[C]", "b.mp3" + spaces(27) + " (1.95 KB)"}));
}

TEST_F(ContentsDialogTest, StopOrCloseEndsASizeRunAtTheFolderShown)
{
    // The first breath schedules the click for the next one, while the second folder
    // is shown.
    QTimer::singleShot(0, dialog.get(), [&] { QTimer::singleShot(0, dialog.get(), [&] { click("stop"); }); });
    click("getSizes");
    EXPECT_EQ(dialog->displayList().mid(0, 3),
              QStringList({"[ALPHA]" + spaces(35) + " (1000 bytes)", "[BETA]", "[GAMMA]"}));
    QTimer::singleShot(0, dialog.get(), [&] { dialog->reject(); });
    click("getSizes");
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(dialog->displayList().mid(1, 2), QStringList({"[BETA]", "[GAMMA]"}));
}

TEST_F(ContentsDialogTest, AFolderThatVanishedIsNamedAndTheListingStays)
{
    const QStringList before = dialog->displayList();
    ASSERT_TRUE(QDir(tree.path("Gamma")).removeRecursively());
    open("Gamma");
    EXPECT_EQ(dialog->currentFolder(), tree.root());
    EXPECT_EQ(dialog->displayList(), before);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(tree.path("Gamma") + "\n\n"));
}

} // namespace
