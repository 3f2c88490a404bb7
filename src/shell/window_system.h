#pragma once

#include <QProcessEnvironment>
#include <QStringList>

#include <memory>

class QApplication;

// What a start of the window program says, on one line of standard error, when there is no
// window system to open it on; the program then ends with exit status 1.
extern const char* const kNoDisplayText;

// Whether the window system has been named: on X11 and Wayland systems a display
// (DISPLAY, WAYLAND_DISPLAY) or an explicit toolkit platform (QT_QPA_PLATFORM, "-platform").
// Always true elsewhere. arguments: the command line without the program name.
bool windowSystemNamed(const QProcessEnvironment& environment, const QStringList& arguments);

// Makes the application for the window. Without a window system it prints kNoDisplayText
// and gives null; when a named display does not answer, it prints the same and ends the
// program with status 1 instead of the toolkit's abort. The toolkit's messages while it
// starts are passed on only once it has started (at once with QT_DEBUG_PLUGINS set), so a
// failed start says one line.
std::unique_ptr<QApplication> startWindowSystem(int& argc, char** argv);
