#pragma once

#include <QString>

class QFontMetrics;

// The path shortened to fit width pixels in font: folders from the middle give way
// to "..." first, keeping the start of the path and the file name; a file name too
// long on its own is cut in its middle.
QString CompactPath(const QString& path, int width, const QFontMetrics& font);
