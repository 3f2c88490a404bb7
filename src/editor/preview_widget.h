#pragma once

#include <QRectF>
#include <QSizeF>
#include <QWidget>

#include <memory>

class DrawingSurface;
class ImageSurface;

// Shows a sheet at true size on the screen: the renderers draw into its surface, an image
// at the screen's resolution, and the widget shows that image. It reports the mouse in
// the sheet's millimetres and takes dropped cover archives.
class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWidget(const QSizeF& sheetMm, QWidget* parent = nullptr);
    ~PreviewWidget() override;

    // Where the renderers draw; showDrawing() puts the result on the screen.
    DrawingSurface& surface();
    void showDrawing();
    // The sheet as last drawn.
    const QImage& image() const;

    // Widget pixels per millimetre of the sheet.
    double pixelsPerMm() const { return m_pixelsPerMm; }
    // The size of the drawn sheet in millimetres.
    QSizeF sheetSizeMm() const;
    QPointF toMm(const QPointF& pixel) const { return pixel / m_pixelsPerMm; }
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    double m_pixelRatio;
    double m_pixelsPerMm;
    std::unique_ptr<ImageSurface> m_surface;
    QList<QRectF> m_frames;
};
