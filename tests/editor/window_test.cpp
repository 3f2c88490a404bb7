#include "render/sheet_geometry.h"

#include "editor_fixture.h"

namespace {

using Window = EditorTest;

TEST_F(Window, ZoomScalesThePreviewsAndTheirTextBoxes)
{
    control<QTabWidget>("MainTabs")->setCurrentIndex(1);
    const QSize trueSize = frontPreview()->size();
    SheetTextBox* outer = box("OuterTextBox");
    const QRect trueBox = outer->geometry();
    const double trueFont = outer->font().pointSizeF();
    for (int i = 0; i < 3; ++i) // 1.25, 1.5, 2
        action("mZoomIn")->trigger();
    ASSERT_DOUBLE_EQ(frontPreview()->zoom(), 2);
    EXPECT_NEAR(frontPreview()->width(), 2 * trueSize.width(), 2);
    EXPECT_NEAR(backPreview()->height(), 2 * backPreview()->truePixelsPerMm() * backsheet::kHeight, 2);
    EXPECT_NEAR(outer->geometry().left(), 2 * trueBox.left(), 2);
    EXPECT_NEAR(outer->geometry().width(), 2 * trueBox.width(), 2);
    // The text box's font grows with the sheet.
    EXPECT_NEAR(outer->font().pointSizeF(), 2 * trueFont, 0.01);

    action("mZoomActual")->trigger();
    EXPECT_EQ(frontPreview()->size(), trueSize);
    EXPECT_EQ(outer->geometry(), trueBox);
}

TEST_F(Window, FitShowsEachWholeSheetInItsSpace)
{
    editor->resize(1000, 700);
    control<QTabWidget>("MainTabs")->setCurrentIndex(1);
    action("mZoomFit")->trigger();
    EXPECT_TRUE(action("mZoomFit")->isChecked());
    for (const char* area : {"FrontPreviewArea", "BackPreviewArea"}) {
        control<QTabWidget>("MainTabs")->setCurrentIndex(QString(area).startsWith("Front") ? 1 : 0);
        QCoreApplication::processEvents();
        auto* scroll = control<QScrollArea>(area);
        const QSize space = scroll->maximumViewportSize();
        const QSize sheet = scroll->widget()->size();
        EXPECT_LE(sheet.width(), space.width()) << area;
        EXPECT_LE(sheet.height(), space.height()) << area;
        EXPECT_TRUE(sheet.width() >= space.width() - 3 || sheet.height() >= space.height() - 3) << area;
    }
    // It keeps fitting as the window changes, until another zoom is chosen.
    control<QTabWidget>("MainTabs")->setCurrentIndex(1);
    const QSize before = frontPreview()->size();
    editor->resize(1300, 760);
    QCoreApplication::processEvents();
    EXPECT_GT(frontPreview()->width(), before.width());
    action("mZoomIn")->trigger();
    EXPECT_FALSE(action("mZoomFit")->isChecked());
}

TEST_F(Window, TheUsualKeysAndTheWheelReachTheCommands)
{
    const std::pair<const char*, QKeySequence> keys[] = {
        {"mNew", QKeySequence::New},         {"mOpen", QKeySequence::Open},
        {"mSave", QKeySequence::Save},       {"mSaveAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {"mPrint", QKeySequence::Print},     {"mExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
        {"mHelp", QKeySequence::HelpContents}, {"mUndo", QKeySequence::Undo},
        {"mRedo", QKeySequence::Redo},       {"mRedo", QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {"mZoomIn", QKeySequence::ZoomIn},   {"mZoomOut", QKeySequence::ZoomOut},
        {"mZoomActual", QKeySequence(Qt::CTRL | Qt::Key_0)}};
    for (const auto& [name, key] : keys)
        EXPECT_TRUE(action(name)->shortcuts().contains(key)) << name << " " << key.toString().toStdString();

    // Typed on the keyboard: zoom in; Ctrl and the wheel zoom, the wheel alone scrolls.
    QTest::keyClick(editor.get(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(frontPreview()->zoom(), 1.25);
    const auto wheel = [this](Qt::KeyboardModifiers modifiers, int delta) {
        QWheelEvent event(QPointF(10, 10), frontPreview()->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(frontPreview(), &event);
    };
    wheel(Qt::ControlModifier, -120);
    wheel(Qt::ControlModifier, -120);
    wheel(Qt::NoModifier, 120);
    EXPECT_DOUBLE_EQ(frontPreview()->zoom(), 0.75);
    EXPECT_DOUBLE_EQ(backPreview()->zoom(), 0.75);
    // A change made in a field is undone and redone by the keys.
    auto* count = control<QLineEdit>("CountFrom");
    count->setFocus();
    QTest::keyClicks(count, "5");
    EXPECT_EQ(doc().CountFrom, "15");
    QTest::keyClick(count, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().CountFrom, "1");
    EXPECT_EQ(count->text(), "1");
    QTest::keyClick(count, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(doc().CountFrom, "15");
    // Esc still leaves the program.
    QSignalSpy exits(editor.get(), &EditorWindow::exitRequested);
    QTest::keyClick(count, Qt::Key_Escape);
    EXPECT_EQ(exits.count(), 1);
}

TEST_F(Window, EveryMenuEntryWorksAndHasAMnemonicOfItsOwnInBothLanguages)
{
    // Two changes, one undone: both undo and redo have something to do.
    control<QCheckBox>("FlipLabels")->setChecked(true);
    control<QCheckBox>("FlipLabels")->setChecked(false);
    action("mUndo")->trigger();
    auto* bar = control<QMenuBar>("MenuBar");
    int commands = 0;
    for (const char* language : {"German", "English"}) {
        chooseLanguage(language);
        QList<QMenu*> menus = editor->findChildren<QMenu*>();
        menus << nullptr; // the menu bar
        for (QMenu* menu : menus) {
            const QList<QAction*> entries = menu ? menu->actions() : bar->actions();
            std::set<QChar> letters;
            bool inBar = !menu; // else the menu is a pop-up one
            for (const QObject* up = menu; up; up = up->parent())
                inBar |= up == bar;
            for (const QAction* entry : entries) {
                const QString text = entry->text();
                if (entry->isSeparator() || entry->objectName().startsWith("mLang"))
                    continue;
                // No command waits, disabled or hidden, for a window to come.
                if (inBar && !entry->menu()) {
                    EXPECT_TRUE(entry->isVisible() && entry->isEnabled()) << text.toStdString();
                    ++commands;
                }
                const int mark = text.indexOf('&');
                ASSERT_GE(mark, 0) << language << ": " << text.toStdString();
                EXPECT_TRUE(letters.insert(text.at(mark + 1).toLower()).second)
                    << language << ": " << text.toStdString() << " repeats a letter";
            }
        }
    }
    EXPECT_EQ(commands, 2 * 23); // the menu bar's commands but the languages, in each language
}

TEST_F(Window, TabGoesThroughEachSettingsPageAsItReads)
{
    struct Page {
        int sheet;
        const char* tabs;
        const char* page;
        QStringList order;
    };
    // A group of options is one stop, at its first option; the arrow keys choose within it.
    const Page pages[] = {
        {0, "BackSettingsTabs", "TextTab",
         {"Fontname2", "Fontsize2", "FontItalic2", "FontBold2", "BackColor", "ForeColor2", "StretchToCutLines",
          "pCenter", "topmargin", "leftmargin"}},
        {1, "FrontSettingsTabs", "InnerTab",
         {"sfText2", "FrontFont2", "FrontFontSize2", "fFontBold2", "fFontItalic2", "fFontColor2", "fBackColor2",
          "fTMargin2", "fLMargin2", "InnerStretch", "fCenter1", "WriteLines", "LineNumbers", "LineSpace",
          "EditInnerText"}}};
    control<QAbstractButton>("CutToCutLines")->setChecked(true);
    control<QAbstractButton>("WriteLines")->setChecked(true);
    for (const Page& p : pages) {
        control<QTabWidget>("MainTabs")->setCurrentIndex(p.sheet);
        control<QTabWidget>(p.tabs)->setCurrentWidget(control(p.page));
        control(p.order.first())->setFocus();
        QStringList reached;
        for (int i = 0; i < p.order.size(); ++i) {
            QWidget* focus = editor->focusWidget();
            while (focus && focus->objectName().isEmpty())
                focus = focus->parentWidget(); // the line edit inside a spin box
            reached << (focus ? focus->objectName() : "none");
            QTest::keyClick(editor->focusWidget(), Qt::Key_Tab);
        }
        EXPECT_EQ(reached, p.order) << p.page;
    }
}

TEST_F(Window, AtTheSizeOfASmallLaptopEveryControlShowsWhole)
{
    expectEveryControlShowsWhole(QSize(1366, 768));
}

} // namespace
