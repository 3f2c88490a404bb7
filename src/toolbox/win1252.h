#pragma once

#include <QByteArray>
#include <QString>

// Files move between Windows and Linux unchanged, so every text file the program
// reads or writes is Windows-1252.
QString fromWin1252(const QByteArray& bytes);
// Characters outside Windows-1252 become "?"; nothing else of the text is lost.
QByteArray toWin1252(const QString& text);
