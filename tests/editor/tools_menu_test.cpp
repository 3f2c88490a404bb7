#include "editor_fixture.h"

#include "about/about_box.h"
#include "about/text_scroller.h"
#include "capture/capture_window.h"
#include "contents/contents_dialog.h"
#include "shell/startup.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QTimer>

namespace {

using ToolsMenu = EditorTest;

// Triggers a menu entry whose window is modal; look runs on that window while it is up.
template <typename Window>
bool opensModally(QAction* entry, const std::function<void(Window*)>& look)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<Window*>(QApplication::activeModalWidget());
        seen = window != nullptr;
        if (window) {
            look(window);
            window->reject();
        }
    });
    entry->trigger();
    return seen;
}

TEST_F(ToolsMenu, OpensTheContentsDialogTheColourPickerAndTheAboutBox)
{
    const auto entry = [this](const char* name) { return control<QMenuBar>("MenuBar")->findChild<QAction*>(name); };
    EXPECT_TRUE(opensModally<ContentsDialog>(entry("mGetContents"), [](ContentsDialog* dialog) {
        EXPECT_EQ(dialog->currentFolder(), QDir::currentPath());
    }));
    EXPECT_TRUE(opensModally<AboutBox>(entry("mAbout"), [](AboutBox* box) {
        EXPECT_EQ(box->scroller()->Text(), app::title() + aboutText());
        EXPECT_TRUE(box->scroller()->IsScrolling());
    }));

    // The picker is not modal, and there is one of it however often it is asked for.
    entry("mColorCapture")->trigger();
    entry("mColorCapture")->trigger();
    QList<ColorCaptureWindow*> pickers;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* picker = qobject_cast<ColorCaptureWindow*>(w); picker && picker->isVisible())
            pickers << picker;
    }
    ASSERT_EQ(pickers.size(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    delete pickers.first();
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
