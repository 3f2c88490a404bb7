#include "editor/preview_widget.h"

#include "render/drawing_surface.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace {

// Logical pixels per inch of the screen: its physical resolution when it reports a
// believable one, else the desktop's logical one.
double screenDpi(const QScreen* screen)
{
    if (!screen)
        return 96;
    const double physical = screen->physicalDotsPerInchX();
    return physical >= 50 && physical <= 600 ? physical : screen->logicalDotsPerInchX();
}

} // namespace

PreviewWidget::PreviewWidget(const QSizeF& sheetMm, QWidget* parent)
    : QWidget(parent), m_pixelRatio(devicePixelRatioF())
{
    // Drawn in device pixels, so the sheet stays sharp on a high-density screen.
    m_surface = std::make_unique<ImageSurface>(sheetMm, screenDpi(screen()) * m_pixelRatio);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_OpaquePaintEvent);
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

QSize PreviewWidget::sizeHint() const
{
    const QImage& image = m_surface->image();
    return QSize(qRound(image.width() / m_pixelRatio), qRound(image.height() / m_pixelRatio));
}

void PreviewWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(sizeHint())), m_surface->image());
}
