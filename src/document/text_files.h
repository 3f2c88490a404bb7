#pragma once

#include <QByteArray>
#include <QString>

struct CoverDocument;

// The combined text file: the three texts of a cover, each after its marker line,
// Windows-1252 with CR LF.

// Writes the file xPath. On failure shows the text-save error and returns false;
// an existing file is then left as it was.
bool SaveTexts(const CoverDocument& doc, const QString& xPath);
// Empties the three texts, then reads them from the first "*.txt" file in folder
// xPath other than "dummy.txt". No such file gives the load-error message. False when
// the file is there but could not be read whole (too large, unreadable); its message
// has been shown then.
bool LoadTexts(CoverDocument& doc, const QString& xPath);
// Empties the three texts, then reads them from the combined text file path; a missing
// file gives the load-error message. False as for LoadTexts.
bool LoadTextsFile(CoverDocument& doc, const QString& path);
// Reads the three texts (emptied first) from the bytes of a combined text file: each
// marker line switches to its text, and the file's first line always counts as one.
void ParseTexts(CoverDocument& doc, const QByteArray& bytes);
// Asks for a text file and replaces Txt with its content (less one final CR LF);
// LastPath is where the dialog opens and becomes the chosen file's folder. True
// when Txt was replaced, so the caller redraws its cover.
bool LoadText(QString& Txt, QString& LastPath);
