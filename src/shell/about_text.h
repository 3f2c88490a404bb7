#pragma once

#include <QByteArray>
#include <QString>

// The credits shown in the about box live enciphered in help/abouttext.txt, so that
// they are not edited by hand. The file holds the marker, the credits and the marker
// again, shifted by kAboutTextKey; the marker is the key written as two digits.
//
// The shift works on Windows-1252 codes 32 to 255, so the file cannot carry line
// breaks: the credit lines are separated by "|", which the about box's text scroller
// splits into lines. The credits begin with a "|", so they start below the title line
// the about box puts in front of them.

constexpr int kAboutTextKey = 47;

struct AboutTextCheck {
    QString decoded; // the whole deciphered file, markers included
    bool valid = false; // the marker stands at both ends
    QString body;    // the credits, without the markers; empty when not valid
};

// Checks the file's contents as ReadWholeFile returns them.
AboutTextCheck checkAboutText(const QString& fileText);

// The file's bytes for the given credits ("|"-separated lines); characters outside
// Windows-1252 and below 32 become "?".
QByteArray encipherAboutText(const QString& credits);
