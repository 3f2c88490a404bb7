#include "capture/color_capture.h"

#include "capture/capture_overlay.h"
#include "capture/capture_state.h"
#include "capture/color_notation.h"
#include "document/cover_document.h"
#include "platform/dialogs.h"
#include "platform/screen_grab.h"
#include "shell/progress.h"

#include <QCursor>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Time for minimised windows to leave the screen before it is copied; window
// managers animate the minimising.
constexpr int kSettleMs = 300;
constexpr int kPollMs = 5;

QLineEdit* box(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QString portalWindowId(const QWidget* window)
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return QStringLiteral("x11:%1").arg(window->window()->winId(), 0, 16);
    return QString();
}

} // namespace

ColorCapture::ColorCapture(QWidget* parent)
    : QWidget(parent),
      m_hex(box(this, "hexBox")),
      m_long(box(this, "longBox")),
      m_rgb(box(this, "rgbBox")),
      m_swatch(new QWidget(this)),
      m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("colorCapture"));
    m_swatch->setObjectName(QStringLiteral("swatch"));
    m_swatch->setAutoFillBackground(true);
    m_swatch->setMinimumHeight(20);
    auto* frame = new QGroupBox(QStringLiteral("CAPTURE CONTROL"), this);
    auto* grid = new QGridLayout(frame);
    const std::pair<const char*, QWidget*> rows[] = {
        {"HEX VALUE:", m_hex}, {"LONG INTEGER VALUE:", m_long}, {"RGB VALUE:", m_rgb}, {"CAPTURED COLOR:", m_swatch}};
    int row = 0;
    for (const auto& [text, field] : rows) {
        auto* label = new QLabel(QString::fromLatin1(text), frame);
        label->setBuddy(field);
        field->setAccessibleName(label->text());
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row++, 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(frame);
    // 4215 × 2445 twips at 15 twips a pixel; larger fonts may widen it.
    setMinimumSize(281, 163);
    m_timer->setInterval(kPollMs);
    connect(m_timer, &QTimer::timeout, this, &ColorCapture::tick);
}

void ColorCapture::CaptureNow()
{
    if (m_capturing)
        return;
    m_capturing = true;
    emit CaptureStart();
    ProcessPendingEvents();
    QTimer::singleShot(kSettleMs, this, &ColorCapture::beginCapture);
}

void ColorCapture::beginCapture()
{
    CaptureState& state = captureState();
    state.ended = false;
    state.running = true;
    m_failure.clear();
    m_timer->start();
    if (screenReader().access() == ScreenAccess::Portal) {
        portal()->pick(portalWindowId(this));
        return;
    }
    QScreen* screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QImage still = screenReader().grab(screen);
    if (still.isNull()) {
        endWithoutColour(QStringLiteral("The screen could not be copied, so no colour can be picked from it."));
        return;
    }
    m_overlay = new CaptureOverlay(screen, still);
    m_overlay->start();
}

PortalColorPicker* ColorCapture::portal()
{
    if (m_portal)
        return m_portal;
    m_portal = screenReader().portalPicker(this);
    connect(m_portal, &PortalColorPicker::picked, this, [](int colour) {
        captureState().capturedColor = colour;
        captureState().ended = true;
    });
    connect(m_portal, &PortalColorPicker::cancelled, this, [] {
        captureState().capturedColor = -1;
        captureState().ended = true;
    });
    connect(m_portal, &PortalColorPicker::failed, this, [this](const QString& reason) {
        endWithoutColour(QStringLiteral("Picking a colour from the screen is not available here: this desktop "
                                        "does not let programs read the screen, and its colour picker (the "
                                        "desktop portal) did not help.\n\n")
                         + reason);
    });
    return m_portal;
}

void ColorCapture::endWithoutColour(const QString& why)
{
    // Said once the windows are back, not while they are minimised.
    m_failure = why;
    captureState().capturedColor = -1;
    captureState().ended = true;
}

void ColorCapture::tick()
{
    CaptureState& state = captureState();
    if (!state.ended)
        return;
    m_timer->stop();
    state.ended = false;
    m_capturing = false;
    SetRes();
    if (!m_failure.isEmpty())
        MsgBox(m_failure, MsgIcon::Exclamation);
}

void ColorCapture::SetRes()
{
    const int colour = captureState().capturedColor;
    if (colour >= 0) {
        const QString hex = ColorToHex(colour);
        m_hex->setText(QLatin1Char('#') + hex);
        m_long->setText(QString::number(colour));
        m_rgb->setText(HexToRgbText(hex, false));
        QPalette p = m_swatch->palette();
        p.setColor(QPalette::Window, colorFromValue(colour));
        m_swatch->setPalette(p);
    }
    const QStringList parts = m_rgb->text().split(QLatin1Char(','));
    const auto part = [&parts](int i) { return ToInt16(leadingNumber(parts.value(i))); };
    emit CaptureDone(part(0), part(1), part(2), m_hex->text(), ToInt32(leadingNumber(m_long->text())));
}
