#include "shell/user_settings.h"

#include <QAction>
#include <QListWidget>
#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include <functional>

#include "archive/zip_fixtures.h"
#include "editor_fixture.h"

namespace {

class FileLists : public EditorTest {
protected:
    QAction* action(const char* name) const { return control<QAction>(name); }
    // The File menu's recent entries: number and full path.
    QStringList recent() const
    {
        QStringList shown;
        for (QAction* entry : editor->fileMenu()->actions()) {
            if (entry->objectName().startsWith("mResent") && !entry->isSeparator())
                shown << entry->text().section(' ', 0, 0) + ' ' + entry->data().toString()
                             + (entry->isVisible() ? "" : " (hidden)");
        }
        return shown;
    }
};

TEST_F(FileLists, SavedAndOpenedCoversAreListedAndReopened)
{
    dialogs.files = {path("a.vrz"), path("b.vrz")};
    action("mSaveAs")->trigger();
    action("mSaveAs")->trigger();
    EXPECT_EQ(recent(), QStringList({"0 " + path("b.vrz"), "1 " + path("a.vrz")}));
    editor->fileMenu()->findChild<QAction*>("mResent1")->trigger(); // opens a.vrz
    EXPECT_EQ(doc().currentFile, path("a.vrz"));
    EXPECT_EQ(recent().first(), "0 " + path("a.vrz"));
    action("mShowResent")->trigger();
    EXPECT_EQ(recent(), QStringList({"0 " + path("a.vrz") + " (hidden)", "1 " + path("b.vrz") + " (hidden)"}));
    dialogs.answers = {MsgResult::Cancel};
    action("mClearResent")->trigger();
    action("mClearResent")->trigger();
    EXPECT_EQ(dialogs.texts(), QStringList(2, Lang(LangSection::Menu, 28)));
    EXPECT_TRUE(recent().isEmpty());
}

TEST_F(FileLists, NewCoversTakeThePresetAndTheDialogAppliesOne)
{
    ASSERT_TRUE(QDir(home.path()).mkpath("presets"));
    ASSERT_TRUE(fixtures::writeFile(path("presets/Rock.ini"), "[LastCover]\r\nBackColor=255\r\n")
                && fixtures::writeFile(path("presets/default.ini"), "[LastCover]\r\nBackColor=65280\r\n"));
    settings::setPreset("Rock");
    action("mNew")->trigger();
    EXPECT_EQ(doc().BackColor, 255);
    EXPECT_TRUE(doc().saved);
    // Start-up gives the first cover the preset too; the dialog applies another.
    EditorWindow second(printers);
    second.load();
    EXPECT_EQ(second.document().BackColor, 255);
    // The dialog opens on the current preset; "Use selected" applies another.
    const auto useDialog = [this](std::function<void(QWidget*, QListWidget*)> act) {
        QTimer::singleShot(0, [act] {
            QWidget* dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            act(dialog, dialog->findChild<QListWidget*>("PresetList"));
        });
        action("mPreset")->trigger();
    };
    useDialog([](QWidget* dialog, QListWidget* list) {
        EXPECT_EQ(dialog->windowTitle() + list->currentItem()->text(), Lang(LangSection::Preset, 6) + "Rock");
        list->setCurrentRow(0); // "default"
        dialog->findChild<QPushButton*>("cmdApply")->click();
    });
    EXPECT_EQ(doc().BackColor, 65280);
    EXPECT_EQ(settings::preset(), "default");
    // Closing it without a selection makes "default" the current preset.
    settings::setPreset("gone");
    useDialog([](QWidget* dialog, QListWidget* list) {
        EXPECT_EQ(list->currentItem(), nullptr);
        dialog->findChild<QPushButton*>("cmdClose")->click();
    });
    EXPECT_EQ(settings::preset(), "default");
}

TEST_F(FileLists, ExportedSettingsImportAsACoverWithoutAFile)
{
    doc().Text = "label";
    dialogs.files = {path("a.vrz"), path("old"), path("old.vrc")};
    action("mSaveAs")->trigger();
    action("mExport")->trigger();
    action("mNew")->trigger();
    action("mImport")->trigger();
    EXPECT_EQ(doc().Text, "label");
    EXPECT_TRUE(doc().currentFile.isEmpty());
    EXPECT_EQ(editor->windowTitle(), Lang(LangSection::Messages, 27) + "[*]");
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join('|').toStdString();
}

} // namespace
