#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The scroll directions of the text scroller.
enum ScrollDirection { kScrollUp0 = 0, kScrollUp = 1, kScrollLeft = 2 };

// The lines a text scroller shows of its text, where "|" separates lines. Upward
// (direction 0 or 1) each piece is a line, wrapped when wordWrap is set; leftward
// (direction 2) the text is one line with four spaces for each "|"; any other
// direction shows nothing.
// Wrapping keeps a line whose width plus 2 × shadowSize fits viewWidth; a longer one
// is cut at its last space before the edge (the next line starts with that space),
// or, without such a space, at the first character that no longer fits.
QStringList SplitScrollLines(const QString& text, int direction, bool wordWrap, int viewWidth, int shadowSize,
                             const std::function<int(const QString&)>& widthOf);
