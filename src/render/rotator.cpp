#include "render/rotator.h"

#include "document/cover_document.h"
#include "render/drawing_surface.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace {

constexpr int kPointsPerInch = 72;

// The cell height in device pixels for a point size: whole-number operands, then an
// integer division, as the native font record takes it.
int cellHeightPixels(double points, int dpiY)
{
    return int(std::nearbyint(points * dpiY)) / kPointsPerInch;
}

} // namespace

void Rotator::Device(DrawingSurface& surface)
{
    m_device = &surface;
    // Scales always start at (0, 0): pixels per unit are all there is to capture.
    m_xRatio = surface.pixelWidth() / surface.width();
    m_yRatio = surface.pixelHeight() / surface.height();
}

void Rotator::PrintText(const QString& text)
{
    if (!m_device || text.isEmpty())
        return;
    DrawingSurface& surface = *m_device;
    QPaintDevice& device = surface.device();
    const int cellHeight = cellHeightPixels(surface.font().pointSizeF(), device.logicalDpiY());
    if (cellHeight <= 0)
        return;

    QFont font = surface.font();
    // Scale the em so that ascent plus descent, the cell, comes to the wanted height.
    font.setPointSizeF(double(cellHeight) * kPointsPerInch / device.logicalDpiY());
    const double cellAtTrial = QFontMetricsF(font, &device).height();
    if (cellAtTrial > 0)
        font.setPointSizeF(font.pointSizeF() * cellHeight / cellAtTrial);

    const double px = std::nearbyint(surface.currentX() * m_xRatio);
    const double py = std::nearbyint(surface.currentY() * m_yRatio);

    QPainter& painter = surface.deviceContext();
    painter.save();
    painter.setFont(font);
    painter.setPen(colorFromValue(surface.textColor()));
    painter.translate(px, py);
    // Counter-clockwise on a y-down device is a negative rotation.
    painter.rotate(-m_angle);
    painter.drawText(QPointF(0, QFontMetricsF(font, &device).ascent()), text);
    painter.restore();
}
