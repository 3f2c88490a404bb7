#include "editor/editor_window.h"

#include "about/about_box.h"
#include "capture/capture_window.h"
#include "contents/contents_dialog.h"
#include "document/cover_archive.h"
#include "document/font_matching.h"
#include "document/legacy_cover.h"
#include "document/pictures.h"
#include "document/text_files.h"
#include "editor/captions.h"
#include "editor/control_binder.h"
#include "editor/editor_menus.h"
#include "editor/editor_undo.h"
#include "editor/preview_interaction.h"
#include "editor/preview_widget.h"
#include "editor/preview_zoom.h"
#include "editor/settings_pages.h"
#include "editor/text_box.h"
#include "platform/cover_open_dialog.h"
#include "platform/desktop.h"
#include "platform/dialogs.h"
#include "platform/printers.h"
#include "render/back_renderer.h"
#include "render/front_renderer.h"
#include "render/picture_export.h"
#include "render/sheet_geometry.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/preset_dialog.h"
#include "shell/presets.h"
#include "shell/progress.h"
#include "shell/recent_files.h"
#include "shell/recent_files_menu.h"
#include "shell/user_settings.h"
#include "toolbox/paths.h"
#include "toolbox/program_folder.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const char* const kFaceLists[] = {"Fontname", "Fontname2", "FrontFont", "FrontFont2"};
const char* const kSizeLists[] = {"Fontsize", "Fontsize2", "FrontFontSize", "FrontFontSize2"};

PictureSlot pictureSlotOf(TextSlot slot)
{
    switch (slot) {
    case TextSlot::Contents: return PictureSlot::Back;
    case TextSlot::Inner: return PictureSlot::Front1;
    case TextSlot::Outer: break;
    }
    return PictureSlot::Front;
}

QString& textOf(CoverDocument& doc, TextSlot slot)
{
    switch (slot) {
    case TextSlot::Contents: return doc.Contents;
    case TextSlot::Inner: return doc.FrontText1;
    case TextSlot::Outer: break;
    }
    return doc.FrontText2;
}

Redraw sheetOf(TextSlot slot)
{
    return slot == TextSlot::Contents ? Redraw::Back : Redraw::Front;
}

const Binding& counterRow(Sheet sheet)
{
    return *bindingOf(QString::fromLatin1(sheet == Sheet::Back ? "CountFrom" : "CountFrom2"));
}

constexpr TextSlot kTextSlots[] = {TextSlot::Contents, TextSlot::Inner, TextSlot::Outer};

// A menu entry's caption as the history names a step: no mnemonic mark, no "...".
QString historyName(QString caption)
{
    return caption.remove(QLatin1Char('&')).remove(QStringLiteral("..."));
}

} // namespace

EditorWindow::EditorWindow(const PrinterCatalog& printers, QWidget* parent)
    : QWidget(parent)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("EditorWindow"));
    m_backPreview = new PreviewWidget(QSizeF(backsheet::kWidth, backsheet::kHeight));
    m_backPreview->setObjectName(QStringLiteral("BackPreview"));
    m_frontPreview = new PreviewWidget(QSizeF(frontsheet::kWidth, frontsheet::kHeight));
    m_frontPreview->setObjectName(QStringLiteral("FrontPreview"));

    // Drawing a preview is no edit: the saved flag stays as the edits leave it.
    m_backPreview->setRenderer([this](DrawingSurface& surface) {
        const bool saved = m_document.saved;
        UpdateBack(m_document, surface, false);
        m_document.saved = saved;
    });
    m_frontPreview->setRenderer([this](DrawingSurface& surface) {
        const bool saved = m_document.saved;
        UpdateFront(m_document, surface, false);
        m_document.saved = saved;
    });

    auto* layout = new QVBoxLayout(this);
    m_undo = new EditorUndo(*this, this);
    m_menus = new EditorMenus(this, m_undo->undoAction(), m_undo->redoAction());
    layout->setMenuBar(m_menus->bar());
    m_mainTabs = new QTabWidget(this);
    m_mainTabs->setObjectName(QStringLiteral("MainTabs"));
    m_mainTabs->addTab(buildBackTab(m_backPreview), designedCaption(QStringLiteral("BackTab")));
    m_mainTabs->addTab(buildFrontTab(m_frontPreview), designedCaption(QStringLiteral("FrontTab")));
    layout->addWidget(m_mainTabs);
    m_zoom = new PreviewZoom({m_backPreview, findChild<QScrollArea*>(QStringLiteral("BackPreviewArea"))},
                             {m_frontPreview, findChild<QScrollArea*>(QStringLiteral("FrontPreviewArea"))},
                             m_mainTabs, this);

    m_binder = new ControlBinder(this);
    m_modes = new EditModes(m_backPreview, m_frontPreview, this);
    m_interaction = new PreviewInteraction(
        m_backPreview, m_frontPreview, findChild<QTabWidget*>(QStringLiteral("BackSettingsTabs")),
        findChild<QTabWidget*>(QStringLiteral("FrontSettingsTabs")), *m_modes,
        {m_menus->popup(TextSlot::Contents), m_menus->popup(TextSlot::Inner), m_menus->popup(TextSlot::Outer)},
        m_mainTabs->tabBar());
    connectCommands();
    m_undo->takeUndoKeys(this);
    showDocument();

    // Esc leaves the program exactly as Exit does.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setObjectName(QStringLiteral("EscShortcut"));
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &EditorWindow::exitRequested);
}

// Every command of the menus and the previews is connected here.
void EditorWindow::connectCommands()
{
    const auto on = [this](QAction* action, auto command) { connect(action, &QAction::triggered, this, command); };
    on(m_menus->action("mNew"), [this] { ClearAll_Click(); });
    on(m_menus->action("mOpen"), [this] { OpenSub(QString()); });
    on(m_menus->action("mSave"), [this] { runFileCommand(&SaveCommand); });
    on(m_menus->action("mSaveAs"), [this] { runFileCommand(&SaveAsCommand); });
    on(m_menus->action("mZoomIn"), [this] { m_zoom->zoomIn(); });
    on(m_menus->action("mZoomOut"), [this] { m_zoom->zoomOut(); });
    on(m_menus->action("mZoomActual"), [this] { m_zoom->actualSize(); });
    on(m_menus->action("mZoomFit"), [this] { m_zoom->fit(); });
    connect(m_zoom, &PreviewZoom::fittingChanged, m_menus->action("mZoomFit"), &QAction::setChecked);
    on(m_menus->action("mExit"), [this] { emit exitRequested(); });
    on(m_menus->action("mHelp"), [this] { helpCommand(); });
    on(m_menus->action("mAbout"), [this] { AboutBox::showModal(this); });
    on(m_menus->action("mGetContents"), [this] { ContentsDialog::runModal(this); });
    on(m_menus->action("mColorCapture"), [this] { ColorCaptureWindow::showFor(window()); });
    on(m_menus->action("mPrint"), [this] { printCommand(); });
    on(m_menus->action("mPrintPreview"), [this] { printPreviewCommand(); });
    on(m_menus->action("mCalibration"), [this] { calibrationCommand(); });
    connect(m_menus->fileMenu(), &QMenu::aboutToShow, this, &EditorWindow::File_Click);
    connect(m_menus, &EditorMenus::languageChosen, this, &EditorWindow::languageChosen);
    on(m_menus->action("mImport"), [this] {
        if (runFileCommand(&ImportCommand))
            m_undo->restart(m_document.saved);
    });
    on(m_menus->action("mExport"), [this] { runFileCommand(&ExportCommand); });
    on(m_menus->action("mPreset"), [this] {
        changeDocument(historyName(m_menus->action("mPreset")->text()), [this](CoverDocument&) {
            return runFileCommand(
                [this](CoverFileContext& ctx) { return PresetDialog(ctx, this).exec() == QDialog::Accepted; });
        });
    });
    // The check mark has changed by the time the entry reports the click.
    on(m_menus->action("mShowResent"), [this] { UpdateResent(); });
    on(m_menus->action("mClearResent"), [this] {
        if (clearRecentFiles())
            UpdateResent();
    });
    // The recent files go between the separator named for them and the next one.
    const QList<QAction*> fileEntries = fileMenu()->actions();
    QAction* separator = fileMenu()->findChild<QAction*>(QStringLiteral("mResentSeparator"));
    m_recent = new RecentFilesMenu(fileMenu(), separator, fileEntries.value(fileEntries.indexOf(separator) + 1),
                                   [this](const QString& path) { OpenSub(path); });

    for (TextSlot slot : kTextSlots) {
        const PictureSlot picture = pictureSlotOf(slot);
        on(m_menus->popupAction(slot, "mPictureInsert"), [this, slot, picture] {
            pictureCommand(slot, "mPictureInsert",
                           [picture](CoverFileContext& ctx) { return InsertPicture(ctx, picture); });
        });
        on(m_menus->popupAction(slot, "mPictureClear"), [this, slot, picture] {
            pictureCommand(slot, "mPictureClear", [picture](CoverFileContext& ctx) {
                ClearPicture(ctx, picture);
                return true;
            });
        });
        on(m_menus->popupAction(slot, "mExportPicture"), [this, slot] { exportPicture(slot); });
        on(m_menus->popupAction(slot, "mTextInsert"), [this, slot] { insertText(slot); });
        on(m_menus->popupAction(slot, "mTextEdit"), [this, slot] { m_modes->toggle(slot); });
        on(m_menus->popupAction(slot, "mTextClear"), [this, slot] { clearText(slot); });
        // The entries show the state of the place they were opened on.
        connect(m_menus->popup(slot), &QMenu::aboutToShow, this, [this, slot] {
            m_menus->popupAction(slot, "mTextEdit")->setChecked(m_modes->isOn(slot));
            m_menus->popupAction(slot, "mExportPicture")
                ->setEnabled(canExportPicture(pictureOf(m_document, pictureSlotOf(slot))));
        });
    }

    connect(m_binder, &ControlBinder::edited, this, &EditorWindow::applyEdit);
    connect(m_modes, &EditModes::textEdited, this, &EditorWindow::textEdited);
    connect(m_modes, &EditModes::switchedOff, this, &EditorWindow::editModeEnded);
    connect(m_interaction, &PreviewInteraction::fileMenuRequested, this,
            [this](const QPoint& global) { fileMenu()->popup(global); });
    for (PreviewWidget* preview : {m_backPreview, m_frontPreview}) {
        connect(preview, &PreviewWidget::coverDropped, this, &EditorWindow::OpenSub);
        // The text boxes follow the zoom and the screen.
        connect(preview, &PreviewWidget::scaleChanged, this, [this] {
            m_modes->showLook(m_document);
            m_modes->place(m_document);
        });
    }
    connect(m_undo, &EditorUndo::savedChanged, this, [this](bool saved) {
        m_document.saved = saved;
        updateTitle();
    });
}

void EditorWindow::load()
{
    m_lastPath = settings::lastPath();
    m_lastPicturePath = settings::lastPicturePath();
    FlushTmp();
    GetLanguages();
    ApplyLanguage();
    fillFontLists();
    selectDefaultFonts();
    UnloadProgressWindow();
    app::viewEnabled = true;
    drawBack();
    drawFront();
    m_menus->action("mShowResent")->setChecked(settings::showres());
    UpdateResent();
    m_document.saved = true;
    ClearAll_Click();
    show();
    m_loaded = true;
    app::editorReady = true;
}

void EditorWindow::fillFontLists()
{
    const QStringList fonts = m_printers.fontFamilies();
    for (int i = 0; i < fonts.size(); ++i) {
        SetProgressStatus(QStringLiteral("Enumerating printerfonts(%1)...").arg(i));
        ProcessPendingEvents();
        for (const char* name : kFaceLists) {
            auto* list = findChild<QComboBox*>(QString::fromLatin1(name));
            const QSignalBlocker quiet(list);
            list->addItem(fonts[i]);
        }
    }
    SetProgressStatus(QStringLiteral("Enumerating fontsize..."));
    int copy = 1;
    for (const char* name : kSizeLists) {
        if (copy > 1)
            SetProgressStatus(QStringLiteral("Enumerating printerfonts(%1)...").arg(copy));
        ++copy;
        auto* list = findChild<QComboBox*>(QString::fromLatin1(name));
        const QSignalBlocker quiet(list);
        list->addItems(fontSizes());
    }
}

// The default fonts: "verdana" where there is one and the sizes 16 and 12, written into the
// document so that a new cover holds them. A list without the entry keeps its selection.
void EditorWindow::selectDefaultFonts()
{
    SetProgressStatus(QStringLiteral("Loading profile..."));
    ProcessPendingEvents();
    const auto select = [this](const char* list, QString& field, const QString& wanted) {
        auto* box = findChild<QComboBox*>(QString::fromLatin1(list));
        const int i = box->findText(wanted, Qt::MatchFixedString);
        field = i >= 0 ? box->itemText(i) : box->currentText();
    };
    const QString verdana = QStringLiteral("verdana");
    CoverDocument& d = m_document;
    select("Fontname", d.Fontname, verdana);
    select("Fontsize", d.Fontsize, QStringLiteral("16"));
    select("Fontname2", d.Fontname2, verdana);
    select("Fontsize2", d.Fontsize2, QStringLiteral("12"));
    select("FrontFont2", d.FrontFont2, verdana);
    select("FrontFontSize2", d.FrontFontSize2, QStringLiteral("12"));
    select("FrontFont", d.FrontFont, verdana);
    select("FrontFontSize", d.FrontFontSize, QStringLiteral("12"));
    showDocument();
}

void EditorWindow::GetLanguages()
{
    m_menus->GetLanguages();
}

void EditorWindow::languageChosen(int index)
{
    const std::vector<QAction*>& entries = m_menus->languageActions();
    QAction* chosen = entries[size_t(index)];
    // The menu toggled the mark already; the marks are set here alone.
    chosen->setChecked(!chosen->isChecked());
    QString name = chosen->text();
    if (!LoadLanguage(name)) {
        MsgBox(QStringLiteral("ERROR! Unable to load languagefile !"), MsgIcon::Critical);
        return;
    }
    ApplyLanguage();
    for (QAction* entry : entries)
        entry->setChecked(false);
    chosen->setChecked(true);
}

void EditorWindow::ApplyLanguage()
{
    applyCaptions(this);
    const QString undo = Lang(LangSection::Menu, 39);
    const QString redo = Lang(LangSection::Menu, 40);
    m_undo->setPrefixes(undo.isEmpty() ? QStringLiteral("&Undo") : undo,
                        redo.isEmpty() ? QStringLiteral("&Redo") : redo);
    m_backPreview->setAccessibleName(m_mainTabs->tabText(0));
    m_frontPreview->setAccessibleName(m_mainTabs->tabText(1));
    m_backPreview->setAccessibleDescription(
        QStringLiteral("The back inlay: 150 by 118 mm between the cut lines, a spine at each side"));
    m_frontPreview->setAccessibleDescription(
        QStringLiteral("The front booklet: the inner half left, the outer half right, 120 by 120 mm each"));
    updateTitle();
}

QMenu* EditorWindow::fileMenu() const
{
    return m_menus->fileMenu();
}

void EditorWindow::File_Click()
{
    const QString print = Lang(LangSection::Menu, currentSheet() == Sheet::Back ? 20 : 21);
    if (!print.isEmpty())
        m_menus->action("mPrint")->setText(print);
    for (const char* name : {"mPrint", "mPrintPreview"})
        m_menus->action(name)->setEnabled(currentSheetPrintable());
}

void EditorWindow::closeEvent(QCloseEvent* event)
{
    if (!m_loaded) {
        event->accept();
        return;
    }
    if (!CheckIfSaved()) {
        event->ignore();
        return;
    }
    unload();
    event->accept();
    emit unloaded();
}

void EditorWindow::unload()
{
    settings::setShowres(m_menus->action("mShowResent")->isChecked());
    settings::setLastPath(m_lastPath);
    settings::setLastPicturePath(m_lastPicturePath);
    const std::vector<QAction*>& entries = m_menus->languageActions();
    const auto marked = std::find_if(entries.begin(), entries.end(), [](QAction* a) { return a->isChecked(); });
    if (marked != entries.end())
        settings::setLanguage((*marked)->text());
    FlushTmp();
    m_loaded = false;
    app::editorReady = false;
}

void EditorWindow::applyEdit(const Binding& row, const QString& value)
{
    const QString before = bindingValue(m_document, row);
    if (before != value)
        m_undo->setting(row, before, value, m_binder->caption(row));
}

void EditorWindow::restoreSetting(const Binding& row, const QString& value)
{
    setBindingValue(m_document, row, value);
    m_binder->showRow(m_document, row);
    switch (row.effect) {
    case Effect::None: break;
    case Effect::Enables: m_binder->applyEnableRules(m_document); break;
    case Effect::TextBoxLook: m_modes->showLook(m_document); break;
    case Effect::TextBoxPlace: m_modes->place(m_document); break;
    }
    redraw(row.redraw);
}

void EditorWindow::textEdited(TextSlot slot, const QString& text)
{
    const QString caption = m_modes->switchOf(slot)->text().remove(QLatin1Char('&'));
    m_undo->text(slot, textOf(m_document, slot), text, caption, true);
}

void EditorWindow::restoreText(TextSlot slot, const QString& text)
{
    textOf(m_document, slot) = text;
    m_modes->showDocument(m_document);
    // While its box is open the sheet shows the text once the box closes.
    if (!m_modes->isOn(slot))
        redraw(sheetOf(slot));
}

void EditorWindow::restoreDocument(const CoverDocument& doc)
{
    const QString file = m_document.currentFile;
    const bool saved = m_document.saved;
    m_document = doc;
    m_document.currentFile = file;
    m_document.saved = saved;
    documentReplaced();
}

void EditorWindow::changeDocument(const QString& caption, const std::function<bool(CoverDocument&)>& change)
{
    const CoverDocument before = m_document;
    if (change(m_document))
        m_undo->document(before, m_document, caption);
    documentReplaced();
}

// The sheet shows the edited text; a front text that has something to show is switched on.
void EditorWindow::editModeEnded(TextSlot slot)
{
    redraw(sheetOf(slot));
    if (slot == TextSlot::Contents || textOf(m_document, slot).isEmpty())
        return;
    applyEdit(*bindingOf(QString::fromLatin1(slot == TextSlot::Inner ? "sfText2" : "sfText")), QStringLiteral("1"));
}

void EditorWindow::showDocument()
{
    m_binder->show(m_document);
    m_modes->showDocument(m_document);
    updateTitle();
}

void EditorWindow::documentReplaced()
{
    showDocument();
    drawBack();
    drawFront();
}

// The cover's file name, or the name of a cover when it has none yet.
// The cover's file name, or the name of a cover when it has none yet, marked while changed.
void EditorWindow::updateTitle()
{
    QString title = FileNameOf(m_document.currentFile);
    if (title.isEmpty())
        title = Lang(LangSection::Messages, 27);
    setWindowTitle((title.isEmpty() ? QStringLiteral("Caseleaf cover") : title) + QStringLiteral("[*]"));
    setWindowModified(!m_document.saved);
    emit titleChanged();
}

void EditorWindow::redraw(Redraw sheets)
{
    if (sheets != Redraw::Front)
        drawBack();
    if (sheets != Redraw::Back)
        drawFront();
}

void EditorWindow::drawBack()
{
    m_backPreview->invalidate();
}

void EditorWindow::drawFront()
{
    m_frontPreview->invalidate();
}

bool EditorWindow::backPrintable() const
{
    return m_modes->backPrintable();
}

bool EditorWindow::frontPrintable() const
{
    return m_modes->frontPrintable();
}

Sheet EditorWindow::currentSheet() const
{
    return m_mainTabs->currentIndex() == 0 ? Sheet::Back : Sheet::Front;
}

PrintHooks EditorWindow::printHooks()
{
    return {[this](Sheet sheet) { refuseCounterStart(sheet); }, [this](Sheet sheet) { counterChanged(sheet); }};
}

// The counter is switched on as the user would, and its start waits in its field to be mended.
void EditorWindow::refuseCounterStart(Sheet sheet)
{
    applyEdit(*bindingOf(QString::fromLatin1(sheet == Sheet::Back ? "Counter" : "Counter2")), QStringLiteral("1"));
    auto* field = static_cast<QLineEdit*>(m_binder->control(counterRow(sheet)));
    m_mainTabs->setCurrentIndex(sheet == Sheet::Back ? 0 : 1);
    findChild<QTabWidget*>(sheet == Sheet::Back ? QStringLiteral("BackSettingsTabs")
                                                : QStringLiteral("FrontSettingsTabs"))
        ->setCurrentIndex(0);
    field->setFocus();
    field->selectAll();
}

// Printing steps the counter start in the document; the field and the preview follow.
void EditorWindow::counterChanged(Sheet sheet)
{
    m_binder->showRow(m_document, counterRow(sheet));
    redraw(sheet == Sheet::Back ? Redraw::Back : Redraw::Front);
}

bool EditorWindow::CheckIfSaved()
{
    return runFileCommand(&::CheckIfSaved);
}

// New: an empty cover with the current preset's settings.
void EditorWindow::ClearAll_Click()
{
    if (!CheckIfSaved())
        return;
    for (CoverPicture* picture : {&m_document.BackPicture, &m_document.FrontPicture, &m_document.FrontPicture1}) {
        picture->ref = QStringLiteral("none");
        picture->image = QImage();
    }
    m_document.Contents.clear();
    m_document.FrontText2.clear();
    m_document.FrontText1.clear();
    m_document.Text.clear();
    m_document.currentFile.clear();
    drawBack();
    drawFront();
    GetPreset();
    m_document.saved = true;
    m_undo->restart(true);
    showDocument();
}

void EditorWindow::OpenSub(const QString& path)
{
    if (runFileCommand([&path](CoverFileContext& ctx) { return bool(::OpenSub(ctx, path)); })) {
        m_undo->restart(m_document.saved);
        updateTitle();
    }
}

bool EditorWindow::runFileCommand(const std::function<bool(CoverFileContext&)>& command)
{
    CoverFileContext ctx(m_document);
    ctx.fontList = m_printers.fontFamilies();
    ctx.lastPath = m_lastPath;
    ctx.lastPicturePath = m_lastPicturePath;
    // Pictures are decoded ahead at the previews' resolution, zoom and pixel ratio included.
    ctx.previewDpi = m_backPreview->pixelsPerMm() * 25.4 * m_backPreview->devicePixelRatioF();
    ctx.redrawBack = [this] { drawBack(); };
    ctx.redrawFront = [this] { drawFront(); };
    ctx.addRecent = [this](const QString& path) { AddResent(path); };
    ctx.chooseCover = [this](const FileDialogRequest& request) { return CoverOpenDialog::choose(request, this); };
    const bool done = command(ctx);
    m_lastPath = ctx.lastPath;
    m_lastPicturePath = ctx.lastPicturePath;
    // A save: the history stands where the file does.
    if (m_document.saved && !m_undo->isClean())
        m_undo->markSaved();
    showDocument();
    return done;
}

// The help page the language names (its file name only: a language file cannot point
// outside "help"), in the desktop's browser.
void EditorWindow::helpCommand()
{
    QString page = FileNameOf(Lang(LangSection::Common, 2));
    if (page.isEmpty())
        page = QStringLiteral("gbhelp.html");
    const QString file = programPath(ProgramPath::Help) + page;
    if (!FileExists(file)) {
        MsgBox(Lang(LangSection::Messages, 21), MsgIcon::Critical);
        return;
    }
    if (!openWithDesktop(file))
        MsgBox(Lang(LangSection::Messages, 20), MsgIcon::Critical);
}

void EditorWindow::insertText(TextSlot slot)
{
    QString text;
    if (LoadText(text, m_lastPath))
        m_undo->text(slot, textOf(m_document, slot), text, popupCaption(slot, "mTextInsert"), false);
}

void EditorWindow::clearText(TextSlot slot)
{
    m_undo->text(slot, textOf(m_document, slot), QString(), popupCaption(slot, "mTextClear"), false);
}

void EditorWindow::pictureCommand(TextSlot slot, const char* entry,
                                  const std::function<bool(CoverFileContext&)>& command)
{
    changeDocument(popupCaption(slot, entry), [this, &command](CoverDocument&) { return runFileCommand(command); });
}

// "Text: Clear": an entry of a pop-up menu by its submenu, as the history names it.
QString EditorWindow::popupCaption(TextSlot slot, const char* entry) const
{
    const QAction* action = m_menus->popupAction(slot, entry);
    const auto* submenu = qobject_cast<const QMenu*>(action->parent());
    return historyName((submenu ? submenu->title() + QStringLiteral(": ") : QString()) + action->text());
}

void EditorWindow::exportPicture(TextSlot slot)
{
    const CoverPicture& picture = pictureOf(m_document, pictureSlotOf(slot));
    if (canExportPicture(picture))
        SavePictureTo(picture.ref, m_lastPicturePath);
}

void EditorWindow::FlushTmp()
{
    ::FlushTmp();
}

void EditorWindow::GetPreset()
{
    runFileCommand([](CoverFileContext& ctx) {
        ::GetPreset(ctx);
        return true;
    });
}

void EditorWindow::UpdateResent()
{
    m_recent->UpdateResent(m_menus->action("mShowResent")->isChecked());
}

void EditorWindow::AddResent(const QString& path)
{
    m_recent->AddResent(path, m_menus->action("mShowResent")->isChecked());
}
