#pragma once

#include <QString>
#include <QStringList>

// How a stored font or size is matched against the editor's lists when a cover
// settings file is applied. Each returns the index to select.

// The 22 point sizes every size list holds, in this order ("9" is index 3).
const QStringList& fontSizes();
constexpr int kDefaultFrontSizeIndex = 3;

// The installed font families by the names users know them, each once, sorted: what
// the editor's font lists hold.
QStringList standardFontList();
// A family as Qt lists it ("Nimbus Sans [urw]") without its foundry ("Nimbus Sans").
QString familyName(const QString& listed);

// The first entry equal to name without regard to case; 0 (the first entry) when
// name is empty or not in the list; -1 only for an empty list.
int matchFontName(const QStringList& list, const QString& name);
// The first entry equal to size without regard to case; current when size is empty
// or not in the list.
int matchBackFontSize(const QStringList& list, const QString& size, int current);
// The last entry whose number equals size's number; kDefaultFrontSizeIndex when none
// does (also for an empty text, whose number is 0).
int matchFrontFontSize(const QStringList& list, const QString& size);
