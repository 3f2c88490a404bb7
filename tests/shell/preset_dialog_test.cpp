#include "shell/preset_dialog.h"

#include "shell/user_settings.h"

#include <QListWidget>
#include <QPushButton>

#include "preset_fixture.h"

namespace {

class PresetDialogTest : public PresetFolders {
protected:
    QStringList items(PresetDialog& d) const
    {
        QStringList t;
        auto* list = d.findChild<QListWidget*>("PresetList");
        for (int i = 0; i < list->count(); ++i)
            t << list->item(i)->text() + (list->item(i)->isSelected() ? "*" : "");
        return t;
    }
    void click(PresetDialog& d, const char* button) { d.findChild<QPushButton*>(button)->click(); }
    void select(PresetDialog& d, int row) { d.findChild<QListWidget*>("PresetList")->setCurrentRow(row); }
};

TEST_F(PresetDialogTest, ButtonsActOnTheSelectedPreset)
{
    ASSERT_TRUE(writeFile(shipped("Rock.ini"), "[LastCover]\r\nBackColor=255\r\n"));
    settings::setPreset("ROCK");
    PresetDialog dialog(ctx);
    EXPECT_EQ(dialog.windowTitle(), text(6));
    for (const auto& [name, entry] : {std::pair("cmdApply", 4), {"cmdSave", 3}, {"cmdRename", 2}, {"cmdDelete", 1},
                                      {"cmdClose", 5}})
        EXPECT_EQ(dialog.findChild<QPushButton*>(name)->text(), text(entry)) << name;
    EXPECT_EQ(items(dialog), QStringList({"default", "Rock*"}));

    dialogs.inputs = {"Blues"};
    click(dialog, "cmdSave");
    EXPECT_EQ(items(dialog), QStringList({"Blues", "default", "Rock*"}));
    select(dialog, 0);
    dialogs.inputs = {"Soul"};
    click(dialog, "cmdRename");
    EXPECT_EQ(items(dialog), QStringList({"default", "Rock*", "Soul"}));
    select(dialog, 2);
    click(dialog, "cmdDelete");
    EXPECT_EQ(items(dialog), QStringList({"default", "Rock*"}));

    click(dialog, "cmdApply");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(doc.BackColor, 255);
    EXPECT_EQ(settings::preset(), "Rock");
}

TEST_F(PresetDialogTest, ClosingWithoutASelectionMakesDefaultCurrent)
{
    settings::setPreset("gone");
    PresetDialog dialog(ctx);
    EXPECT_EQ(items(dialog), QStringList({"default"}));
    click(dialog, "cmdClose");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(settings::preset(), "default");
}

} // namespace
