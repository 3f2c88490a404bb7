#pragma once

#include <QString>

struct CoverPicture;

// Whether a picture can be exported: its reference names an existing file (a removed
// picture's "none" names none).
bool canExportPicture(const CoverPicture& picture);

// Asks for a target file, starting in folder (the last picture folder) with the name of
// the picture file at path proposed, and copies the file there byte for byte, replacing a
// target after the user agreed. folder becomes the target's folder. A cancelled dialog or
// question ends quietly; a copy that fails is reported with its reason and leaves an
// existing target as it was. True when the picture was copied.
bool SavePictureTo(const QString& path, QString& folder);
