#include "editor/text_box.h"

#include "editor/edit_modes.h"
#include "render/display_lines.h"
#include "render/drawing_surface.h"
#include "render/sheet_geometry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <functional>

#include "editor_fixture.h"

namespace {

struct Slot {
    const char* mode; // the switch of the edit mode
    const char* box;
    const char* enable; // the box that switches the text on, if any
    QString CoverDocument::*text;
    bool back;
};
const Slot kSlots[] = {{"EditContents", "ContentsBox", nullptr, &CoverDocument::Contents, true},
                       {"EditInnerText", "InnerTextBox", "sfText2", &CoverDocument::FrontText1, false},
                       {"EditOuterText", "OuterTextBox", "sfText", &CoverDocument::FrontText2, false}};

class TextBoxes : public EditorTest {
protected:
    bool printable(const Slot& slot) const { return slot.back ? editor->backPrintable() : editor->frontPrintable(); }

    // The contents box in a font whose lines break well within the text area.
    SheetTextBox* contentsBox()
    {
        control<QComboBox>("Fontname2")->setCurrentText("DejaVu Sans");
        control<QCheckBox>("EditContents")->setChecked(true);
        return control<SheetTextBox>("ContentsBox");
    }
    QStringList drawnLines()
    {
        const QFont font = coverFont(doc().Fontname2, leadingNumber(doc().Fontsize2), false, false);
        return displayLines(doc().Contents, font, contentsTextArea(doc()).width());
    }
};

TEST_F(TextBoxes, AnEditModeShowsItsBoxAndStopsItsSheetPrinting)
{
    for (const Slot& slot : kSlots) {
        auto* mode = control<QCheckBox>(slot.mode);
        auto* box = control<SheetTextBox>(slot.box);
        EXPECT_TRUE(box->isHidden()) << slot.box;
        mode->setChecked(true);
        EXPECT_FALSE(box->isHidden()) << slot.box;
        EXPECT_EQ(editor->focusWidget(), box) << slot.box;
        EXPECT_FALSE(printable(slot)) << slot.box;
        // The other sheet stays printable.
        EXPECT_TRUE(slot.back ? editor->frontPrintable() : editor->backPrintable()) << slot.box;

        scribbleOnPreviews();
        mode->setChecked(false);
        EXPECT_TRUE(box->isHidden()) << slot.box;
        EXPECT_TRUE(printable(slot)) << slot.box;
        EXPECT_EQ(redrawn(), slot.back ? "back" : "front") << slot.box;
    }
    // Either front text being edited keeps the front from printing.
    control<QCheckBox>("EditInnerText")->setChecked(true);
    control<QCheckBox>("EditOuterText")->setChecked(true);
    control<QCheckBox>("EditInnerText")->setChecked(false);
    EXPECT_FALSE(editor->frontPrintable());
}

TEST_F(TextBoxes, LeavingAFrontTextSwitchesItOnWhenItHoldsText)
{
    for (const Slot& slot : kSlots) {
        if (!slot.enable)
            continue;
        for (const QString typed : {"", "Notes"}) {
            control<QCheckBox>(slot.enable)->setChecked(false);
            control<QCheckBox>(slot.mode)->setChecked(true);
            auto* box = control<SheetTextBox>(slot.box);
            box->selectAll();
            QTest::keyClick(box, Qt::Key_Delete);
            QTest::keyClicks(box, typed);
            EXPECT_EQ(doc().*slot.text, typed);
            control<QCheckBox>(slot.mode)->setChecked(false);
            EXPECT_EQ(control<QCheckBox>(slot.enable)->isChecked(), !typed.isEmpty()) << slot.box;
        }
    }
}

TEST_F(TextBoxes, TypedLinesBreakWhereTheSheetBreaksThem)
{
    SheetTextBox* box = contentsBox();
    doc().saved = true;
    QTest::keyClicks(box, "01 Overture and the long awaited beginning of everything that follows here 4:12");
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, "02 Supercalifragilisticexpialidociousandthensomemoreletterswithoutanyspace 3:01");
    EXPECT_FALSE(doc().saved);
    EXPECT_EQ(doc().Contents, "01 Overture and the long awaited beginning of everything that follows here 4:12\r\n"
                              "02 Supercalifragilisticexpialidociousandthensomemoreletterswithoutanyspace 3:01");
    const QStringList lines = drawnLines();
    EXPECT_GE(lines.size(), 4); // both lines wrap
    EXPECT_EQ(box->lines(), lines);

    // A wider area (smaller margins) takes the breaks along.
    control<QSpinBox>("leftmargin")->setValue(0);
    EXPECT_EQ(box->lines(), drawnLines());
    control<QComboBox>("Fontsize2")->setCurrentText("8");
    EXPECT_EQ(box->lines(), drawnLines());
}

TEST_F(TextBoxes, DeletingAtABreakDeletesTheTextBeyondIt)
{
    SheetTextBox* box = contentsBox();
    QTest::keyClicks(box, QString(6, 'w') + " " + QString(200, 'x'));
    const QStringList before = box->lines();
    ASSERT_GE(before.size(), 2);
    // At the start of the second line, behind the break.
    QTextCursor cursor = box->textCursor();
    cursor.setPosition(int(before[0].size()) + 1);
    box->setTextCursor(cursor);
    QTest::keyClick(box, Qt::Key_Backspace);
    EXPECT_EQ(doc().Contents, QString(6, 'w') + QString(200, 'x'));
    EXPECT_EQ(box->lines(), drawnLines());

    // Copied text carries no break marks.
    box->selectAll();
    box->copy();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), doc().Contents);
}

TEST_F(TextBoxes, BoxesLieOnTheirAreasInTheirTextsLook)
{
    struct Place {
        const char* box;
        const char* top;
        const char* left;
        std::function<QRectF(const CoverDocument&)> area;
        bool back;
    };
    const Place places[] = {{"ContentsBox", "topmargin", "leftmargin", contentsTextArea, true},
                            {"InnerTextBox", "fTMargin2", "fLMargin2", innerTextArea, false},
                            {"OuterTextBox", "fTMargin", "fLMargin", outerTextArea, false}};
    for (const Place& place : places) {
        auto* box = control<SheetTextBox>(place.box);
        const QRect before = box->geometry();
        control<QSpinBox>(place.top)->setValue(10);
        control<QSpinBox>(place.left)->setValue(0);
        const QRectF area = place.area(doc());
        EXPECT_DOUBLE_EQ(area.top() - place.area(CoverDocument()).top(), 8) << place.box; // from 2 to 10
        EXPECT_EQ(box->geometry(), (place.back ? backPreview() : frontPreview())->toPixels(area)) << place.box;
        EXPECT_LT(box->height(), before.height()) << place.box;
        EXPECT_GT(box->width(), before.width()) << place.box;
    }

    dialogs.colors = {0x0000FF, 0x00FF00};
    control<QAbstractButton>("BackColor")->click();
    control<QAbstractButton>("ForeColor2")->click();
    control<QComboBox>("Fontname2")->setCurrentText("Liberation Mono");
    const SheetTextBox* contents = control<SheetTextBox>("ContentsBox");
    EXPECT_EQ(contents->palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(contents->palette().color(QPalette::Text), QColor(Qt::green));
    EXPECT_EQ(contents->font().family(), "Liberation Mono");
    // A cancelled colour dialog changes nothing.
    scribbleOnPreviews();
    control<QAbstractButton>("BackColor")->click();
    EXPECT_EQ(doc().BackColor, 0x0000FF);
    EXPECT_EQ(redrawn(), "none");
}

} // namespace
