#pragma once

class QString;

// Opens a local file in the program the desktop uses for it (a help page in the web
// browser). False when no program could be started.
bool openWithDesktop(const QString& path);
// Opens a web page or a mail address ("mailto:...") with the desktop's own program.
// False when the desktop could not open it.
bool OpenDocument(const QString& link);
