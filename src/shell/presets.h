#pragma once

#include <QString>
#include <QStringList>

struct CoverFileContext;

// Named cover styles: settings files without texts and pictures. The shipped presets
// are read from the program folder; the user's are saved where programPath puts them
// (the same folder when it can be written) and hide a shipped preset of the same name.
// Names are compared without regard to case, as the file systems presets come from do.

// The name every cover falls back to; it can be neither saved, renamed nor deleted.
extern const QString kDefaultPreset;

// Every preset name, sorted without regard to case.
QStringList presetNames();
// The file of a preset: the user's when there is one, else the shipped one; empty when
// there is neither.
QString presetFile(const QString& name);

// Applies the current preset (the per-user setting "Preset") to the cover, leaving
// its texts and pictures alone; nothing when the preset's file is missing.
void GetPreset(CoverFileContext& ctx);

// False, after saying so, for a name holding one of the characters file names cannot.
bool ValidFileName(const QString& name);

// The preset dialog's commands. selected is the chosen list entry, empty when none.

// "Use selected": applies the preset and makes it the current one. False when nothing
// is selected (after saying so): the dialog stays open.
bool ApplyPreset(CoverFileContext& ctx, const QString& selected);
// "Save current style as...": asks for a name and saves the cover's settings under it.
// The name saved, or an empty text when nothing was.
QString SavePreset(const CoverFileContext& ctx);
// "Rename": asks for the new name of selected; the current preset follows its file. The
// new name, or an empty text when nothing was renamed.
QString RenamePreset(const QString& selected);
// "Delete": asks first. True when the preset is gone.
bool DeletePreset(const QString& selected);
// "Close": without a selection "default" becomes the current preset.
void ClosePresets(const QString& selected);
