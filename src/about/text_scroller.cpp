#include "about/text_scroller.h"

#include "about/scroll_lines.h"
#include "document/cover_document.h"
#include "toolbox/paths.h"
#include "toolbox/win1252.h"

#include <QEvent>
#include <QFile>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace {

// How late a tick may be and still make up for the steps it missed; beyond that the
// program was busy and the text goes on from where it is rather than jumping.
constexpr qint64 kMaxCatchUpMs = 250;
constexpr int kPauseTickMs = 5;
constexpr int kPauseStepMs = 15;
constexpr int kPausedPeriodMs = 60;
constexpr int kFastPeriodMs = 5;

QPoint shadowStep(int direction)
{
    switch (direction) {
    case 0:
    case 4: return {-1, -1};
    case 1: return {1, 1};
    case 2: return {-1, 1};
    case 3: return {1, -1};
    default: return {0, 0};
    }
}

bool scrollsUp(int direction) { return direction == kScrollUp0 || direction == kScrollUp; }

} // namespace

TextScroller::TextScroller(QWidget* parent)
    : QFrame(parent),
      m_backColor(colorValue((parent ? parent : this)->palette().color(QPalette::Window))),
      m_text(QStringLiteral("Caseleaf text scroller")),
      m_stepTimer(new QTimer(this)),
      m_pauseTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("textScroller"));
    setBorderStyle(m_borderStyle);
    m_stepTimer->setTimerType(Qt::PreciseTimer);
    m_stepTimer->setInterval(m_period);
    m_pauseTimer->setInterval(kPauseTickMs);
    connect(m_stepTimer, &QTimer::timeout, this, &TextScroller::stepTick);
    connect(m_pauseTimer, &QTimer::timeout, this, &TextScroller::pauseTick);
    render();
}

void TextScroller::setBackColor(int colour)
{
    m_backColor = colour;
    update();
}

void TextScroller::setBackStyle(int style)
{
    m_backStyle = style;
    update();
}

void TextScroller::setBorderStyle(int style)
{
    m_borderStyle = style;
    setFrameStyle(style == 1 ? QFrame::Panel | QFrame::Sunken : QFrame::NoFrame);
    setLineWidth(1);
    render();
}

void TextScroller::setText(const QString& text)
{
    m_text = text;
    render();
}

void TextScroller::setFontColor(int colour)
{
    m_fontColor = colour;
    render();
}

void TextScroller::setShadowColor(int colour)
{
    m_shadowColor = colour;
    render();
}

void TextScroller::setShadowSize(int size)
{
    m_shadowSize = qMax(0, size);
    render();
}

void TextScroller::setShadowDirection(int direction)
{
    m_shadowDirection = direction;
    render();
}

void TextScroller::setScrollDirection(int direction)
{
    m_scrollDirection = direction;
    render();
}

void TextScroller::setScrollSpeed(int milliseconds)
{
    m_nominalPeriod = qMax(1, milliseconds);
    setPeriod(m_nominalPeriod);
}

void TextScroller::setScrollRepeatCount(float count)
{
    m_repeatCount = count;
}

void TextScroller::setTextAlign(int align)
{
    m_textAlign = align;
    render();
}

void TextScroller::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    render();
}

bool TextScroller::IsScrolling() const
{
    return m_stepTimer->isActive();
}

void TextScroller::StartScroll()
{
    render();
    startStepping();
}

void TextScroller::StopScroll()
{
    m_stepTimer->stop();
    render();
    m_passes = 0;
}

bool TextScroller::LoadFromFile(const QString& strFilePath)
{
    if (!FileExists(strFilePath))
        return false;
    QFile file(strFilePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString text = fromWin1252(file.readAll());
    // Files written on Linux end their lines in LF alone.
    text.replace(QLatin1String("\r\n"), QLatin1String("|"));
    text.replace(QLatin1Char('\n'), QLatin1Char('|'));
    setText(text);
    return true;
}

void TextScroller::Pause()
{
    m_pausing = !m_pausing;
    m_pauseTimer->start();
    if (!m_pausing)
        startStepping();
}

void TextScroller::pauseTick()
{
    int period = m_period;
    if (m_pausing) {
        if (period < kPausedPeriodMs) {
            period += kPauseStepMs;
        } else {
            m_stepTimer->stop();
            m_pauseTimer->stop();
        }
    } else {
        period = m_nominalPeriod;
        m_pauseTimer->stop();
    }
    setPeriod(period);
}

void TextScroller::setPeriod(int milliseconds)
{
    m_period = qMax(1, milliseconds);
    m_stepTimer->setInterval(m_period);
    m_clock.restart();
    m_stepsDone = 0;
}

void TextScroller::startStepping()
{
    m_clock.restart();
    m_stepsDone = 0;
    m_stepTimer->start(m_period);
}

int TextScroller::lineStep() const
{
    return fontMetrics().height() + m_shadowSize;
}

void TextScroller::render()
{
    const bool running = m_stepTimer->isActive();
    m_stepTimer->stop();
    const QFontMetrics metrics = fontMetrics();
    const QSize view = contentsRect().size();
    const int shadow = m_shadowSize;
    m_lines = SplitScrollLines(m_text, m_scrollDirection, m_wordWrap, view.width(), shadow,
                               [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    if (scrollsUp(m_scrollDirection)) {
        int width = view.width();
        for (const QString& line : m_lines) {
            const int lineWidth = metrics.horizontalAdvance(line);
            if (lineWidth + 2 * shadow > width)
                width = lineWidth + 2 * shadow + 20;
        }
        m_picture = QSize(width, lineStep() * qMax(0, int(m_lines.size()) - 1) + view.height() + 20);
        int x = 0;
        if (m_textAlign == 0 || m_textAlign == 3)
            x = 1;
        else if (m_textAlign == 2)
            x = view.width() - width;
        else if (m_textAlign == 1)
            x = view.width() < width ? 0 : view.width() / 2 - width / 2;
        m_placement = QPoint(x, 0);
    } else {
        m_picture = QSize(metrics.horizontalAdvance(m_lines.value(0)) + shadow + view.width() + 20,
                          metrics.height() + shadow + 1);
        m_placement = QPoint(0, view.height() < m_picture.height() ? 0 : view.height() / 2 - m_picture.height() / 2);
    }
    m_vertical = view.height();
    m_horizontal = view.width();
    if (running)
        startStepping();
    update();
}

QPoint TextScroller::picturePosition() const
{
    return scrollsUp(m_scrollDirection) ? QPoint(m_placement.x(), m_vertical) : QPoint(m_horizontal, m_placement.y());
}

void TextScroller::stepTick()
{
    qint64 steps = m_clock.elapsed() / m_period - m_stepsDone;
    if (steps <= 0)
        return;
    if (steps * m_period > kMaxCatchUpMs) {
        m_clock.restart();
        m_stepsDone = 0;
        steps = 1;
    } else {
        m_stepsDone += steps;
    }
    for (qint64 i = 0; i < steps; ++i) {
        if (step()) {
            endOfPass();
            return;
        }
    }
    update();
}

bool TextScroller::step()
{
    const QSize view = contentsRect().size();
    if (scrollsUp(m_scrollDirection))
        return --m_vertical <= view.height() - m_picture.height();
    if (m_scrollDirection == kScrollLeft)
        return --m_horizontal <= view.width() - m_picture.width();
    return false;
}

void TextScroller::endOfPass()
{
    if (m_repeatCount > 0 && ++m_passes >= m_repeatCount) {
        m_stepTimer->stop();
        m_passes = 0;
    }
    render();
    emit ScrollFinished();
}

int TextScroller::lineX(int lineWidth) const
{
    const int shadow = m_shadowSize;
    switch (m_textAlign) {
    case 0:
    case 3: return shadow + 1;
    case 1: return (m_picture.width() / 2 - lineWidth / 2) - shadow - 8;
    case 2: return m_picture.width() - lineWidth - 2 * shadow;
    default: return 0;
    }
}

void TextScroller::drawLine(QPainter& painter, const QString& line, QPoint origin) const
{
    const int ascent = fontMetrics().ascent();
    const QPoint shift = shadowStep(m_shadowDirection);
    painter.setPen(colorFromValue(m_shadowColor));
    for (int i = 0; i < m_shadowSize; ++i) {
        painter.drawText(origin.x(), origin.y() + ascent, line);
        origin += shift;
    }
    painter.setPen(colorFromValue(m_fontColor));
    painter.drawText(origin.x(), origin.y() + ascent, line);
}

void TextScroller::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        const QRect view = contentsRect();
        painter.setClipRect(view);
        painter.translate(view.topLeft());
        const QColor back = colorFromValue(m_backColor);
        if (m_backStyle == 1)
            painter.fillRect(QRect(QPoint(0, 0), view.size()), back);
        const QPoint origin = picturePosition();
        painter.fillRect(QRect(origin, m_picture), back);
        const int step = lineStep();
        const int margin = m_shadowSize + 1;
        for (int i = 0; i < m_lines.size(); ++i) {
            const int y = origin.y() + (scrollsUp(m_scrollDirection) ? i * step : 0);
            if (y + step + margin < 0)
                continue;
            if (y - margin > view.height())
                break;
            const QString& line = m_lines.at(i);
            drawLine(painter, line, QPoint(origin.x() + lineX(fontMetrics().horizontalAdvance(line)), y));
        }
    }
    QFrame::paintEvent(event);
}

void TextScroller::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    render();
}

void TextScroller::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        render();
}

void TextScroller::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit Click();
    else if (!m_pausing)
        setPeriod(kFastPeriodMs);
}

void TextScroller::mouseReleaseEvent(QMouseEvent* event)
{
    // Whichever button sped the text up lets it go back to its speed.
    if (event->button() != Qt::LeftButton && !m_pausing)
        setPeriod(m_nominalPeriod);
}

void TextScroller::mouseDoubleClickEvent(QMouseEvent*)
{
    emit DblClick();
}
