#include "render/drawing_surface.h"

#include "document/cover_document.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPen>

#include <climits>
#include <cmath>

namespace {

constexpr double kMmPerInch = 25.4;

QImage blankImage(const QSizeF& sizeMm, double dpi)
{
    const int w = std::max(1, int(std::lround(sizeMm.width() * dpi / kMmPerInch)));
    const int h = std::max(1, int(std::lround(sizeMm.height() * dpi / kMmPerInch)));
    QImage image(w, h, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    return image;
}

} // namespace

DrawingSurface::DrawingSurface(QPaintDevice& device, double dpiX, double dpiY)
    : m_device(device), m_dpiX(dpiX), m_dpiY(dpiY)
{
}

void DrawingSurface::setScaleToMillimetres()
{
    m_unitX = m_dpiX / kMmPerInch;
    m_unitY = m_dpiY / kMmPerInch;
}

void DrawingSurface::setLineWidth(int pixels)
{
    m_lineWidth = pixels;
}

void DrawingSurface::line(const QPointF& from, const QPointF& to, int color)
{
    QPainter& painter = deviceContext();
    painter.setPen(QPen(colorFromValue(color), m_lineWidth));
    painter.drawLine(QLineF(toDevice(from), toDevice(to)));
}

void DrawingSurface::filledBox(const QPointF& from, const QPointF& to, int color)
{
    const QPointF a = toDevice(from);
    const QPointF b = toDevice(to);
    const QRect box(QPoint(int(std::lround(std::min(a.x(), b.x()))), int(std::lround(std::min(a.y(), b.y())))),
                    QPoint(int(std::lround(std::max(a.x(), b.x()))), int(std::lround(std::max(a.y(), b.y())))));
    deviceContext().fillRect(box, colorFromValue(color));
}

QFont coverFont(const QString& name, double points, bool bold, bool italic)
{
    QFont font(name);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    // Hinted advances would make a line a little longer on one device than on another.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void DrawingSurface::setFont(const QString& name, double points, bool bold, bool italic)
{
    m_font = coverFont(name.isEmpty() ? m_font.family() : name, points > 0 ? points : m_font.pointSizeF(), bold,
                       italic);
}

void DrawingSurface::setTextColor(int color)
{
    m_textColor = color;
}

void DrawingSurface::printText(const QString& text)
{
    const QFontMetricsF metrics(m_font, &m_device);
    if (!text.isEmpty()) {
        QPainter& painter = deviceContext();
        painter.setFont(m_font);
        painter.setPen(colorFromValue(m_textColor));
        painter.setBackgroundMode(Qt::TransparentMode);
        const QPointF cell = toDevice(QPointF(m_x, m_y));
        painter.drawText(QPointF(cell.x(), cell.y() + metrics.ascent()), text);
    }
    m_x = 0;
    m_y += metrics.height() / m_unitY;
}

double DrawingSurface::textWidth(const QString& text) const
{
    return QFontMetricsF(m_font, &m_device).horizontalAdvance(text) / m_unitX;
}

int DrawingSurface::linesToBottom(double top) const
{
    const double lineHeight = textHeight(QString());
    const double room = height() - top;
    if (room <= 0)
        return 0;
    const double lines = lineHeight > 0 ? std::ceil(room / lineHeight) : INT_MAX;
    return lines >= INT_MAX ? INT_MAX : int(lines);
}

double DrawingSurface::textHeight(const QString&) const
{
    return QFontMetricsF(m_font, &m_device).height() / m_unitY;
}

void DrawingSurface::paintPicture(const PictureImage& picture, const QPointF& dest, const QRectF& source,
                                  const QSizeF& destSize)
{
    if (picture.isNull() || source.width() <= 0 || source.height() <= 0)
        return;
    const QSizeF size = destSize.isValid() ? destSize : source.size();
    const QSizeF natural = picture.sizeMm();
    const QRectF visible = source & QRectF(QPointF(0, 0), natural);
    if (visible.isEmpty())
        return;
    // Only the part of the region the picture covers is drawn, at its place in the region.
    const double sx = size.width() / source.width();
    const double sy = size.height() / source.height();
    const QRectF target(toDevice(QPointF(dest.x() + (visible.left() - source.left()) * sx,
                                         dest.y() + (visible.top() - source.top()) * sy)),
                        toDevice(QPointF(dest.x() + (visible.right() - source.left()) * sx,
                                         dest.y() + (visible.bottom() - source.top()) * sy)));
    const double px = picture.size().width() / natural.width();
    const double py = picture.size().height() / natural.height();
    const QRectF sourcePixels(visible.left() * px, visible.top() * py, visible.width() * px,
                              visible.height() * py);
    // Only what lands on the device is decoded, and no finer than the device shows it.
    const QSizeF drawn = deviceContext().transform().mapRect(target).size();
    if (m_decodeAheadOnly) {
        picture.decodeAhead(sourcePixels, drawn);
        return;
    }
    const PictureImage::Piece piece = picture.pieceFor(sourcePixels, drawn);
    if (!piece.image.isNull())
        drawPicturePart(target, piece.image, piece.region);
}

void DrawingSurface::drawPicturePart(const QRectF& target, const QImage& picture, const QRectF& sourcePixels)
{
    QPainter& painter = deviceContext();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, picture, sourcePixels);
}

int DrawingSurface::pixelWidth() const
{
    return m_device.width();
}

int DrawingSurface::pixelHeight() const
{
    return m_device.height();
}

ImageSurface::ImageSurface(const QSizeF& sizeMm, double dpi)
    : DrawingSurface(m_image, dpi, dpi), m_image(blankImage(sizeMm, dpi))
{
}

ImageSurface::~ImageSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

void ImageSurface::clear()
{
    deviceContext().fillRect(m_image.rect(), Qt::white);
}

QPainter& ImageSurface::deviceContext()
{
    if (!m_painter.isActive())
        m_painter.begin(&m_image);
    return m_painter;
}

const QImage& ImageSurface::image()
{
    // The painter may hold unflushed work; the image is complete only once it has ended.
    if (m_painter.isActive())
        m_painter.end();
    return m_image;
}

PrinterSurface::PrinterSurface(QPagedPaintDevice& device)
    : DrawingSurface(device, device.logicalDpiX(), device.logicalDpiY()), m_pages(device)
{
    QPageLayout layout = device.pageLayout();
    layout.setMode(QPageLayout::FullPageMode);
    layout.setMargins(QMarginsF());
    device.setPageLayout(layout);
    m_painter.begin(&device);
}

PrinterSurface::~PrinterSurface()
{
    end();
}

void PrinterSurface::setCorrection(const QTransform& transform)
{
    m_painter.setWorldTransform(transform);
}

void PrinterSurface::drawPicturePart(const QRectF& target, const QImage& picture, const QRectF& sourcePixels)
{
    // The whole picture clipped to the part: a document then holds a picture once, however
    // many pages show a part of it, where each part would be a picture of its own.
    const double sx = target.width() / sourcePixels.width();
    const double sy = target.height() / sourcePixels.height();
    const QRectF whole(target.left() - sourcePixels.left() * sx, target.top() - sourcePixels.top() * sy,
                       picture.width() * sx, picture.height() * sy);
    m_painter.save();
    m_painter.setClipRect(target, Qt::IntersectClip);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(whole, picture);
    m_painter.restore();
}

bool PrinterSurface::newPage()
{
    return m_pages.newPage();
}

bool PrinterSurface::end()
{
    return !m_painter.isActive() || m_painter.end();
}
