#pragma once

#include <QString>
#include <QStringList>

// The seven string tables of the user interface, loaded from a language file in the
// program folder's "language" folder. Entries are numbered from 1 (key V1, V2, ...).
enum class LangSection { Menu, BackCover, FrontCover, Messages, GetContents, Common, Preset };

// Entry n of a table; an empty text when the table has no such entry.
QString Lang(LangSection section, int n);
// The whole table, entry 1 first.
const QStringList& LangTable(LangSection section);
// Base name of the loaded language file ("english").
QString CurrentLanguage();

// Loads every table from language/<name>.ini, falling back to English (name becomes
// "english") after the loader's message; false when neither file exists, leaving the
// tables as they were.
bool LoadLanguage(QString& name);
