#pragma once

#include <QString>

class QImage;
class QPointF;

// The colour picker's notations. A colour value is red + 256 × green + 65536 × blue.

// The value's six hexadecimal digits in the order red, green, blue, upper case:
// red 255, green 128, blue 0 gives "FF8000". Only the low 24 bits count.
QString ColorToHex(int colour);
// From six hexadecimal digits (a leading "#" is dropped): "255,128,0", or with
// wantValue the colour value in decimal; "0" for any other text.
QString HexToRgbText(const QString& hex, bool wantValue);

// To the nearest whole number (halves to the even one), kept within 16 bits.
int ToInt16(double value);
// To the nearest whole number (halves to the even one), kept within 32 bits.
int ToInt32(double value);

// The colour value of a still image of the screen under a point given in the
// window's own pixels: the image holds device pixels, so on a screen scaled by 2 the
// point (10, 10) is the image's pixel (20, 20). -1 outside the image.
int ColourAt(const QImage& still, const QPointF& point);
