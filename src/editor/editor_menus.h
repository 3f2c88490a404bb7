#pragma once

#include "editor/edit_modes.h"

#include <QObject>

#include <vector>

class QAction;
class QMenu;
class QMenuBar;

// The editor's menu bar ("File", "Edit", "Zoom", "Settings", "Tools", "Help") and the three
// pop-up menus of the previews, each entry named ("mNew", "mPrint", "mPictureInsert", ...),
// captioned as designed until a language is applied and given the desktop's usual
// shortcut. Building them connects nothing.
class EditorMenus final : public QObject {
    Q_OBJECT
public:
    // The pop-up menus become children of owner; undo and redo go into the Edit menu.
    EditorMenus(QWidget* owner, QAction* undo, QAction* redo);

    QMenuBar* bar() const { return m_bar; }
    QMenu* fileMenu() const { return m_file; }
    // The pop-up menu of the back preview (Contents) or of a front half.
    QMenu* popup(TextSlot slot) const;
    // A menu-bar entry by its name.
    QAction* action(const char* name) const;
    // An entry of a pop-up menu by its name ("mPictureInsert", "mTextEdit", ...).
    QAction* popupAction(TextSlot slot, const char* name) const;

    // Rebuilds the Language submenu from the language files and marks the current language.
    void GetLanguages();
    // The Language entries; entry 0 is the designed one.
    const std::vector<QAction*>& languageActions() const { return m_languageActions; }

signals:
    void languageChosen(int index);

private:
    void addPopup(QWidget* owner, const char* name);

    QMenuBar* m_bar;
    QMenu* m_file = nullptr;
    QMenu* m_language = nullptr;
    std::vector<QAction*> m_languageActions;
    std::vector<QMenu*> m_popups; // back, inner, outer
};
