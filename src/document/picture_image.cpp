#include "document/picture_image.h"

#include <QBuffer>
#include <QImageReader>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <future>
#include <vector>

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kUnstatedDpi = 96;
// libjpeg decodes at 1/1, 1/2, 1/4 and 1/8.
constexpr int kMostReduced = 8;
// Parts kept decoded per picture: the preview, the preview bitmap and a page, say.
constexpr std::size_t kPiecesKept = 3;
// A part larger than this share of the picture is decoded whole: the next part drawn is
// then likely decoded already.
constexpr double kWholeShare = 0.5;

QSizeF naturalSize(const QSize& pixels, int dotsPerMeterX, int dotsPerMeterY)
{
    // Qt gives an image whose file names no resolution the screen's; that is no
    // information about the picture.
    static const int unstatedDotsPerMeter = QImage(1, 1, QImage::Format_RGB32).dotsPerMeterX();
    const auto dpiOf = [](int dotsPerMeter) {
        return dotsPerMeter > 0 && dotsPerMeter != unstatedDotsPerMeter ? dotsPerMeter * 0.0254 : kUnstatedDpi;
    };
    return QSizeF(pixels.width() * kMmPerInch / dpiOf(dotsPerMeterX),
                  pixels.height() * kMmPerInch / dpiOf(dotsPerMeterY));
}

int roundDown(int value, int step)
{
    return value / step * step;
}

int roundUp(int value, int step)
{
    return (value + step - 1) / step * step;
}

} // namespace

// The part of a picture a drawing needs: which full-size pixels, at which reduction.
struct PictureImage::Plan {
    QRect needed;
    int reduction = 1;
};

struct PictureImage::Data {
    struct Piece {
        QRect rect;    // in full-size pixels; may reach past the right and bottom edge by less than reduction
        int reduction; // 1, 2, 4 or 8
        QImage image;
    };
    // A part being decoded on another core.
    struct Ahead {
        QRect rect;
        int reduction;
        std::future<QImage> image;
    };

    QSize size;
    QSizeF sizeMm;
    QByteArray jpeg;           // empty when the whole picture is the one piece
    std::vector<Piece> pieces; // the most recently drawn first
    std::vector<Ahead> ahead;
    bool broken = false;       // a part would not decode; it will not next time either

    // libjpeg cuts and reduces exactly only on whole reduced pixels; a large part is
    // decoded whole, since the next part drawn then likely lies in it too.
    QRect clipFor(const Plan& plan) const
    {
        const int r = plan.reduction;
        const QRect& n = plan.needed;
        if (double(n.width()) * n.height() > kWholeShare * size.width() * size.height())
            return QRect(0, 0, roundUp(size.width(), r), roundUp(size.height(), r));
        return QRect(QPoint(roundDown(n.left(), r), roundDown(n.top(), r)),
                     QPoint(roundUp(n.right() + 1, r) - 1, roundUp(n.bottom() + 1, r) - 1));
    }

    // Safe on any thread: it reads only its arguments.
    static QImage decode(QByteArray jpeg, const QRect& clip, int reduction)
    {
        QBuffer buffer(&jpeg);
        QImageReader reader(&buffer, "jpeg");
        reader.setClipRect(clip);
        if (reduction > 1)
            reader.setScaledSize(clip.size() / reduction);
        return reader.read();
    }

    // A part decoded already or being decoded ahead (then waited for) that holds plan.
    const Piece* find(const Plan& plan)
    {
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].reduction == plan.reduction && pieces[i].rect.contains(plan.needed)) {
                std::rotate(pieces.begin(), pieces.begin() + i, pieces.begin() + i + 1);
                return &pieces.front();
            }
        }
        for (auto it = ahead.begin(); it != ahead.end(); ++it) {
            if (it->reduction == plan.reduction && it->rect.contains(plan.needed)) {
                Piece piece{it->rect, it->reduction, it->image.get()};
                ahead.erase(it);
                return keep(std::move(piece));
            }
        }
        return nullptr;
    }

    const Piece* keep(Piece piece)
    {
        if (piece.image.isNull()) {
            broken = true;
            return nullptr;
        }
        pieces.insert(pieces.begin(), std::move(piece));
        // Never more than a few parts, nor more pixels than twice the whole picture.
        const auto pixels = [](const Piece& p) { return qint64(p.image.width()) * p.image.height(); };
        qint64 kept = 0;
        for (const Piece& p : pieces)
            kept += pixels(p);
        while (pieces.size() > 1
               && (pieces.size() > kPiecesKept || kept > 2 * qint64(size.width()) * size.height())) {
            kept -= pixels(pieces.back());
            pieces.pop_back();
        }
        return &pieces.front();
    }
};

PictureImage::PictureImage(const QImage& image)
{
    if (image.isNull())
        return;
    d = std::make_shared<Data>();
    d->size = image.size();
    d->sizeMm = naturalSize(image.size(), image.dotsPerMeterX(), image.dotsPerMeterY());
    d->pieces.push_back(Data::Piece{image.rect(), 1, image});
}

PictureImage PictureImage::fromJpeg(const QByteArray& jpeg, QString* error)
{
    // The first rows tell the stated resolution and show that the data decodes.
    QByteArray bytes = jpeg;
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "jpeg");
    const QSize size = reader.size();
    reader.setClipRect(QRect(0, 0, 1, 1));
    const QImage first = size.isEmpty() ? QImage() : reader.read();
    if (first.isNull()) {
        if (error)
            *error = reader.errorString();
        return PictureImage();
    }
    PictureImage picture;
    picture.d = std::make_shared<Data>();
    picture.d->size = size;
    picture.d->sizeMm = naturalSize(size, first.dotsPerMeterX(), first.dotsPerMeterY());
    picture.d->jpeg = jpeg;
    return picture;
}

QSize PictureImage::size() const
{
    return d ? d->size : QSize();
}

QSizeF PictureImage::sizeMm() const
{
    return d ? d->sizeMm : QSizeF();
}

QImage PictureImage::toImage() const
{
    const Piece whole = pieceFor(QRectF(QPointF(0, 0), size()), size());
    return whole.image.size() == size() ? whole.image : whole.image.copy(whole.region.toRect());
}

PictureImage::Plan PictureImage::plan(const QRectF& region, const QSizeF& drawn) const
{
    // Halving while the region keeps at least as many pixels as the drawing shows.
    Plan plan;
    while (plan.reduction < kMostReduced && region.width() / (2 * plan.reduction) >= drawn.width()
           && region.height() / (2 * plan.reduction) >= drawn.height())
        plan.reduction *= 2;
    // A little of the picture around the region, so that smoothing at its edges (by a
    // PDF viewer, say, where a page keeps the whole part) blends true neighbours.
    const int margin = 2 * plan.reduction;
    plan.needed = region.toAlignedRect().adjusted(-margin, -margin, margin, margin) & QRect(QPoint(0, 0), d->size);
    return plan;
}

PictureImage::Piece PictureImage::pieceFor(const QRectF& region, const QSizeF& drawn) const
{
    if (!d || region.isEmpty())
        return Piece();
    const Data::Piece* piece = nullptr;
    if (d->jpeg.isEmpty()) {
        piece = &d->pieces.front();
    } else if (!d->broken) {
        const Plan plan = this->plan(region, drawn);
        piece = d->find(plan);
        if (!piece) {
            const QRect clip = d->clipFor(plan);
            piece = d->keep(Data::Piece{clip, plan.reduction, Data::decode(d->jpeg, clip, plan.reduction)});
        }
    }
    if (!piece)
        return Piece();
    const double r = piece->reduction;
    return Piece{piece->image, QRectF((region.x() - piece->rect.x()) / r, (region.y() - piece->rect.y()) / r,
                                      region.width() / r, region.height() / r)};
}

void PictureImage::decodeAhead(const QRectF& region, const QSizeF& drawn) const
{
    if (!d || region.isEmpty() || d->jpeg.isEmpty() || d->broken || d->ahead.size() >= kPiecesKept)
        return;
    const Plan plan = this->plan(region, drawn);
    const auto holds = [&plan](const QRect& rect, int reduction) {
        return reduction == plan.reduction && rect.contains(plan.needed);
    };
    for (const Data::Piece& p : d->pieces) {
        if (holds(p.rect, p.reduction))
            return;
    }
    for (const Data::Ahead& a : d->ahead) {
        if (holds(a.rect, a.reduction))
            return;
    }
    const QRect clip = d->clipFor(plan);
    auto promise = std::make_shared<std::promise<QImage>>();
    d->ahead.push_back(Data::Ahead{clip, plan.reduction, promise->get_future()});
    QThreadPool::globalInstance()->start(
        [promise, jpeg = d->jpeg, clip, reduction = plan.reduction] {
            promise->set_value(Data::decode(jpeg, clip, reduction));
        });
}
