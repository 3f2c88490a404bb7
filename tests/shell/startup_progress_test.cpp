#include "shell/progress_window.h"

#include "shell/app_state.h"
#include "shell/log_window.h"
#include "shell/progress.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

template <typename W>
W* topLevel(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && w->isVisible())
            return qobject_cast<W*>(w);
    }
    return nullptr;
}

void deleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class ProgressWindows : public ::testing::Test {
protected:
    void SetUp() override { installProgressWindows(); }
    void TearDown() override
    {
        UnloadProgressWindow();
        if (auto* log = topLevel<LogWindow>("LogWindow"))
            log->close();
        deleteClosedWindows();
        setProgressWindowHost(nullptr);
        app::debugMode = false;
    }
};

TEST_F(ProgressWindows, StartupLookShowsPictureVersionAndStatus)
{
    ShowProgressWindow(ProgressMode::Startup);
    auto* window = topLevel<ProgressWindow>("ProgressWindow");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(progressWindowOpen());
    auto* picture = window->findChild<QLabel*>("Picture");
    EXPECT_EQ(picture->pixmap().size(), QSize(220, 230));
    EXPECT_EQ(picture->text(), "");
    EXPECT_EQ(window->palette().color(QPalette::Window), QColor(156, 142, 123));
    EXPECT_TRUE(window->findChild<QLabel*>("Version")->isVisible());
    EXPECT_EQ(window->findChild<QLabel*>("Version")->text(), "4.0");
    EXPECT_EQ(window->findChild<QLabel*>("Status")->text(), "Initialising...");
    auto* focus = window->findChild<QTimer*>("FocusTimer");
    EXPECT_TRUE(focus->isActive());
    EXPECT_EQ(focus->interval(), 60);
}

TEST_F(ProgressWindows, LoadingModeShowsOneCentredWord)
{
    ShowProgressWindow(ProgressMode::Loading);
    auto* window = topLevel<ProgressWindow>("ProgressWindow");
    ASSERT_NE(window, nullptr);
    auto* picture = window->findChild<QLabel*>("Picture");
    EXPECT_EQ(picture->text(), "Loading...");
    EXPECT_TRUE(picture->pixmap().isNull());
    EXPECT_EQ(picture->alignment(), Qt::AlignCenter);
    EXPECT_EQ(picture->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(window->findChild<QLabel*>("Status")->text(), "Please wait...");
    EXPECT_FALSE(window->findChild<QLabel*>("Version")->isVisible());
}

TEST_F(ProgressWindows, EachFileOperationHasItsWord)
{
    const std::pair<ProgressMode, QString> words[] = {{ProgressMode::Importing, "Importing..."},
                                                      {ProgressMode::Exporting, "Exporting..."},
                                                      {ProgressMode::Saving, "Saving..."}};
    for (const auto& [mode, word] : words) {
        ShowProgressWindow(mode);
        auto* window = topLevel<ProgressWindow>("ProgressWindow");
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->findChild<QLabel*>("Picture")->text(), word);
        UnloadProgressWindow();
    }
}

TEST_F(ProgressWindows, UnloadResetsTheModeForTheNextStartupLook)
{
    ShowProgressWindow(ProgressMode::Loading);
    UnloadProgressWindow();
    EXPECT_FALSE(progressWindowOpen());
    EXPECT_EQ(progressMode(), ProgressMode::Startup);
    EXPECT_EQ(topLevel<ProgressWindow>("ProgressWindow"), nullptr);

    ShowProgressWindow(ProgressMode::Startup);
    auto* window = topLevel<ProgressWindow>("ProgressWindow");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->findChild<QLabel*>("Picture")->pixmap().isNull());
    EXPECT_TRUE(window->findChild<QLabel*>("Version")->isVisible());
}

TEST_F(ProgressWindows, StatusLinesReachTheWindowOnlyWhileItIsOpen)
{
    SetProgressStatus("before");
    EXPECT_EQ(topLevel<ProgressWindow>("ProgressWindow"), nullptr);
    ShowProgressWindow(ProgressMode::Startup);
    SetProgressStatus("Loading profile...");
    EXPECT_EQ(topLevel<ProgressWindow>("ProgressWindow")->findChild<QLabel*>("Status")->text(), "Loading profile...");
}

TEST_F(ProgressWindows, TraceLinesWithoutDebugModeOpenNoLog)
{
    app::debugMode = false;
    for (int i = 0; i < 5; ++i)
        ShowInLog(QStringLiteral("line %1").arg(i));
    EXPECT_EQ(topLevel<LogWindow>("LogWindow"), nullptr);
    EXPECT_FALSE(logWindowOpen());
}

TEST_F(ProgressWindows, TraceLinesInDebugModeOpenTheLog)
{
    app::debugMode = true;
    ShowInLog("Printer: Office laser");
    ShowInLog("NewPage");
    auto* log = topLevel<LogWindow>("LogWindow");
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->windowTitle(), "Trace-Log");
    EXPECT_EQ(log->text(), "Printer: Office laser\nNewPage\n");
}

TEST_F(ProgressWindows, ClosingTheLogDiscardsIt)
{
    app::debugMode = true;
    ShowInLog("old line");
    auto* log = topLevel<LogWindow>("LogWindow");
    ASSERT_NE(log, nullptr);
    log->close();
    // Before the closed window is gone, the next line already opens a fresh log.
    ShowInLog("new line");
    deleteClosedWindows();
    auto* fresh = topLevel<LogWindow>("LogWindow");
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(fresh->text(), "new line\n");
    EXPECT_TRUE(logWindowOpen());
}

} // namespace
