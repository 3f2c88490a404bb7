#pragma once

#include <QRegion>
#include <QSizeF>
#include <QWidget>

#include <functional>
#include <memory>

class DrawingSurface;
class ImageSurface;

// Shows a sheet on the screen, at true size (zoom 1) or zoomed: the renderer draws into its
// surface, an image at the screen's resolution in device pixels, and the widget shows it.
// A change only marks the sheet; what shows is drawn when it is next painted, and no more
// of the sheet than shows, so an edit costs the same at any zoom. It reports the mouse in
// the sheet's millimetres and takes dropped cover archives.
class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    using Renderer = std::function<void(DrawingSurface&)>;

    explicit PreviewWidget(const QSizeF& sheetMm, QWidget* parent = nullptr);
    ~PreviewWidget() override;

    // How the sheet is drawn.
    void setRenderer(Renderer renderer);
    // The sheet changed: it is drawn again before it is next shown.
    void invalidate();
    // The sheet as drawn, brought up to date as far as it shows (all of it while hidden).
    const QImage& image();
    // The surface as it stands, for drawing on it directly.
    DrawingSurface& surface();

    // 1 shows the sheet at true size.
    void setZoom(double zoom);
    double zoom() const { return m_zoom; }
    // Widget pixels per millimetre of the sheet, at the zoom.
    double pixelsPerMm() const { return m_truePixelsPerMm * m_zoom; }
    double truePixelsPerMm() const { return m_truePixelsPerMm; }
    QSizeF sheetSizeMm() const { return m_sheetMm; }
    QPointF toMm(const QPointF& pixel) const { return pixel / pixelsPerMm(); }
    QRect toPixels(const QRectF& mm) const;
    // Outlines marking areas of the sheet (the text areas being edited).
    void setFrames(const QList<QRectF>& areasMm);

    QSize sizeHint() const override;

signals:
    // A mouse button went down at a point of the sheet; global is the screen position.
    void pressed(const QPointF& mm, Qt::MouseButton button, const QPoint& global);
    void doubleClicked(const QPointF& mm);
    // A cover archive was dropped here.
    void coverDropped(const QString& path);
    // Ctrl and the wheel: steps up (positive) or down.
    void zoomRequested(int steps);
    // The screen's resolution or the zoom changed: millimetres map to other pixels.
    void scaleChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Makes the surface again when the screen's resolution, the pixel ratio or the zoom
    // no longer match it; true when it did.
    bool fitSurface();
    // Draws the part of the sheet under a rectangle of widget pixels that is not up to date.
    void drawMissing(const QRect& widgetRect);
    QRect toDevice(const QRect& widgetRect) const;

    QSizeF m_sheetMm;
    double m_zoom = 1;
    double m_truePixelsPerMm;
    double m_pixelRatio;
    std::unique_ptr<ImageSurface> m_surface;
    double m_surfaceDpi = 0;
    QRegion m_upToDate; // device pixels of the image that show the sheet as it is
    Renderer m_renderer;
    QList<QRectF> m_frames;
};
