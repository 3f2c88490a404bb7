#pragma once

#include <QString>

// The core's side of the progress and log windows: status lines and trace lines
// go to whatever window the program has installed, and nowhere in tests or on
// the command line.

class ProgressView {
public:
    virtual ~ProgressView() = default;
    virtual void setStatus(const QString& text) = 0;
};

class TraceLog {
public:
    virtual ~TraceLog() = default;
    virtual void append(const QString& line) = 0;
};

// The progress window installs itself while it is loaded (the progress-window-open flag).
void setProgressView(ProgressView* view);
bool progressWindowOpen();
// Writes the status line only while the progress window is open.
void SetProgressStatus(const QString& text);

void setTraceLog(TraceLog* log);
// Appends a trace line in debug mode; does nothing otherwise.
void ShowInLog(const QString& StrTxt);

// Lets pending window messages be processed (a no-op without an event loop).
void ProcessPendingEvents();
