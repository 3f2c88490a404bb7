#include "shell/progress.h"

#include "shell/app_state.h"

#include <QCoreApplication>

namespace {
ProgressWindowHost* g_host = nullptr;
ProgressView* g_progress = nullptr;
TraceLog* g_log = nullptr;
} // namespace

void setProgressWindowHost(ProgressWindowHost* host) { g_host = host; }

void ShowProgressWindow(ProgressMode mode)
{
    if (g_host)
        g_host->showProgressWindow(mode);
}

void UnloadProgressWindow()
{
    if (g_host)
        g_host->unloadProgressWindow();
}

void setProgressView(ProgressView* view) { g_progress = view; }

bool progressWindowOpen() { return g_progress != nullptr; }

void SetProgressStatus(const QString& text)
{
    if (g_progress)
        g_progress->setStatus(text);
}

void setTraceLog(TraceLog* log) { g_log = log; }

bool logWindowOpen() { return g_log != nullptr; }

void ShowInLog(const QString& StrTxt)
{
    if (!app::debugMode)
        return;
    if (!g_log && g_host)
        g_host->showLogWindow();
    if (g_log)
        g_log->append(StrTxt);
}

void ProcessPendingEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}
