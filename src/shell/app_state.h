#pragma once

#include <QString>

// Process-wide state shared by the shell, the renderers and the file commands.
// Everything runs on the one user-interface thread.
namespace app {

constexpr int kVersionMajor = 4;
constexpr int kVersionMinor = 0;
constexpr int kVersionRevision = 11;

// "/debug" on the command line: the title is marked and ShowInLog writes.
extern bool debugMode;
// The renderers draw nothing while this is off (start-up, applying a settings file).
extern bool viewEnabled;
// From the end of the editor's load until its unload.
extern bool editorReady;

// "Caseleaf v4.0 Rev. 11", with " - (DEBUGMODE!)" in debug mode.
QString title();
// The working folder holding the open cover's files, ending in "/": the one
// programPath names unless another one was set.
QString workingFolder();
// Points the working folder elsewhere (the command line's own temporary folder, so it
// can run beside an open program); an empty path restores programPath's.
void setWorkingFolder(const QString& folder);

} // namespace app
