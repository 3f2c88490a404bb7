#include "editor/preview_zoom.h"

#include "editor/preview_widget.h"

#include <QEvent>
#include <QScrollArea>
#include <QTabWidget>

#include <algorithm>
#include <iterator>

namespace {

// Above 300 % a sheet's image at a pixel ratio of 2 would pass 60 megabytes.
constexpr double kSteps[] = {0.25, 0.33, 0.5, 0.67, 0.75, 1, 1.25, 1.5, 2, 3};
constexpr double kNear = 1e-3;

} // namespace

PreviewZoom::PreviewZoom(const View& back, const View& front, QTabWidget* tabs, QObject* parent)
    : QObject(parent), m_views{back, front}, m_tabs(tabs)
{
    for (const View& view : m_views) {
        view.area->viewport()->installEventFilter(this);
        connect(view.preview, &PreviewWidget::zoomRequested, this, [this](int steps) {
            if (steps > 0)
                zoomIn();
            else
                zoomOut();
        });
    }
}

double PreviewZoom::current() const
{
    return m_views[m_tabs->currentIndex() == 1 ? 1 : 0].preview->zoom();
}

void PreviewZoom::zoomIn()
{
    const double zoom = current();
    const auto next = std::find_if(std::begin(kSteps), std::end(kSteps), [zoom](double s) { return s > zoom + kNear; });
    setZoom(next != std::end(kSteps) ? *next : kSteps[std::size(kSteps) - 1]);
}

void PreviewZoom::zoomOut()
{
    const double zoom = current();
    const auto before =
        std::find_if(std::rbegin(kSteps), std::rend(kSteps), [zoom](double s) { return s < zoom - kNear; });
    setZoom(before != std::rend(kSteps) ? *before : kSteps[0]);
}

void PreviewZoom::actualSize()
{
    setZoom(1);
}

void PreviewZoom::fit()
{
    setFitting(true);
    fitViews();
}

void PreviewZoom::setZoom(double zoom)
{
    setFitting(false);
    for (const View& view : m_views)
        view.preview->setZoom(zoom);
}

void PreviewZoom::setFitting(bool fitting)
{
    if (fitting == m_fitting)
        return;
    m_fitting = fitting;
    emit fittingChanged(fitting);
}

// Each sheet as large as its space allows, whole.
void PreviewZoom::fitViews()
{
    for (const View& view : m_views) {
        const QSize space = view.area->maximumViewportSize();
        const QSizeF sheet = view.preview->sheetSizeMm() * view.preview->truePixelsPerMm();
        // A pixel to spare, so that rounding never brings up a scroll bar.
        const double zoom = std::min((space.width() - 1) / sheet.width(), (space.height() - 1) / sheet.height());
        view.preview->setZoom(std::clamp(zoom, kSteps[0], kSteps[std::size(kSteps) - 1]));
    }
}

bool PreviewZoom::eventFilter(QObject* watched, QEvent* event)
{
    if (m_fitting && event->type() == QEvent::Resize)
        fitViews();
    return QObject::eventFilter(watched, event);
}
