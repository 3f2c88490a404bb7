#pragma once

#include <QString>
#include <QStringList>

// caseleaf thumbnail IN.vrz OUT.png SIZE, the command file managers run to show a cover
// as a picture. Only the archive's preview bitmap is read: no cover is opened and no
// working folder is used, so it stays fast for covers with large pictures.

struct ThumbnailRequest {
    QString cover;
    QString out;
    int size = 0;
};

// The largest SIZE accepted; file managers ask for 128 to 1024.
constexpr int kMaxThumbnailSize = 4096;

// The usage problem, or an empty text when the request is complete.
QString parseThumbnail(const QStringList& args, ThumbnailRequest& request);

// Writes the preview, scaled down to fit SIZE x SIZE (never enlarged), as a PNG: 0 on
// success; 1 with the reason on standard error, and no file written, when the cover has
// no readable preview or the picture cannot be written.
int writeThumbnail(const ThumbnailRequest& request);
