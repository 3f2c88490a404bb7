#pragma once

#include <QString>

// The text with every "%c", in any letter case, replaced by the counter's text when the
// counter is on; unchanged otherwise.
QString withCounter(const QString& text, int counter, const QString& countFrom);
