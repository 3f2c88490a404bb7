#pragma once

#include <QString>
#include <QStringList>

class PrinterCatalog;

// The start-up checks that run before any window of the editor exists.

// arguments: the command line without the program name.
// "/debug" anywhere in the command line, in any letter case.
bool hasDebugSwitch(const QStringList& arguments);
// The cover file a start was asked to open, as an absolute path: the first argument that
// is neither the debug switch nor a toolkit option; empty when there is none.
QString coverPathArgument(const QStringList& arguments);

// The first-use notice, the about text, the printers, the progress window, the language
// and the working folder, in this order. False when the program has to quit; the
// reason has been shown by then.
bool RunFirstStage(const PrinterCatalog& printers);

// The credits read from the about text by the first stage.
QString aboutText();
