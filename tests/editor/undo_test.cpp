
#include "editor_fixture.h"

namespace {

class Undo : public EditorTest {
protected:
    QUndoStack* history() const { return control<QUndoStack>(QString()); }
    void undo() const { action("mUndo")->trigger(); }
    void redo() const { action("mRedo")->trigger(); }
    QString undoCaption() const { return action("mUndo")->text().remove('&'); }
    // Makes the editor's history stand at a save of the cover.
    void save()
    {
        dialogs.files = {path("cover.vrz")};
        dialogs.answers = {MsgResult::Ok};
        action(doc().currentFile.isEmpty() ? "mSaveAs" : "mSave")->trigger();
        ASSERT_TRUE(doc().saved);
    }
};

TEST_F(Undo, UndoingRestoresTheDocumentAndTheControls)
{
    struct Step {
        const char* what;
        std::function<void()> edit;
        std::function<QString()> shown; // what the cover and the editor show, in one text
    };
    auto* size = control<QComboBox>("Fontsize");
    auto* face = control<QComboBox>("Fontname2");
    auto* contents = box("ContentsBox");
    auto* counter = control<QCheckBox>("Counter");
    const QString blue = picture("blue.png");
    const QString preset =
        written("preset.ini", "[LastCover]\r\nFontname2=Liberation Mono\r\nFontsize=48\r\nForeColor2=255\r\n");
    const Step steps[] = {
        {"Font size", [&] { size->setCurrentText("72"); }, [&] { return doc().Fontsize + "/" + size->currentText(); }},
        {"Edit contents",
         [&] {
             control<QCheckBox>("EditContents")->setChecked(true);
             QTest::keyClicks(contents, "Side A");
             control<QCheckBox>("EditContents")->setChecked(false);
         },
         [&] { return doc().Contents + "/" + contents->text(); }},
        {"Counter variable (%C)", [&] { counter->setChecked(false); },
         [&] { return QString::number(doc().Counter) + (control("CountFrom")->isEnabled() ? "/on" : "/off"); }},
        {"Picture: Insert",
         [&] {
             dialogs.files = {blue};
             control<QMenu>("BackPopup")->findChild<QAction*>("mPictureInsert")->trigger();
         },
         [&] { return doc().BackPicture.ref + (doc().BackPicture.image.isNull() ? "/none" : "/image"); }},
        {"Preset",
         [&] {
             editor->changeDocument("Preset", [&](CoverDocument& d) {
                 return LoadIniFile(d, preset, true, printers.fontFamilies());
             });
         },
         [&] { return doc().Fontname2 + "/" + face->currentText() + "/" + QString::number(doc().ForeColor2); }},
    };
    for (const Step& step : steps) {
        const QString before = step.shown();
        step.edit();
        const QString after = step.shown();
        ASSERT_NE(after, before) << step.what;
        EXPECT_EQ(undoCaption(), QString("Undo ") + step.what);
        undo();
        EXPECT_EQ(step.shown(), before) << step.what;
        EXPECT_EQ(action("mRedo")->text().remove('&'), QString("Redo ") + step.what);
        redo();
        EXPECT_EQ(step.shown(), after) << step.what;
    }
    // Undone in a row, back to the start, and the sheets show it.
    for (int i = 0; i < 5; ++i)
        undo();
    EXPECT_FALSE(action("mUndo")->isEnabled());
    EXPECT_EQ(QStringList({doc().Fontsize, doc().Contents, doc().Fontname2}), QStringList({"16", "", "Verdana"}));
    scribbleOnPreviews();
    redo();
    EXPECT_EQ(redrawn(), "back");
}

TEST_F(Undo, TypingIsOneStepUntilAPauseOrTheFocusMoves)
{
    control<QCheckBox>("EditContents")->setChecked(true);
    auto* contents = box("ContentsBox");
    QTest::keyClicks(contents, "Side");
    EXPECT_EQ(history()->count(), 1);
    QTest::qWait(1200);
    QTest::keyClicks(contents, " A");
    EXPECT_EQ(history()->count(), 2);
    // Into the label field and back: two more runs of typing.
    auto* label = control<QLineEdit>("Text");
    label->setFocus();
    QTest::keyClicks(label, "Vol");
    contents->setFocus();
    QTest::keyClicks(contents, "!");
    EXPECT_EQ(history()->count(), 4);
    EXPECT_EQ(doc().Contents, "Side A!");

    undo();
    EXPECT_EQ(doc().Contents, "Side A");
    EXPECT_EQ(contents->text(), "Side A");
    undo();
    EXPECT_EQ(doc().Text, "");
    EXPECT_EQ(label->text(), "");
    undo();
    EXPECT_EQ(doc().Contents, "Side");
    // Ctrl+Z in the box is the editor's undo, not the box's own.
    contents->setFocus();
    QTest::keyClick(contents, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().Contents, "");
}

TEST_F(Undo, UndoingToTheLastSaveMarksTheCoverSaved)
{
    save();
    EXPECT_FALSE(editor->isWindowModified());
    control<QCheckBox>("FlipLabels")->setChecked(true);
    EXPECT_FALSE(doc().saved);
    EXPECT_TRUE(editor->isWindowModified());
    EXPECT_TRUE(editor->windowTitle().startsWith("cover.vrz"));
    undo();
    EXPECT_TRUE(doc().saved);
    EXPECT_FALSE(editor->isWindowModified());
    redo();
    EXPECT_FALSE(doc().saved);
    // Saved after the change: undoing it leaves the saved state.
    save();
    undo();
    EXPECT_FALSE(doc().saved);
    EXPECT_TRUE(editor->isWindowModified());
    // Switching an edit mode on and off changes nothing.
    redo();
    control<QCheckBox>("EditContents")->setChecked(true);
    control<QCheckBox>("EditContents")->setChecked(false);
    EXPECT_TRUE(doc().saved);
}

TEST_F(Undo, OpenAndImportStartAFreshHistory)
{
    control<QLineEdit>("Text")->setText("label");
    control<QCheckBox>("FlipLabels")->setChecked(true);
    save();
    control<QLineEdit>("Text")->setText("");
    control<QCheckBox>("FlipLabels")->setChecked(false);
    EXPECT_EQ(history()->count(), 4);
    dialogs.answers = {MsgResult::No};
    editor->OpenSub(path("cover.vrz"));
    EXPECT_EQ(history()->count(), 0);
    EXPECT_TRUE(doc().saved);
    EXPECT_EQ(doc().Text + QString::number(doc().FlipLabels), "label1");

    // Exported settings come back as a cover without a file, texts and all.
    dialogs.files = {path("old"), path("old.vrc")};
    action("mExport")->trigger();
    action("mNew")->trigger();
    control<QCheckBox>("FlipLabels")->setChecked(false);
    ASSERT_EQ(history()->count(), 1);
    dialogs.answers = {MsgResult::No};
    dialogs.shown.clear();
    action("mImport")->trigger();
    EXPECT_EQ(history()->count(), 0);
    EXPECT_EQ(doc().Text + QString::number(doc().FlipLabels), "label1");
    EXPECT_TRUE(doc().currentFile.isEmpty());
    EXPECT_EQ(editor->windowTitle(), Lang(LangSection::Messages, 27) + "[*]");
    EXPECT_EQ(dialogs.shown.size(), 1u) << dialogs.texts().join('|').toStdString(); // the unsaved-changes question
}

} // namespace
