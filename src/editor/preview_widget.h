#pragma once

#include <QSizeF>
#include <QWidget>

#include <memory>

class DrawingSurface;
class ImageSurface;

// Shows a sheet at true size on the screen: the renderers draw into its surface, an image
// at the screen's resolution, and the widget shows that image.
class PreviewWidget : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWidget(const QSizeF& sheetMm, QWidget* parent = nullptr);
    ~PreviewWidget() override;

    // Where the renderers draw; showDrawing() puts the result on the screen.
    DrawingSurface& surface();
    void showDrawing();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_pixelRatio;
    std::unique_ptr<ImageSurface> m_surface;
};
