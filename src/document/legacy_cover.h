#pragma once

#include <QString>

struct CoverDocument;
struct CoverFileContext;
struct RelativePictureRefs;

// Covers as they were stored before the cover archive: a settings file "NAME.vrc",
// its texts in "NAME.vrc.txt" and the pictures beside them, named in the settings as
// "{file name}".

// Whether path names a legacy cover (".vrc" in any letter case).
bool isLegacyCoverName(const QString& path);
// The name a legacy cover is written under: ".vrc" added unless it ends so exactly.
QString legacySaveName(const QString& name);

// Copies the three pictures into the folder FilePath and gives their relative
// references. A different picture of the same name there is replaced only after
// asking. False when a picture was not copied (refused or failed, said already).
bool ExportImages(const CoverDocument& doc, const QString& FilePath, RelativePictureRefs& relative);

// Writes the cover as the legacy set name. Each file replaces its old one only once
// complete. True, and the cover saved, when all of it was written.
bool ExportLegacyFile(CoverFileContext& ctx, const QString& name);
// "Export cover settings": asks for the name, then ExportLegacyFile.
bool ExportCommand(CoverFileContext& ctx);

// Reads the legacy set name into the cover; its pictures stay where they are. The
// cover then has no file of its own, so that "Save..." asks for one. False when the
// file is missing, or its texts or settings could not all be read (said already).
bool ImportLegacyFile(CoverFileContext& ctx, const QString& name);
// "Import": asks whether the open cover may go, then for the file, then ImportLegacyFile.
bool ImportCommand(CoverFileContext& ctx);
