#include "render/display_lines.h"
#include "render/sheet_geometry.h"

#include "editor_fixture.h"

namespace {

class TextBoxes : public EditorTest {
protected:
    // The sheets that may be printed: "back", "front" or both.
    QString printable() const
    {
        return QString(editor->backPrintable() ? "back" : "") + (editor->frontPrintable() ? "front" : "");
    }
    // The contents box in a font whose lines break well within the text area.
    SheetTextBox* contentsBox()
    {
        control<QComboBox>("Fontname2")->setCurrentText("DejaVu Sans");
        control<QCheckBox>("EditContents")->setChecked(true);
        return box("ContentsBox");
    }
    QStringList drawnLines()
    {
        const QFont font = coverFont(doc().Fontname2, leadingNumber(doc().Fontsize2), false, false);
        return displayLines(doc().Contents, font, contentsTextArea(doc()).width());
    }
};

TEST_F(TextBoxes, AnEditModeShowsItsBoxAndStopsItsSheetPrinting)
{
    for (const EditedText& slot : kEditedTexts) {
        auto* mode = control<QCheckBox>(slot.mode);
        SheetTextBox* edited = box(slot.box);
        EXPECT_TRUE(edited->isHidden()) << slot.box;
        mode->setChecked(true);
        EXPECT_FALSE(edited->isHidden()) << slot.box;
        EXPECT_EQ(editor->focusWidget(), edited) << slot.box;
        EXPECT_EQ(printable(), slot.back ? "front" : "back") << slot.box; // the other sheet still prints

        scribbleOnPreviews();
        mode->setChecked(false);
        EXPECT_TRUE(edited->isHidden()) << slot.box;
        EXPECT_EQ(printable(), "backfront") << slot.box;
        EXPECT_EQ(redrawn(), slot.back ? "back" : "front") << slot.box;
    }
    // Either front text being edited keeps the front from printing.
    control<QCheckBox>("EditInnerText")->setChecked(true);
    control<QCheckBox>("EditOuterText")->setChecked(true);
    control<QCheckBox>("EditInnerText")->setChecked(false);
    EXPECT_EQ(printable(), "back");
}

TEST_F(TextBoxes, LeavingAFrontTextSwitchesItOnWhenItHoldsText)
{
    for (const EditedText& slot : kEditedTexts) {
        if (!slot.enable)
            continue;
        for (const QString typed : {"", "Notes"}) {
            control<QCheckBox>(slot.enable)->setChecked(false);
            control<QCheckBox>(slot.mode)->setChecked(true);
            box(slot.box)->selectAll();
            QTest::keyClick(box(slot.box), Qt::Key_Delete);
            QTest::keyClicks(box(slot.box), typed);
            EXPECT_EQ(doc().*slot.text, typed);
            control<QCheckBox>(slot.mode)->setChecked(false);
            EXPECT_EQ(control<QCheckBox>(slot.enable)->isChecked(), !typed.isEmpty()) << slot.box;
        }
    }
}

TEST_F(TextBoxes, TypedLinesBreakWhereTheSheetBreaksThem)
{
    SheetTextBox* contents = contentsBox();
    doc().saved = true;
    QTest::keyClicks(contents, "01 Overture and the long awaited beginning of everything that follows here 4:12");
    QTest::keyClick(contents, Qt::Key_Return);
    QTest::keyClicks(contents, "02 Supercalifragilisticexpialidociousandthensomemoreletterswithoutanyspace 3:01");
    EXPECT_FALSE(doc().saved);
    EXPECT_EQ(doc().Contents, "01 Overture and the long awaited beginning of everything that follows here 4:12\r\n"
                              "02 Supercalifragilisticexpialidociousandthensomemoreletterswithoutanyspace 3:01");
    const QStringList lines = drawnLines();
    EXPECT_GE(lines.size(), 4); // both lines wrap
    EXPECT_EQ(contents->lines(), lines);

    // A wider area (smaller margins) and a smaller font take the breaks along.
    control<QSpinBox>("leftmargin")->setValue(0);
    EXPECT_EQ(contents->lines(), drawnLines());
    control<QComboBox>("Fontsize2")->setCurrentText("8");
    EXPECT_EQ(contents->lines(), drawnLines());
}

TEST_F(TextBoxes, DeletingAtABreakDeletesTheTextBeyondIt)
{
    SheetTextBox* contents = contentsBox();
    QTest::keyClicks(contents, QString(6, 'w') + " " + QString(200, 'x'));
    const QStringList before = contents->lines();
    ASSERT_GE(before.size(), 2);
    // At the start of the second line, behind the break.
    QTextCursor cursor = contents->textCursor();
    cursor.setPosition(int(before[0].size()) + 1);
    contents->setTextCursor(cursor);
    QTest::keyClick(contents, Qt::Key_Backspace);
    EXPECT_EQ(doc().Contents, QString(6, 'w') + QString(200, 'x'));
    EXPECT_EQ(contents->lines(), drawnLines());

    // Copied text carries no break marks.
    contents->selectAll();
    contents->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), doc().Contents);
}

TEST_F(TextBoxes, BoxesLieOnTheirAreasInTheirTextsLook)
{
    const struct {
        const char* top;
        const char* left;
        std::function<QRectF(const CoverDocument&)> area;
    } places[] = {{"topmargin", "leftmargin", contentsTextArea},
                  {"fTMargin2", "fLMargin2", innerTextArea},
                  {"fTMargin", "fLMargin", outerTextArea}}; // in the order of kEditedTexts
    for (int i = 0; i < 3; ++i) {
        const EditedText& slot = kEditedTexts[i];
        SheetTextBox* edited = box(slot.box);
        control<QSpinBox>(places[i].top)->setValue(10);
        control<QSpinBox>(places[i].left)->setValue(0);
        const QRectF area = places[i].area(doc());
        EXPECT_DOUBLE_EQ(area.top() - places[i].area(CoverDocument()).top(), 8) << slot.box; // from 2 to 10
        EXPECT_EQ(edited->geometry(), (slot.back ? backPreview() : frontPreview())->toPixels(area)) << slot.box;
    }

    // Colours are stored as 0x00BBGGRR: blue in the file is red on the screen.
    dialogs.colors = {0x0000FF, 0x00FF00};
    control<QAbstractButton>("BackColor")->click();
    control<QAbstractButton>("ForeColor2")->click();
    control<QComboBox>("Fontname2")->setCurrentText("Liberation Mono");
    const SheetTextBox* contents = box("ContentsBox");
    EXPECT_EQ(QStringList({contents->palette().color(QPalette::Base).name(),
                           contents->palette().color(QPalette::Text).name(), contents->font().family()}),
              QStringList({"#ff0000", "#00ff00", "Liberation Mono"}));
    // A cancelled colour dialog changes nothing.
    scribbleOnPreviews();
    control<QAbstractButton>("BackColor")->click();
    EXPECT_EQ(doc().BackColor, 0x0000FF);
    EXPECT_EQ(redrawn(), "none");
}

} // namespace

TEST_F(TextBoxes, AHiddenBoxLaysOutItsTextOnlyWhenItsEditModeBegins)
{
    // Laying out a cover's texts at open would take minutes for a text of a million lines;
    // only the box being edited needs its lines.
    doc().Contents = "01 One\r\n02 Two\r03 Three";
    editor->documentReplaced();
    SheetTextBox* contents = box("ContentsBox");
    EXPECT_TRUE(contents->document()->isEmpty());
    EXPECT_EQ(contents->text(), "01 One\r\n02 Two\r\n03 Three");
    control<QCheckBox>("EditContents")->setChecked(true);
    EXPECT_EQ(contents->document()->blockCount(), 3);
    EXPECT_EQ(contents->text(), "01 One\r\n02 Two\r\n03 Three");
}
