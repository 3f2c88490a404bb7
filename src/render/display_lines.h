#pragma once

#include <QFont>
#include <QStringList>

#include <climits>

// The lines a text box of the given width in millimetres shows for a text in a font: each
// of its lines (CR LF, LF or CR), broken at word boundaries, and inside a word that does
// not fit a line on its own. Spaces at a break stay at the end of their line.
// The breaks are found at one fixed high resolution, so the preview, the paper and the
// editor's text boxes break every line at the same place. An empty text has no lines.
// Only the first maxLines lines are made; the work is that of those lines, however long
// the text.
QStringList displayLines(const QString& text, const QFont& font, double widthMm, int maxLines = INT_MAX);
