#pragma once

#include "document/pictures.h"

#include <QString>
#include <QStringList>

#include <functional>

struct CoverDocument;

// A settings file holds some sixty short lines; anything much larger is not one.
constexpr qint64 kMaxSettingsFileBytes = 1024 * 1024;

// Picture references a writer puts in place of the document's own ones, "{name}"
// for a picture packed beside the settings file; an empty one writes the
// document's reference unchanged.
struct RelativePictureRefs {
    QString back;
    QString front;
    QString front1;
};

// Writes every setting of doc into section [LastCover] of IniF. Text mode writes a
// fresh file of "[LastCover]" and the 54 key lines; profile mode replaces the keys
// in place and keeps the file's other sections, with PresetName (when given) as
// Name in [Preset]. On failure shows the save-error message and returns false; a
// text-mode file is then left as it was.
bool SaveIniFile(const CoverDocument& doc, const QString& IniF, const QString& PresetName = QString(),
                 bool AsText = false, const RelativePictureRefs& relative = RelativePictureRefs());
// Profile mode into a fresh file that takes IniF's place only once it is complete: a
// failed write leaves the old file whole, and no key of the old file survives (presets,
// the legacy export). Shows the save-error message on failure.
bool ReplaceIniFile(const CoverDocument& doc, const QString& IniF, const QString& PresetName = QString(),
                    const RelativePictureRefs& relative = RelativePictureRefs());

// Applies the settings file IniF to doc with the view-enabled flag off (a missing font
// name takes the first of fontList, the editor's font list; a stored one is kept as
// written), then turns the view back on and calls redraw, where the editor shows the
// new values in its controls (fonts, enabled states) and redraws both covers. A settings-only load (presets) leaves the
// label text, the pictures and the counters alone. A value that cannot be applied (a
// colour that is not a number, a placement outside 0 to 3, a picture that does not
// decode) is skipped, the rest still applied, and one load-error message lists them;
// returns false then. A file too large to be a settings file is refused untouched.
// Picture references (and LastPath) are read under source's rule (resolvePictureReference).
bool LoadIniFile(CoverDocument& doc, const QString& IniF, bool settingsOnly, const QStringList& fontList,
                 const std::function<void()>& redraw = {},
                 ReferenceSource source = ReferenceSource::CoverArchive);

// Resolves a picture reference read from the settings file iniPath: "{name}" is the
// file name in iniPath's folder (any folder part of name is dropped, so a reference
// never leaves that folder); anything else is returned unchanged.
QString CheckImport(const QString& FileName, const QString& iniPath);
