#pragma once

#include <QPointer>
#include <QWidget>

class CaptureOverlay;
class PortalColorPicker;
class QLineEdit;
class QTimer;

// The capture control: three boxes with the captured colour as "#RRGGBB", as a colour
// value and as R,G,B, and a swatch. CaptureNow lets the user pick a colour anywhere on
// the screen; the boxes keep their values when the capture is cancelled.
class ColorCapture final : public QWidget {
    Q_OBJECT
public:
    explicit ColorCapture(QWidget* parent = nullptr);

    // Starts a capture: CaptureStart first, so that the host can step out of the way.
    void CaptureNow();
    // Shows the captured colour (unless the capture was cancelled) and raises CaptureDone.
    void SetRes();
    bool capturing() const { return m_capturing; }

signals:
    void CaptureStart();
    // After every capture, also a cancelled one: the boxes' colour read back.
    void CaptureDone(int red, int green, int blue, const QString& hex, int colour);

private:
    void beginCapture();
    void tick();
    void endWithoutColour(const QString& why);
    PortalColorPicker* portal();

    QLineEdit* m_hex;
    QLineEdit* m_long;
    QLineEdit* m_rgb;
    QWidget* m_swatch;
    QTimer* m_timer;
    QPointer<CaptureOverlay> m_overlay;
    PortalColorPicker* m_portal = nullptr;
    bool m_capturing = false;
    QString m_failure;
};
