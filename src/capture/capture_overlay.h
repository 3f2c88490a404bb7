#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class QScreen;

// The small window at the screen's top-left corner that shows the colour under the
// mouse during a capture; the user can drag it out of the way.
class CaptureInfo final : public QWidget {
    Q_OBJECT
public:
    explicit CaptureInfo(QScreen* screen);
    void showColour(int colour);
    int shownColour() const { return m_colour; }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    class TextArea;
    TextArea* m_text;
    QWidget* m_swatch;
    int m_colour = -1;
};

// Covers a screen with a still image of it taken when the capture began, so that the
// colour picked is the one seen then. A click takes the colour under the mouse; any
// key cancels. Either way the overlay closes itself and marks the capture ended.
class CaptureOverlay final : public QWidget {
    Q_OBJECT
public:
    CaptureOverlay(QScreen* screen, const QImage& still);
    ~CaptureOverlay() override;

    // Shows the overlay over its screen and the info window above it.
    void start();
    CaptureInfo* info() const { return m_info; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void take(const QPointF& point);

    QImage m_still;
    QPointer<CaptureInfo> m_info;
    bool m_cancelled = false;
};
