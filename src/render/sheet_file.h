#pragma once

#include <QImage>
#include <QString>

// Writes a drawn sheet to path in the format its name ends with (png, bmp, jpg, ...).
// PNG is deflated at a fast level: a sheet is mostly flat colour and lines, so the file
// grows by a few percent and is written several times faster than at the default level.
// False, with the reason in error, when the file could not be written.
bool writeSheetFile(const QImage& sheet, const QString& path, QString* error = nullptr);
