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

// What the progress window shows: the start-up look, or one word for a long file operation.
enum class ProgressMode { Startup = 0, Importing = 1, Exporting = 2, Loading = 3, Saving = 4 };

// Opens and closes the windows on behalf of code that must not know about widgets.
class ProgressWindowHost {
public:
    virtual ~ProgressWindowHost() = default;
    virtual void showProgressWindow(ProgressMode mode) = 0;
    virtual void unloadProgressWindow() = 0;
    virtual void showLogWindow() = 0;
};

// The window program installs its host; without one, showing and unloading do nothing.
void setProgressWindowHost(ProgressWindowHost* host);
// Shows the progress window in the given mode.
void ShowProgressWindow(ProgressMode mode);
void UnloadProgressWindow();

// Shows the progress window in a mode and closes it however the operation ends.
class ProgressWindowScope {
public:
    explicit ProgressWindowScope(ProgressMode mode) { ShowProgressWindow(mode); }
    ~ProgressWindowScope() { UnloadProgressWindow(); }
    ProgressWindowScope(const ProgressWindowScope&) = delete;
    ProgressWindowScope& operator=(const ProgressWindowScope&) = delete;
};

// The progress window installs itself while it is loaded (the progress-window-open flag).
void setProgressView(ProgressView* view);
bool progressWindowOpen();
// Writes the status line only while the progress window is open.
void SetProgressStatus(const QString& text);

// The log window installs itself while it is open.
void setTraceLog(TraceLog* log);
bool logWindowOpen();
// Appends a trace line in debug mode, opening the log window first when it is closed;
// does nothing otherwise.
void ShowInLog(const QString& StrTxt);

// Lets pending window messages be processed (a no-op without an event loop).
void ProcessPendingEvents();
