#include "editor/editor_undo.h"

#include "document/settings_file.h"
#include "editor/text_box.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QUndoStack>

#include "editor_fixture.h"

namespace {

class Undo : public EditorTest {
protected:
    QUndoStack* history() const { return control<QUndoStack>(QString()); }
    QAction* action(const char* name) const { return control<QAction>(name); }
    void undo() const { action("mUndo")->trigger(); }
    void redo() const { action("mRedo")->trigger(); }
    QString undoCaption() const { return action("mUndo")->text().remove('&'); }
    QString picture()
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::green);
        EXPECT_TRUE(image.save(path("green.png")));
        return path("green.png");
    }
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
    auto* contents = control<SheetTextBox>("ContentsBox");
    auto* counter = control<QCheckBox>("Counter");
    const QString green = picture();
    const QString preset = path("preset.ini");
    {
        QFile file(preset);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[LastCover]\r\nFontname2=Liberation Mono\r\nFontsize=48\r\nForeColor2=255\r\n");
    }
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
             dialogs.files = {green};
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
    EXPECT_TRUE(redrawn(backPreview()));
    EXPECT_FALSE(redrawn(frontPreview()));
}

TEST_F(Undo, TypingIsOneStepUntilAPauseOrTheFocusMoves)
{
    control<QCheckBox>("EditContents")->setChecked(true);
    auto* box = control<SheetTextBox>("ContentsBox");
    QTest::keyClicks(box, "Side");
    EXPECT_EQ(history()->count(), 1);
    QTest::qWait(1200);
    QTest::keyClicks(box, " A");
    EXPECT_EQ(history()->count(), 2);
    // Into the label field and back: two more runs of typing.
    auto* label = control<QLineEdit>("Text");
    label->setFocus();
    QTest::keyClicks(label, "Vol");
    box->setFocus();
    QTest::keyClicks(box, "!");
    EXPECT_EQ(history()->count(), 4);
    EXPECT_EQ(doc().Contents, "Side A!");

    undo();
    EXPECT_EQ(doc().Contents, "Side A");
    EXPECT_EQ(box->text(), "Side A");
    undo();
    EXPECT_EQ(doc().Text, "");
    EXPECT_EQ(label->text(), "");
    undo();
    EXPECT_EQ(doc().Contents, "Side");
    // Ctrl+Z in the box is the editor's undo, not the box's own.
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
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

TEST_F(Undo, NewAndOpenStartAFreshHistory)
{
    control<QCheckBox>("FlipLabels")->setChecked(true);
    control<QComboBox>("Fontsize")->setCurrentText("8");
    save();
    EXPECT_EQ(history()->count(), 2);
    dialogs.answers = {MsgResult::No};
    action("mNew")->trigger();
    EXPECT_EQ(history()->count(), 0);
    EXPECT_FALSE(action("mUndo")->isEnabled());

    control<QCheckBox>("FlipLabels")->setChecked(false);
    dialogs.answers = {MsgResult::No};
    editor->OpenSub(path("cover.vrz"));
    EXPECT_EQ(history()->count(), 0);
    EXPECT_TRUE(doc().saved);
    EXPECT_EQ(doc().FlipLabels, 1);

    // An imported cover too.
    dialogs.files = {path("old")};
    action("mExport")->trigger();
    control<QCheckBox>("FlipLabels")->setChecked(false);
    ASSERT_EQ(history()->count(), 1);
    dialogs.answers = {MsgResult::No};
    dialogs.files = {path("old.vrc")};
    action("mImport")->trigger();
    EXPECT_EQ(history()->count(), 0);
    EXPECT_EQ(doc().FlipLabels, 1);
}

} // namespace
