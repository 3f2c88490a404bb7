#pragma once

#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <memory>

// The pixels of a cover picture. A JPEG keeps its file's bytes and decodes, each time a
// part of it is drawn that is not decoded yet, only that part, reduced by libjpeg to a
// half, a quarter or an eighth as far as the drawing still gets at least as many pixels
// as it shows. A preview of a large photograph so costs a fraction of a full decode,
// while a page printed or rendered at a resolution that needs every pixel gets exactly
// the full picture's pixels. Other formats are decoded whole once. Copies share what has
// been decoded.
class PictureImage {
public:
    PictureImage() = default;
    // A picture already in memory; implicit, so an image can be put in a slot as it is.
    PictureImage(const QImage& image);
    // A JPEG from its file's bytes, decoded a part at a time when drawn. Null, with the
    // reason in error, when the bytes do not decode.
    static PictureImage fromJpeg(const QByteArray& jpeg, QString* error = nullptr);

    bool isNull() const { return !d; }
    // The whole picture's size in pixels.
    QSize size() const;
    // The picture's natural size: from the resolution its file states, else at 96 dpi.
    QSizeF sizeMm() const;
    // The whole picture at full size.
    QImage toImage() const;

    // What to draw the picture's region (in its full-size pixels) with onto drawn device
    // pixels: an image and where the region lies in it.
    struct Piece {
        QImage image;
        QRectF region;
    };
    Piece pieceFor(const QRectF& region, const QSizeF& drawn) const;
    // Starts decoding on another core what pieceFor would decode for the same arguments,
    // so that several pictures decode at once; pieceFor then waits for it.
    void decodeAhead(const QRectF& region, const QSizeF& drawn) const;

private:
    struct Plan;
    struct Data;
    Plan plan(const QRectF& region, const QSizeF& drawn) const;

    std::shared_ptr<Data> d;
};
