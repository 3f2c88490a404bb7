#pragma once

#include "document/cover_document.h"
#include "editor/bindings.h"
#include "editor/edit_modes.h"
#include "editor/editor_undo.h"
#include "render/printing.h"

#include <QString>
#include <QWidget>

#include <functional>

class ControlBinder;
class EditorMenus;
class PreviewInteraction;
class PreviewWidget;
class PreviewZoom;
class PrinterCatalog;
class RecentFilesMenu;
struct CoverFileContext;
class QMenu;
class QTabWidget;

// The one editor of the program: the "Back cover" and "Front cover" tabs with their
// previews, settings and text boxes, and the menu bar. It holds the cover document for
// the life of the program; every control edits it through the binding table, and every
// edit can be undone.
class EditorWindow final : public QWidget, private UndoTarget {
    Q_OBJECT
public:
    explicit EditorWindow(const PrinterCatalog& printers, QWidget* parent = nullptr);

    CoverDocument& document() { return m_document; }

    // The editor's start-up: font lists, language, profile, an empty cover. Shows the window.
    void load();

    // Opens a cover archive; asks for one when path is empty.
    void OpenSub(const QString& path);
    // True when the document may be replaced: saved, saved now, or changes given up.
    bool CheckIfSaved();

    // Builds the Language submenu from the language files and marks the current language.
    void GetLanguages();
    // Sets every caption and the title from the loaded language.
    void ApplyLanguage();

    QMenu* fileMenu() const;
    // Refreshes the File menu before it shows: the print entry names the sheet on show.
    void File_Click();

    // Where the file dialogs and the picture dialogs open.
    QString lastPath() const { return m_lastPath; }
    void setLastPath(const QString& folder) { m_lastPath = folder; }
    QString lastPicturePath() const { return m_lastPicturePath; }
    void setLastPicturePath(const QString& folder) { m_lastPicturePath = folder; }

    // The document was replaced as a whole (a settings file): every control, text box and
    // both sheets show it. Use it as LoadIniFile's redraw.
    void documentReplaced();
    // Changes the cover as a whole (a preset applied) as one step the user can undo, named
    // by caption; change returns whether it changed anything.
    void changeDocument(const QString& caption, const std::function<bool(CoverDocument&)>& change);

    // For printing. A sheet is not printable while one of its texts is edited in place.
    bool backPrintable() const;
    bool frontPrintable() const;
    // The sheet whose tab is showing.
    Sheet currentSheet() const;
    // The editor's part in printing: the counter box, field and preview of a sheet.
    PrintHooks printHooks();

signals:
    // Exit or Esc: the frame is to close, which closes this window first.
    void exitRequested();
    // The shut-down has run; the program ends.
    void unloaded();
    // The title or its unsaved-changes mark changed.
    void titleChanged();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectCommands();

    void fillFontLists();
    void selectDefaultFonts();
    void languageChosen(int index);
    // Shut-down after CheckIfSaved agreed: the per-user settings, then the working folder.
    void unload();

    // A control changed: the change is a step of the history, which makes it.
    void applyEdit(const Binding& row, const QString& value);
    void textEdited(TextSlot slot, const QString& text);
    void restoreSetting(const Binding& row, const QString& value) override;
    void restoreText(TextSlot slot, const QString& text) override;
    void restoreDocument(const CoverDocument& doc) override;
    void editModeEnded(TextSlot slot);
    // Controls, text boxes and title show the document.
    void showDocument();
    void updateTitle();
    void redraw(Redraw sheets);
    void drawBack();
    void drawFront();
    void refuseCounterStart(Sheet sheet);
    void counterChanged(Sheet sheet);

    // The commands of the menus.
    void ClearAll_Click();
    void helpCommand();
    void insertText(TextSlot slot);
    void clearText(TextSlot slot);
    void pictureCommand(TextSlot slot, const char* entry, const std::function<bool(CoverFileContext&)>& command);
    QString popupCaption(TextSlot slot, const char* entry) const;
    void exportPicture(TextSlot slot);
    // File > Print..., File > Print preview... and Settings > Printer calibration...
    void printCommand();
    void printPreviewCommand();
    void calibrationCommand();
    // The sheet showing may be printed: none of its texts is being edited in place.
    bool currentSheetPrintable() const;
    // Runs a file command on this window's document and folders, then shows the document.
    bool runFileCommand(const std::function<bool(CoverFileContext&)>& command);

    // Where the presets, recent files and file commands of other windows hook in.
    void FlushTmp();
    void GetPreset();
    void UpdateResent();
    void AddResent(const QString& path);

    const PrinterCatalog& m_printers;
    CoverDocument m_document;
    bool m_loaded = false;
    QString m_lastPath;
    QString m_lastPicturePath;

    EditorUndo* m_undo = nullptr;
    EditorMenus* m_menus = nullptr;
    PreviewZoom* m_zoom = nullptr;
    QTabWidget* m_mainTabs = nullptr;
    PreviewWidget* m_backPreview = nullptr;
    PreviewWidget* m_frontPreview = nullptr;
    ControlBinder* m_binder = nullptr;
    EditModes* m_modes = nullptr;
    PreviewInteraction* m_interaction = nullptr;
    RecentFilesMenu* m_recent = nullptr;
};
