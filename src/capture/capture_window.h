#pragma once

#include <QPointer>
#include <QWidget>

class ColorCapture;

// The colour capture window: the capture control with "Capture now" and "Close",
// above all other windows. During a capture it and the main frame are minimised, so
// that what lies behind them can be picked, and come back afterwards.
class ColorCaptureWindow final : public QWidget {
    Q_OBJECT
public:
    // frame: the program's main window, minimised during a capture (may be null).
    explicit ColorCaptureWindow(QWidget* frame);

    // The menu command: shows the one window, creating it when needed.
    static ColorCaptureWindow* showFor(QWidget* frame);

    ColorCapture* control() const { return m_control; }

private:
    void captureStarted();
    void captureDone();

    QPointer<QWidget> m_frame;
    Qt::WindowStates m_frameState;
    ColorCapture* m_control;
};
