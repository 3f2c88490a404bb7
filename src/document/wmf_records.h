#pragma once

#include <QByteArray>
#include <QString>

// What a metafile may ask of the player, checked by walking its records before libwmf
// sees them: libwmf slows down with every DC saved and not restored, and allocates
// whatever an embedded bitmap's header declares.
constexpr int kMaxWmfRecords = 100000;
constexpr int kMaxWmfSaveDepth = 1024;
// All embedded bitmaps together, as the pictures' own limit.
constexpr qint64 kMaxWmfBitmapPixels = 32LL * 1024 * 1024;

// How far a walk got: records read, the deepest DC save, embedded bitmap pixels.
struct WmfRecordWalk {
    int records = 0;
    int deepestSave = 0;
    qint64 bitmapPixels = 0;
};

// Why the metafile data (with or without its placeable header) may not be played, or an
// empty text. The walk stops at the first limit passed or at the end record; a metafile
// that is cut short is left for the player to refuse.
QString wmfRecordProblem(const QByteArray& data, WmfRecordWalk* walk = nullptr);
