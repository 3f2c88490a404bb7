#include "shell/progress.h"

#include "shell/app_state.h"

#include <QCoreApplication>

namespace {
ProgressView* g_progress = nullptr;
TraceLog* g_log = nullptr;
} // namespace

void setProgressView(ProgressView* view) { g_progress = view; }

bool progressWindowOpen() { return g_progress != nullptr; }

void SetProgressStatus(const QString& text)
{
    if (g_progress)
        g_progress->setStatus(text);
}

void setTraceLog(TraceLog* log) { g_log = log; }

void ShowInLog(const QString& StrTxt)
{
    if (app::debugMode && g_log)
        g_log->append(StrTxt);
}

void ProcessPendingEvents()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}
