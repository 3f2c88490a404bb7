#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class PictureImage;
class QPagedPaintDevice;
class QPaintDevice;

// The font a cover text is drawn in, the same on every device: the size in points, no
// hinting. The editor's text boxes lay out their lines in it too.
QFont coverFont(const QString& name, double points, bool bold, bool italic);

// A sheet being drawn: a preview image or a printer page. Coordinates are in the units of
// the current scale (device pixels until setScaleToMillimetres), origin at the top-left.
// The painter is never scaled: coordinates are converted here and fonts keep their point
// size on every device, so a 12 pt label is 12 pt on screen and on paper.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    void setScaleToMillimetres();
    // Fills the whole surface with its background colour; a printer page has none.
    virtual void clear() = 0;
    void setLineWidth(int pixels);
    // Colours are 0x00BBGGRR values.
    void line(const QPointF& from, const QPointF& to, int color);
    // Filled and outlined in one colour, both corners included.
    void filledBox(const QPointF& from, const QPointF& to, int color);

    // An empty name or a size of 0 or less keeps the current one.
    void setFont(const QString& name, double points, bool bold, bool italic);
    // The current font with its size in points (weight, underline and strike-out too).
    const QFont& font() const { return m_font; }
    void setTextColor(int color);
    int textColor() const { return m_textColor; }

    // Top-left of the cell where the next text starts.
    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }
    // One line with a transparent background; then x returns to 0 and y moves down one
    // line height.
    void printText(const QString& text);
    double textWidth(const QString& text) const;
    // The line height of the current font (ascent plus descent).
    double textHeight(const QString& text) const;
    // How many lines printed one under the other from y = top start on the surface; what
    // starts below its bottom edge cannot be seen.
    int linesToBottom(double top) const;

    // Copies the source region (in the picture's own millimetres) to dest, stretched to
    // destSize; an invalid destSize copies it 1:1. Parts of the region outside the
    // picture draw nothing.
    void paintPicture(const PictureImage& picture, const QPointF& dest, const QRectF& source,
                      const QSizeF& destSize = QSizeF());
    // While on, paintPicture draws nothing and only starts decoding the parts it would
    // draw, on other cores, for the drawing that follows.
    void setDecodeAheadOnly(bool on) { m_decodeAheadOnly = on; }

    // In units of the current scale.
    double width() const { return pixelWidth() / m_unitX; }
    double height() const { return pixelHeight() / m_unitY; }
    int pixelWidth() const;
    int pixelHeight() const;

    // The painter drawing on the device, for what the operations above cannot do
    // (rotated text, background mode).
    virtual QPainter& deviceContext() = 0;
    // The device being drawn on (for font metrics at its resolution).
    QPaintDevice& device() const { return m_device; }

protected:
    DrawingSurface(QPaintDevice& device, double dpiX, double dpiY);
    // Draws the source pixels of a picture into the device rectangle target.
    virtual void drawPicturePart(const QRectF& target, const QImage& picture, const QRectF& sourcePixels);

private:
    QPointF toDevice(const QPointF& p) const { return QPointF(p.x() * m_unitX, p.y() * m_unitY); }

    QPaintDevice& m_device;
    double m_dpiX;
    double m_dpiY;
    double m_unitX = 1;
    double m_unitY = 1;
    int m_lineWidth = 1;
    bool m_decodeAheadOnly = false;
    QFont m_font;
    int m_textColor = 0;
    double m_x = 0;
    double m_y = 0;
};

// A sheet drawn into an image at any resolution, on a white background: the previews,
// the command line and the tests.
class ImageSurface : public DrawingSurface {
public:
    ImageSurface(const QSizeF& sizeMm, double dpi);
    ~ImageSurface() override;

    void clear() override;
    QPainter& deviceContext() override;
    // What has been drawn so far; the next drawing operation carries on on the same image.
    const QImage& image();

private:
    QImage m_image;
    QPainter m_painter;
};

// A printer page at true size: the whole paper, no margins, millimetres from the paper's
// top-left corner. Painting starts when the surface is made; newPage() moves to the next
// page and end() finishes the document.
class PrinterSurface : public DrawingSurface {
public:
    explicit PrinterSurface(QPagedPaintDevice& device);
    ~PrinterSurface() override;

    // Pages start blank; there is nothing to fill.
    void clear() override {}
    QPainter& deviceContext() override { return m_painter; }
    // False when the device could not be opened for painting.
    bool isActive() const { return m_painter.isActive(); }
    // Everything drawn from now on, on every page, goes through this transform of device
    // pixels (a printer's calibration).
    void setCorrection(const QTransform& transform);
    // Only between pages: after the last one it would add an empty sheet.
    bool newPage();
    // Finishes the document; false when that failed.
    bool end();

protected:
    void drawPicturePart(const QRectF& target, const QImage& picture, const QRectF& sourcePixels) override;

private:
    QPagedPaintDevice& m_pages;
    QPainter m_painter;
};
