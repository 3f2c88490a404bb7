#pragma once

#include "document/cover_document.h"

#include <QString>
#include <QWidget>

#include <vector>

class PrinterCatalog;
struct CoverFileContext;
class QAction;
class QComboBox;
class QMenu;
class QMenuBar;
class QSize;
class QTabWidget;

// The one editor of the program: the "Back cover" and "Front cover" tabs with their
// previews and settings, and the menu bar. It holds the cover document for the life
// of the program.
class EditorWindow final : public QWidget {
    Q_OBJECT
public:
    explicit EditorWindow(const PrinterCatalog& printers, QWidget* parent = nullptr);

    CoverDocument& document() { return m_document; }

    // The editor's start-up: font lists, language, profile, an empty cover. Shows the window.
    void load();

    // Opens a cover archive.
    void OpenSub(const QString& path);
    // True when the document may be replaced: saved, saved now, or changes given up.
    bool CheckIfSaved();

    // Builds the Language submenu from the language files and marks the current language.
    void GetLanguages();
    // Sets the captions from the loaded language.
    void ApplyLanguage();

    QMenu* fileMenu() const { return m_fileMenu; }

    // Where the file dialogs and the picture dialogs open.
    QString lastPath() const { return m_lastPath; }
    void setLastPath(const QString& folder) { m_lastPath = folder; }
    QString lastPicturePath() const { return m_lastPicturePath; }
    void setLastPicturePath(const QString& folder) { m_lastPicturePath = folder; }

signals:
    // Exit or Esc: the frame is to close, which closes this window first.
    void exitRequested();
    // The shut-down has run; the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct FontPair {
        QComboBox* face;
        QComboBox* size;
    };

    void buildMenus(QMenuBar* bar);
    QWidget* buildBackTab();
    QWidget* buildFrontTab();
    // A frame with a "Font face" and a "Font size" list; prefix names its caption controls.
    QWidget* fontGroup(const QString& title, const QString& prefix, const QString& faceName,
                       const QString& sizeName, FontPair& pair);
    QWidget* previewArea(const QString& name, const QSize& minimum);
    void addPreviewMenu(const QString& name);

    void fillFontLists();
    void selectDefaultFonts();
    void languageChosen(int index);
    // Shut-down after CheckIfSaved agreed: the per-user settings, then the working folder.
    void unload();

    // The New command: an empty cover with the current preset.
    void ClearAll_Click();
    // The pieces of the file commands, presets, recent files and previews hook in here.
    void FlushTmp();
    void GetPreset();
    void UpdateResent();
    void saveCommand();
    // The file and picture commands work on this window's document, folders and previews.
    CoverFileContext fileContext();
    void keepFolders(const CoverFileContext& ctx);
    void drawBack();
    void drawFront();
    void File_Click();

    const PrinterCatalog& m_printers;
    CoverDocument m_document;
    bool m_loaded = false;
    QString m_lastPath;
    QString m_lastPicturePath;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    // Entry 0 is the designed one; the others are made from the language files.
    std::vector<QAction*> m_languageActions;
    QAction* m_showResent = nullptr;
    // The pop-up menus of the back preview and of the inner and outer front halves.
    std::vector<QMenu*> m_previewMenus;

    QTabWidget* m_mainTabs = nullptr;
    QWidget* m_backPreviewArea = nullptr;
    QWidget* m_frontPreviewArea = nullptr;
    FontPair m_label{};
    FontPair m_contents{};
    FontPair m_inner{};
    FontPair m_outer{};
};
