#pragma once

#include <QString>

// The values kept between runs, each with its default for a user who never ran the
// program. Truth values are stored as the text "True" or "False".
namespace settings {

// True until the user has accepted the first-use notice.
bool notFirstUse();
void setNotFirstUse(bool value);

// Base name of the language file; "english" by default.
QString language();
void setLanguage(const QString& name);

// Folders the file and picture dialogs open in; the desktop folder (or nothing) by default.
QString lastPath();
void setLastPath(const QString& folder);
QString lastPicturePath();
void setLastPicturePath(const QString& folder);

// Whether the recent files are listed in the File menu; true by default.
bool showres();
void setShowres(bool value);

// Base name of the preset applied to new covers; "default" by default.
QString preset();
void setPreset(const QString& name);

// "True" or "False".
QString truthText(bool value);
// Reads a stored truth value the way the text converts: "True"/"False" in any case,
// or a number (zero is false). Any other text gives fallback.
bool truthValue(const QString& text, bool fallback);

} // namespace settings
