#include "editor/preview_widget.h"

#include "document/cover_archive.h"
#include "platform/cover_drop.h"
#include "render/drawing_surface.h"
#include "toolbox/paths.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <cmath>

namespace {

constexpr double kMmPerInch = 25.4;

// Logical pixels per inch of the screen: its physical resolution when it reports a
// believable one, else the desktop's logical one.
double screenDpi(const QScreen* screen)
{
    if (!screen)
        return 96;
    const double physical = screen->physicalDotsPerInchX();
    return physical >= 50 && physical <= 600 ? physical : screen->logicalDotsPerInchX();
}

// A preview's sheet. Pictures are scaled to the zoom once and copied on later redraws:
// most edits leave them as they are, and scaling a large picture costs a frame.
class PreviewSurface final : public ImageSurface {
public:
    using ImageSurface::ImageSurface;

protected:
    void drawPicturePart(const QRectF& target, const QImage& picture, const QRectF& sourcePixels) override
    {
        const QSize size = target.size().toSize();
        if (size.isEmpty())
            return;
        Scaled* hit = nullptr;
        for (Scaled& s : m_scaled) {
            if (s.key == picture.cacheKey() && s.source == sourcePixels && s.image.size() == size)
                hit = &s;
        }
        if (!hit) {
            // The three pictures of a sheet at one zoom.
            if (m_scaled.size() == 3)
                m_scaled.removeFirst();
            const QImage part = picture.copy(sourcePixels.toAlignedRect());
            m_scaled.append({picture.cacheKey(), sourcePixels,
                             part.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)});
            hit = &m_scaled.last();
        }
        deviceContext().drawImage(target.topLeft(), hit->image);
    }

private:
    struct Scaled {
        qint64 key;
        QRectF source;
        QImage image;
    };
    QList<Scaled> m_scaled;
};

} // namespace

PreviewWidget::PreviewWidget(const QSizeF& sheetMm, QWidget* parent)
    : QWidget(parent)
    , m_sheetMm(sheetMm)
    , m_truePixelsPerMm(screenDpi(screen()) / kMmPerInch)
    , m_pixelRatio(devicePixelRatioF())
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
    fitSurface();
}

PreviewWidget::~PreviewWidget() = default;

void PreviewWidget::setRenderer(Renderer renderer)
{
    m_renderer = std::move(renderer);
    invalidate();
}

void PreviewWidget::invalidate()
{
    m_upToDate = QRegion();
    update();
}

bool PreviewWidget::fitSurface()
{
    const double ratio = devicePixelRatioF();
    const double perMm = screenDpi(screen()) / kMmPerInch;
    const double dpi = perMm * kMmPerInch * m_zoom * ratio;
    if (m_surface && dpi == m_surfaceDpi)
        return false;
    m_pixelRatio = ratio;
    m_truePixelsPerMm = perMm;
    m_surfaceDpi = dpi;
    // Drawn in device pixels, so the sheet stays sharp on a high-density screen.
    m_surface = std::make_unique<PreviewSurface>(m_sheetMm, dpi);
    m_upToDate = QRegion();
    // Inside a scroll area nothing else sizes the widget.
    resize(sizeHint());
    updateGeometry();
    update();
    return true;
}

void PreviewWidget::setZoom(double zoom)
{
    if (zoom == m_zoom || zoom <= 0)
        return;
    m_zoom = zoom;
    fitSurface();
    emit scaleChanged();
}

DrawingSurface& PreviewWidget::surface()
{
    return *m_surface;
}

QRect PreviewWidget::toDevice(const QRect& widgetRect) const
{
    const QRectF scaled(QPointF(widgetRect.topLeft()) * m_pixelRatio, QSizeF(widgetRect.size()) * m_pixelRatio);
    return scaled.toAlignedRect() & m_surface->image().rect();
}

void PreviewWidget::drawMissing(const QRect& widgetRect)
{
    const QRect wanted = toDevice(widgetRect);
    const QRegion missing = QRegion(wanted) - m_upToDate;
    if (missing.isEmpty() || !m_renderer)
        return;
    const QRect part = missing.boundingRect();
    m_surface->deviceContext().setClipRect(part);
    m_renderer(*m_surface);
    m_surface->image(); // ends the painting, and the clip with it
    m_upToDate += part;
}

const QImage& PreviewWidget::image()
{
    const QRect shows = isVisible() ? visibleRegion().boundingRect() : QRect();
    drawMissing(shows.isEmpty() ? rect() : shows);
    return m_surface->image();
}

QRect PreviewWidget::toPixels(const QRectF& mm) const
{
    const double perMm = pixelsPerMm();
    return QRectF(mm.topLeft() * perMm, mm.size() * perMm).toRect();
}

void PreviewWidget::setFrames(const QList<QRectF>& areasMm)
{
    if (areasMm == m_frames)
        return;
    m_frames = areasMm;
    update();
}

QSize PreviewWidget::sizeHint() const
{
    const QImage& image = m_surface->image();
    return QSize(int(std::lround(image.width() / m_pixelRatio)), int(std::lround(image.height() / m_pixelRatio)));
}

void PreviewWidget::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // A window moved to a screen of another resolution draws its sheets for that screen.
    if (QWindow* window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, [this] {
            if (fitSurface())
                emit scaleChanged();
        }, Qt::UniqueConnection);
    }
    if (fitSurface())
        emit scaleChanged();
}

void PreviewWidget::paintEvent(QPaintEvent* event)
{
    drawMissing(event->rect());
    QPainter painter(this);
    const QRect device = toDevice(event->rect());
    painter.drawImage(QRectF(QPointF(device.topLeft()) / m_pixelRatio, QSizeF(device.size()) / m_pixelRatio),
                      m_surface->image(), device);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
    for (const QRectF& area : m_frames)
        painter.drawRect(toPixels(area).adjusted(-1, -1, 0, 0));
}

void PreviewWidget::mousePressEvent(QMouseEvent* event)
{
    emit pressed(toMm(event->position()), event->button(), event->globalPosition().toPoint());
}

void PreviewWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    emit doubleClicked(toMm(event->position()));
}

void PreviewWidget::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        event->ignore(); // the scroll area scrolls
        return;
    }
    emit zoomRequested(event->angleDelta().y() > 0 ? 1 : -1);
    event->accept();
}

void PreviewWidget::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void PreviewWidget::dragMoveEvent(QDragMoveEvent* event)
{
    acceptCoverDrag(event);
}

void PreviewWidget::dropEvent(QDropEvent* event)
{
    const QString path = firstDraggedFile(event->mimeData());
    if (!isCoverFileName(path) || !FileExists(path))
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit coverDropped(path);
}
