#include "editor/preview_interaction.h"

#include "editor/preview_widget.h"
#include "render/sheet_geometry.h"

#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

namespace {

// The margin around both sheets outside their cut lines.
constexpr double kEdge = 5;

bool between(double value, double low, double high)
{
    return low < value && value < high;
}

} // namespace

BackTab backTabAt(const QPointF& mm)
{
    using namespace backsheet;
    const bool inHeight = between(mm.y(), kCutTop, kCutBottom);
    if (inHeight && (between(mm.x(), kCutLeft, kCrullLeft) || between(mm.x(), kCrullRight, kCutRight)))
        return BackTab::Label;
    if (inHeight && between(mm.x(), kCutLeft, kCutRight))
        return BackTab::Text;
    return BackTab::Global;
}

FrontTab frontTabAt(const QPointF& mm, const QSizeF& sheet)
{
    using namespace frontsheet;
    if (!between(mm.y(), kEdge, sheet.height() - kEdge))
        return FrontTab::Global;
    if (between(mm.x(), kFold, sheet.width() - kEdge))
        return FrontTab::Outer;
    // The fold is the inner half's, as for its pop-up menu and double-click.
    if (kEdge < mm.x() && mm.x() <= kFold)
        return FrontTab::Inner;
    return FrontTab::Global;
}

TextSlot frontHalfAt(double xMm)
{
    return xMm <= frontsheet::kFold ? TextSlot::Inner : TextSlot::Outer;
}

PreviewInteraction::PreviewInteraction(PreviewWidget* back, PreviewWidget* front, QTabWidget* backTabs,
                                       QTabWidget* frontTabs, EditModes& modes, const Popups& popups,
                                       QTabBar* mainTabBar)
    : QObject(back)
    , m_front(front)
    , m_backTabs(backTabs)
    , m_frontTabs(frontTabs)
    , m_modes(modes)
    , m_popups(popups)
    , m_mainTabBar(mainTabBar)
{
    connect(back, &PreviewWidget::pressed, this, &PreviewInteraction::backPressed);
    connect(front, &PreviewWidget::pressed, this, &PreviewInteraction::frontPressed);
    connect(back, &PreviewWidget::doubleClicked, this, [this] { m_modes.toggle(TextSlot::Contents); });
    // The press before a double-click has stored its x.
    connect(front, &PreviewWidget::doubleClicked, this, [this] { m_modes.toggle(frontHalfAt(m_lastFrontX)); });
    connect(&modes, &EditModes::boxClicked, this, &PreviewInteraction::boxClicked);
    connect(&modes, &EditModes::boxDoubleClicked, this, [this](TextSlot slot) { m_modes.toggle(slot); });
    m_mainTabBar->installEventFilter(this);
}

void PreviewInteraction::backPressed(const QPointF& mm, Qt::MouseButton button, const QPoint& global)
{
    if (button == Qt::RightButton)
        m_popups.back->popup(global);
    else
        m_backTabs->setCurrentIndex(int(backTabAt(mm)));
}

void PreviewInteraction::frontPressed(const QPointF& mm, Qt::MouseButton button, const QPoint& global)
{
    m_lastFrontX = mm.x();
    if (button == Qt::LeftButton)
        m_frontTabs->setCurrentIndex(int(frontTabAt(mm, m_front->sheetSizeMm())));
    else if (button == Qt::RightButton)
        (frontHalfAt(mm.x()) == TextSlot::Inner ? m_popups.inner : m_popups.outer)->popup(global);
}

void PreviewInteraction::boxClicked(TextSlot slot)
{
    switch (slot) {
    case TextSlot::Contents: m_backTabs->setCurrentIndex(int(BackTab::Text)); break;
    case TextSlot::Inner: m_frontTabs->setCurrentIndex(int(FrontTab::Inner)); break;
    case TextSlot::Outer: m_frontTabs->setCurrentIndex(int(FrontTab::Outer)); break;
    }
}

bool PreviewInteraction::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mainTabBar && event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            emit fileMenuRequested(mouse->globalPosition().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
