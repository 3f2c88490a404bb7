#pragma once

#include <QString>

// Opens a web page or a mail address ("mailto:...") with the desktop's own program.
// False when the desktop could not open it.
bool OpenDocument(const QString& link);
