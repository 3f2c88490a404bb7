#pragma once

#include <QString>

// A drawn line this long runs far beyond any sheet in the smallest font; the rest of it
// could not be seen.
constexpr qsizetype kMaxDrawnLineLength = 4096;

// The text with every "%c", in any letter case, replaced by the counter's text when the
// counter is on; unchanged otherwise. At most maxLength characters of the result are
// made, however many "%c" the text holds.
QString withCounter(const QString& text, int counter, const QString& countFrom,
                    qsizetype maxLength = kMaxDrawnLineLength);

// True when a counter start field holds a number and nothing else: blanks around it, an
// optional sign, digits with an optional "." fraction, an optional exponent. "8" and
// " 12 " are numbers; "", "8a" and "1.2.3" are not.
bool isNumericText(const QString& text);

// The counter text of the next copy: the number plus one, without blanks ("007" gives
// "8"). Whole numbers are stepped digit by digit, so a start of any length never wraps
// round to a negative number. The text must be numeric (isNumericText).
QString nextCounterText(const QString& text);
