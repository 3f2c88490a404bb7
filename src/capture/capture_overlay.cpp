#include "capture/capture_overlay.h"

#include "capture/capture_state.h"
#include "capture/color_notation.h"
#include "document/cover_document.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {

// The info window's drawing positions are given in twips, 15 to a pixel.
constexpr int kTwipsPerPixel = 15;
constexpr int px(int twips) { return twips / kTwipsPerPixel; }

// A thin cross with an open centre, so the pixel under it stays visible.
QCursor pickCursor()
{
    QPixmap shape(32, 32);
    shape.fill(Qt::transparent);
    QPainter p(&shape);
    for (const auto& [colour, offset] : {std::pair{QColor(Qt::white), 1}, std::pair{QColor(Qt::black), 0}}) {
        p.setPen(colour);
        p.drawLine(15 + offset, 2, 15 + offset, 12);
        p.drawLine(15 + offset, 18, 15 + offset, 29);
        p.drawLine(2, 15 + offset, 12, 15 + offset);
        p.drawLine(18, 15 + offset, 29, 15 + offset);
    }
    return QCursor(shape, 15, 15);
}

void paintSwatch(QWidget* swatch, int colour)
{
    QPalette p = swatch->palette();
    p.setColor(QPalette::Window, colorFromValue(colour));
    swatch->setPalette(p);
}

} // namespace

class CaptureInfo::TextArea final : public QWidget {
public:
    explicit TextArea(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("captureInfoText"));
        QFont courier(QStringLiteral("Courier"));
        courier.setStyleHint(QFont::TypeWriter);
        courier.setPointSizeF(9.75);
        setFont(courier);
        setAutoFillBackground(true);
        const QFontMetrics m(courier);
        setFixedSize(px(90) * 2 + m.horizontalAdvance(QStringLiteral("RGB : 255,255,255")),
                     px(45) * 2 + 4 * m.height() + px(30));
    }
    int colour = -1;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        const QFontMetrics m(font());
        const int x = px(90);
        int y = px(45);
        const auto line = [&](const QString& text) {
            p.drawText(x, y + m.ascent(), text);
            y += m.height();
        };
        line(QStringLiteral("COLOR CAPTURE:"));
        p.fillRect(0, y + px(15), width(), qMax(1, px(30) - px(15)), Qt::black);
        y += px(30);
        if (colour < 0)
            return;
        const QString hex = ColorToHex(colour);
        line(QStringLiteral("LONG: %1").arg(colour));
        line(QStringLiteral("HEX : #") + hex);
        line(QStringLiteral("RGB : ") + HexToRgbText(hex, false));
    }
};

CaptureInfo::CaptureInfo(QScreen* screen)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_text(new TextArea(this)),
      m_swatch(new QWidget(this))
{
    setObjectName(QStringLiteral("captureInfo"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    m_swatch->setObjectName(QStringLiteral("captureInfoSwatch"));
    m_swatch->setAutoFillBackground(true);
    m_swatch->setFixedSize(m_text->height(), m_text->height());
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(m_text);
    layout->addWidget(m_swatch);
    setScreen(screen);
    move(screen->geometry().topLeft());
    // Shown after the overlay, it is lifted above it once both are up.
    QTimer::singleShot(50, this, [this] { raise(); });
}

void CaptureInfo::showColour(int colour)
{
    m_colour = colour;
    m_text->colour = colour;
    m_text->update();
    paintSwatch(m_swatch, colour);
}

void CaptureInfo::mousePressEvent(QMouseEvent*)
{
    if (windowHandle())
        windowHandle()->startSystemMove();
}

CaptureOverlay::CaptureOverlay(QScreen* screen, const QImage& still)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_still(still),
      m_info(new CaptureInfo(screen))
{
    setObjectName(QStringLiteral("captureOverlay"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(pickCursor());
    setScreen(screen);
    setGeometry(screen->geometry());
}

void CaptureOverlay::start()
{
    showFullScreen();
    raise();
    activateWindow();
    m_info->show();
}

CaptureOverlay::~CaptureOverlay()
{
    if (m_info)
        m_info->close();
}

void CaptureOverlay::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // The image holds device pixels and knows their ratio, so it fills the window
    // pixel for pixel.
    p.drawImage(QPoint(0, 0), m_still);
}

void CaptureOverlay::take(const QPointF& point)
{
    if (m_cancelled)
        return;
    const int colour = ColourAt(m_still, point);
    if (colour < 0)
        return;
    CaptureState& state = captureState();
    state.capturedColor = colour;
    if (state.running && m_info)
        m_info->showColour(colour);
}

void CaptureOverlay::mouseMoveEvent(QMouseEvent* event)
{
    take(event->position());
}

void CaptureOverlay::mousePressEvent(QMouseEvent* event)
{
    // The colour under the click, even when the mouse did not move before it.
    take(event->position());
    close();
}

void CaptureOverlay::keyPressEvent(QKeyEvent*)
{
    m_cancelled = true;
    captureState().capturedColor = -1;
    close();
}

void CaptureOverlay::closeEvent(QCloseEvent* event)
{
    if (m_info)
        m_info->close();
    m_info = nullptr;
    captureState().ended = true;
    QWidget::closeEvent(event);
}
