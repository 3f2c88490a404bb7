#pragma once

class QString;

// Opens a local file in the program the desktop uses for it (a help page in the web
// browser). False when no program could be started.
bool openWithDesktop(const QString& path);
