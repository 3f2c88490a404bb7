#include "shell/preset_dialog.h"

#include "shell/user_settings.h"

#include <QListWidget>
#include <QPushButton>

#include "preset_fixture.h"

namespace {

class PresetDialogTest : public PresetFolders {
protected:
    void SetUp() override
    {
        PresetFolders::SetUp();
        ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\nBackColor=255\r\n"));
        ASSERT_TRUE(writeFile(shipped("Jazz.ini"), "[LastCover]\r\nBackColor=65280\r\n"));
    }
    QListWidget* list(PresetDialog& d) { return d.findChild<QListWidget*>("PresetList"); }
    void click(PresetDialog& d, const char* button) { d.findChild<QPushButton*>(button)->click(); }
    QStringList items(PresetDialog& d)
    {
        QStringList t;
        for (int i = 0; i < list(d)->count(); ++i)
            t << list(d)->item(i)->text();
        return t;
    }
};

TEST_F(PresetDialogTest, ShowsTheLanguagesCaptionsAndSelectsTheCurrentPreset)
{
    settings::setPreset("ROCK");
    PresetDialog dialog(ctx);
    EXPECT_EQ(dialog.windowTitle(), presetText(6));
    const std::pair<const char*, int> buttons[] = {
        {"cmdApply", 4}, {"cmdSave", 3}, {"cmdRename", 2}, {"cmdDelete", 1}, {"cmdClose", 5}};
    for (const auto& [name, entry] : buttons) {
        auto* button = dialog.findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), presetText(entry)) << name;
    }
    EXPECT_EQ(items(dialog), QStringList({"default", "Jazz", "Rock"}));
    ASSERT_NE(list(dialog)->currentItem(), nullptr);
    EXPECT_EQ(list(dialog)->currentItem()->text(), "Rock");
    EXPECT_FALSE(list(dialog)->accessibleName().isEmpty());
}

TEST_F(PresetDialogTest, UseSelectedAppliesAndCloses)
{
    PresetDialog dialog(ctx);
    list(dialog)->setCurrentRow(2);
    click(dialog, "cmdApply");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc.BackColor, 255);
    EXPECT_EQ(settings::preset(), "Rock");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PresetDialogTest, ListFollowsSaveRenameAndDelete)
{
    PresetDialog dialog(ctx);
    dialogs.inputs = {"Blues"};
    click(dialog, "cmdSave");
    EXPECT_EQ(items(dialog), QStringList({"Blues", "default", "Jazz", "Rock"}));

    list(dialog)->setCurrentRow(0);
    dialogs.inputs = {"Soul"};
    click(dialog, "cmdRename");
    EXPECT_EQ(items(dialog), QStringList({"default", "Jazz", "Rock", "Soul"}));

    list(dialog)->setCurrentRow(3);
    click(dialog, "cmdDelete"); // answered OK
    EXPECT_EQ(items(dialog), QStringList({"default", "Jazz", "Rock"}));
}

TEST_F(PresetDialogTest, ClosingWithoutASelectionMakesDefaultCurrent)
{
    settings::setPreset("gone");
    {
        PresetDialog dialog(ctx);
        EXPECT_EQ(list(dialog)->currentItem(), nullptr);
        EXPECT_TRUE(list(dialog)->selectedItems().isEmpty());
        click(dialog, "cmdClose");
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(settings::preset(), "default");

    settings::setPreset("Jazz");
    PresetDialog dialog(ctx);
    dialog.reject(); // Esc or the close box
    EXPECT_EQ(settings::preset(), "Jazz");
}

} // namespace
