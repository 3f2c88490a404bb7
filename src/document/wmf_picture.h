#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Windows metafiles, played through libwmf. The program's picture reader picks them
// up by their content like any other format once this reader is linked in.

// Whether data starts like a metafile (with or without the placeable header).
bool looksLikeWmf(const QByteArray& data);
// The metafile's size in pixels at 96 dpi; invalid when it does not play.
QSize wmfPixelSize(const QByteArray& data);
// How long a metafile may take to draw; one that takes longer is refused.
constexpr int kWmfPlayMillis = 1000;
// The metafile drawn on white at 96 dpi; a null image when it does not play, asks more
// of the player than its limits allow (wmf_records.h), would exceed maxPixels or takes
// longer than playMillis to draw.
QImage readWmf(const QByteArray& data, qint64 maxPixels, int playMillis = kWmfPlayMillis);
