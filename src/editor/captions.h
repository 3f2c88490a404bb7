#pragma once

#include <QString>

class QWidget;

// The designed English caption of a named element of the editor: a control of the
// binding table, a frame, a tab, a menu entry. Empty for a name that has none.
QString designedCaption(const QString& objectName);

// Sets every caption under root from the loaded language tables (Menu, BackCover,
// FrontCover): menus and their entries, tabs, frames, labels, boxes and options. An entry
// the loaded language lacks leaves its caption as it was. Controls named by the label
// beside them take that caption as their accessible name too.
void applyCaptions(QWidget* root);
