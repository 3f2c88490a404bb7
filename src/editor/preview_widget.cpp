#include "editor/preview_widget.h"

#include "document/cover_archive.h"
#include "render/drawing_surface.h"
#include "toolbox/paths.h"

#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

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

// The first file of a dragged file list, or an empty text.
QString firstDraggedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return QString();
    return data->urls().first().toLocalFile();
}

} // namespace

PreviewWidget::PreviewWidget(const QSizeF& sheetMm, QWidget* parent)
    : QWidget(parent), m_pixelRatio(devicePixelRatioF()), m_pixelsPerMm(screenDpi(screen()) / kMmPerInch)
{
    // Drawn in device pixels, so the sheet stays sharp on a high-density screen.
    m_surface = std::make_unique<ImageSurface>(sheetMm, screenDpi(screen()) * m_pixelRatio);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAcceptDrops(true);
}

PreviewWidget::~PreviewWidget() = default;

DrawingSurface& PreviewWidget::surface()
{
    return *m_surface;
}

void PreviewWidget::showDrawing()
{
    update();
}

const QImage& PreviewWidget::image() const
{
    return m_surface->image();
}

QSizeF PreviewWidget::sheetSizeMm() const
{
    const QImage& sheet = m_surface->image();
    const double devicePixelsPerMm = m_pixelsPerMm * m_pixelRatio;
    return QSizeF(sheet.width() / devicePixelsPerMm, sheet.height() / devicePixelsPerMm);
}

QRect PreviewWidget::toPixels(const QRectF& mm) const
{
    return QRectF(mm.topLeft() * m_pixelsPerMm, mm.size() * m_pixelsPerMm).toRect();
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
    return QSize(qRound(image.width() / m_pixelRatio), qRound(image.height() / m_pixelRatio));
}

void PreviewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(sizeHint())), m_surface->image());
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

void PreviewWidget::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void PreviewWidget::dragMoveEvent(QDragMoveEvent* event)
{
    // Always a copy: a file manager deletes the source of a drop accepted as a move.
    if (isCoverFileName(firstDraggedFile(event->mimeData()))) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
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
