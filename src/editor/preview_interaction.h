#pragma once

#include "editor/edit_modes.h"

#include <QObject>
#include <QPointF>
#include <QSizeF>

class PreviewWidget;
class QMenu;
class QTabBar;
class QTabWidget;

// The settings tabs of each sheet, by their index.
enum class BackTab { Global = 0, Label = 1, Text = 2 };
enum class FrontTab { Global = 0, Inner = 1, Outer = 2 };

// The settings tab a click selects: a spine strip "Label", the rest of the inlay "Text".
BackTab backTabAt(const QPointF& mm);
// The outer half "Outer-side", the inner half with the fold "Inner-side"; sheet is the
// drawn size.
FrontTab frontTabAt(const QPointF& mm, const QSizeF& sheet);
// Which half a front point belongs to for its pop-up menu and double-click; the fold is
// the inner half's.
TextSlot frontHalfAt(double xMm);

// What the mouse does on the previews and their text boxes: clicks choose the settings
// tab of the place, the right button opens that place's pop-up menu, a double-click
// switches the place's text edit mode; a right press on the main tab strip asks for the
// File menu.
class PreviewInteraction final : public QObject {
    Q_OBJECT
public:
    struct Popups {
        QMenu* back;
        QMenu* inner;
        QMenu* outer;
    };
    PreviewInteraction(PreviewWidget* back, PreviewWidget* front, QTabWidget* backTabs, QTabWidget* frontTabs,
                       EditModes& modes, const Popups& popups, QTabBar* mainTabBar);

    // The x (mm) of the last press on the front preview.
    double lastFrontX() const { return m_lastFrontX; }

signals:
    void fileMenuRequested(const QPoint& global);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void backPressed(const QPointF& mm, Qt::MouseButton button, const QPoint& global);
    void frontPressed(const QPointF& mm, Qt::MouseButton button, const QPoint& global);
    void boxClicked(TextSlot slot);

    PreviewWidget* m_front;
    QTabWidget* m_backTabs;
    QTabWidget* m_frontTabs;
    EditModes& m_modes;
    Popups m_popups;
    QTabBar* m_mainTabBar;
    double m_lastFrontX = 0;
};
