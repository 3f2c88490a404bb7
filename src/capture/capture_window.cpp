#include "capture/capture_window.h"

#include "capture/color_capture.h"
#include "shell/language.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString caption(int n, const char* designed)
{
    const QString text = Lang(LangSection::Common, n);
    return text.isEmpty() ? QString::fromLatin1(designed) : text;
}

} // namespace

ColorCaptureWindow::ColorCaptureWindow(QWidget* frame)
    : QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint), m_frame(frame), m_control(new ColorCapture(this))
{
    setObjectName(QStringLiteral("colorCaptureWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Twk Color Capture"));
    if (frame)
        setWindowIcon(frame->windowIcon());
    auto* captureNow = new QPushButton(caption(3, "Capture now"), this);
    captureNow->setObjectName(QStringLiteral("captureNow"));
    auto* close = new QPushButton(caption(1, "Close"), this);
    close->setObjectName(QStringLiteral("close"));
    captureNow->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(captureNow);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_control);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(captureNow, &QPushButton::clicked, m_control, &ColorCapture::CaptureNow);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_control, &ColorCapture::CaptureStart, this, &ColorCaptureWindow::captureStarted);
    connect(m_control, &ColorCapture::CaptureDone, this, &ColorCaptureWindow::captureDone);
}

ColorCaptureWindow* ColorCaptureWindow::showFor(QWidget* frame)
{
    static QPointer<ColorCaptureWindow> window;
    if (!window)
        window = new ColorCaptureWindow(frame);
    window->showNormal();
    window->raise();
    window->activateWindow();
    return window;
}

void ColorCaptureWindow::captureStarted()
{
    if (m_frame) {
        m_frameState = m_frame->windowState();
        m_frame->setWindowState(m_frameState | Qt::WindowMinimized);
    }
    setWindowState(windowState() | Qt::WindowMinimized);
}

void ColorCaptureWindow::captureDone()
{
    if (m_frame) {
        m_frame->setWindowState(m_frameState);
        if (!(m_frameState & Qt::WindowMinimized))
            m_frame->show();
    }
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}
