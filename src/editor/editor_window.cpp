#include "editor/editor_window.h"

#include "document/cover_archive.h"
#include "document/font_matching.h"
#include "document/pictures.h"
#include "editor/preview_widget.h"
#include "platform/cover_open_dialog.h"
#include "platform/dialogs.h"
#include "platform/printers.h"
#include "render/back_renderer.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/progress.h"
#include "shell/user_settings.h"
#include "toolbox/paths.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// One page of a settings sub-tab: its content at the top.
QWidget* settingsPage(const QString& objectName, QWidget* content = nullptr)
{
    auto* page = new QWidget;
    page->setObjectName(objectName);
    auto* layout = new QVBoxLayout(page);
    if (content)
        layout->addWidget(content);
    layout->addStretch();
    return page;
}

// A sheet's preview at the top-left of its area; the renderers draw on it.
void addPreview(QWidget* area, const QString& name, const QSizeF& sheetMm)
{
    auto* preview = new PreviewWidget(sheetMm, area);
    preview->setObjectName(name);
    area->layout()->addWidget(preview);
    area->layout()->setAlignment(preview, Qt::AlignLeft | Qt::AlignTop);
}

// The Language submenu holds entries 0 to 99.
constexpr int kMaxLanguages = 100;

struct Caption {
    LangSection section;
    int entry;
    const char* objectName; // every object of that name takes the text
};

// Which language entry each caption shows. Entries missing from the loaded file
// leave their captions as they were.
const Caption kCaptions[] = {
    {LangSection::Menu, 1, "mFile"},
    {LangSection::Menu, 2, "mImport"},
    {LangSection::Menu, 3, "mExport"},
    {LangSection::Menu, 4, "mPrint"},
    {LangSection::Menu, 5, "mSettings"},
    {LangSection::Menu, 6, "mLanguage"},
    {LangSection::Menu, 9, "mTools"},
    {LangSection::Menu, 10, "mGetContents"},
    {LangSection::Menu, 11, "mExit"},
    {LangSection::Menu, 12, "mHelpMenu"},
    {LangSection::Menu, 13, "mHelp"},
    {LangSection::Menu, 14, "mAbout"},
    {LangSection::Menu, 16, "mPicture"},
    {LangSection::Menu, 17, "mPictureInsert"},
    {LangSection::Menu, 17, "mTextInsert"},
    {LangSection::Menu, 18, "mPictureClear"},
    {LangSection::Menu, 18, "mTextClear"},
    {LangSection::Menu, 19, "mText"},
    {LangSection::Menu, 22, "mNew"},
    {LangSection::Menu, 23, "mTextEdit"},
    {LangSection::Menu, 24, "mOpen"},
    {LangSection::Menu, 25, "mSaveAs"},
    {LangSection::Menu, 26, "mShowResent"},
    {LangSection::Menu, 27, "mClearResent"},
    {LangSection::Menu, 29, "mPreset"},
    {LangSection::Menu, 30, "mExportPicture"},
    {LangSection::Menu, 31, "mColorCapture"},
    {LangSection::Menu, 35, "mSave"},
    {LangSection::BackCover, 1, "BackTab"},
    {LangSection::BackCover, 2, "LabelTab"},
    {LangSection::BackCover, 8, "LabelFontFrame"},
    {LangSection::BackCover, 9, "LabelFaceLabel"},
    {LangSection::BackCover, 10, "LabelSizeLabel"},
    {LangSection::BackCover, 15, "TextTab"},
    {LangSection::BackCover, 23, "TextFontFrame"},
    {LangSection::BackCover, 24, "TextFaceLabel"},
    {LangSection::BackCover, 27, "TextSizeLabel"},
    {LangSection::BackCover, 31, "BackGlobalTab"},
    {LangSection::FrontCover, 1, "FrontTab"},
    {LangSection::FrontCover, 2, "FrontGlobalTab"},
    {LangSection::FrontCover, 20, "InnerTab"},
    {LangSection::FrontCover, 22, "InnerFaceLabel"},
    {LangSection::FrontCover, 25, "InnerSizeLabel"},
    {LangSection::FrontCover, 32, "OuterTab"},
    {LangSection::FrontCover, 34, "OuterFaceLabel"},
    {LangSection::FrontCover, 38, "OuterSizeLabel"},
};

void setCaption(QObject* object, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
        group->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* page = qobject_cast<QWidget*>(object)) {
        // A tab page: the caption is its tab's.
        for (QWidget* p = page->parentWidget(); p; p = p->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
                tabs->setTabText(tabs->indexOf(page), text);
                break;
            }
        }
    }
}

QAction* namedAction(QMenu* menu, const QString& text, const QString& name)
{
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

QMenu* namedMenu(QMenu* parent, const QString& title, const QString& name)
{
    QMenu* menu = parent->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

// "english.ini" is listed as "English".
QString languageCaption(const QString& fileName)
{
    QString name = StripExtension(FileNameOf(fileName)).toLower();
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name;
}

} // namespace

EditorWindow::EditorWindow(const PrinterCatalog& printers, QWidget* parent)
    : QWidget(parent)
    , m_printers(printers)
{
    setObjectName(QStringLiteral("EditorWindow"));
    setWindowTitle(QStringLiteral("Cover"));

    auto* layout = new QVBoxLayout(this);
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MenuBar"));
    buildMenus(bar);
    layout->setMenuBar(bar);

    m_mainTabs = new QTabWidget(this);
    m_mainTabs->setObjectName(QStringLiteral("MainTabs"));
    m_mainTabs->addTab(buildBackTab(), QStringLiteral("Back cover"));
    m_mainTabs->addTab(buildFrontTab(), QStringLiteral("Front cover"));
    layout->addWidget(m_mainTabs);

    // Esc leaves the program exactly as Exit does.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setObjectName(QStringLiteral("EscShortcut"));
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &EditorWindow::exitRequested);
}

void EditorWindow::buildMenus(QMenuBar* bar)
{
    m_fileMenu = bar->addMenu(QStringLiteral("File"));
    m_fileMenu->setObjectName(QStringLiteral("mFile"));
    QAction* newCover = namedAction(m_fileMenu, QStringLiteral("New"), QStringLiteral("mNew"));
    QAction* open = namedAction(m_fileMenu, QStringLiteral("Open"), QStringLiteral("mOpen"));
    QAction* save = namedAction(m_fileMenu, QStringLiteral("Save..."), QStringLiteral("mSave"));
    QAction* saveAs = namedAction(m_fileMenu, QStringLiteral("Save as..."), QStringLiteral("mSaveAs"));
    connect(open, &QAction::triggered, this, [this] { OpenSub(QString()); });
    connect(save, &QAction::triggered, this, &EditorWindow::saveCommand);
    connect(saveAs, &QAction::triggered, this, [this] {
        CoverFileContext ctx = fileContext();
        SaveAsCommand(ctx);
        keepFolders(ctx);
    });
    m_fileMenu->addSeparator();
    namedAction(m_fileMenu, QStringLiteral("Import"), QStringLiteral("mImport"));
    namedAction(m_fileMenu, QStringLiteral("Export cover settings"), QStringLiteral("mExport"));
    m_fileMenu->addSeparator();
    namedAction(m_fileMenu, QStringLiteral("Print..."), QStringLiteral("mPrint"));
    // The recent files go between this separator and the one before "Exit".
    m_fileMenu->addSeparator()->setObjectName(QStringLiteral("mResentSeparator"));
    m_fileMenu->addSeparator();
    QAction* exit = namedAction(m_fileMenu, QStringLiteral("Exit"), QStringLiteral("mExit"));
    connect(newCover, &QAction::triggered, this, &EditorWindow::ClearAll_Click);
    connect(exit, &QAction::triggered, this, &EditorWindow::exitRequested);
    connect(m_fileMenu, &QMenu::aboutToShow, this, &EditorWindow::File_Click);

    QMenu* settingsMenu = bar->addMenu(QStringLiteral("Settings"));
    settingsMenu->setObjectName(QStringLiteral("mSettings"));
    m_languageMenu = namedMenu(settingsMenu, QStringLiteral("Language"), QStringLiteral("mLanguage"));
    QAction* designed = namedAction(m_languageMenu, QStringLiteral("Lang"), QStringLiteral("mLang0"));
    designed->setCheckable(true);
    connect(designed, &QAction::triggered, this, [this] { languageChosen(0); });
    m_languageActions.push_back(designed);
    settingsMenu->addSeparator();
    m_showResent = namedAction(settingsMenu, QStringLiteral("Show resent files in menu"), QStringLiteral("mShowResent"));
    m_showResent->setCheckable(true);
    settingsMenu->addSeparator();
    namedAction(settingsMenu, QStringLiteral("Clear resent files-list"), QStringLiteral("mClearResent"));

    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("mTools"));
    namedAction(tools, QStringLiteral("Get contents from disk or folder"), QStringLiteral("mGetContents"));
    namedAction(tools, QStringLiteral("Preset..."), QStringLiteral("mPreset"));
    namedAction(tools, QStringLiteral("Color Capture..."), QStringLiteral("mColorCapture"));

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mHelpMenu"));
    namedAction(help, QStringLiteral("Help"), QStringLiteral("mHelp"));
    help->addSeparator();
    namedAction(help, QStringLiteral("About..."), QStringLiteral("mAbout"));

    // Pop-up menus only: they never appear on the menu bar.
    addPreviewMenu(QStringLiteral("BackPopup"));
    addPreviewMenu(QStringLiteral("InnerPopup"));
    addPreviewMenu(QStringLiteral("OuterPopup"));
    // The pop-ups in the order above: back picture, inner picture, outer picture.
    const PictureSlot pictureSlots[] = {PictureSlot::Back, PictureSlot::Front1, PictureSlot::Front};
    for (size_t i = 0; i < m_previewMenus.size(); ++i) {
        const PictureSlot slot = pictureSlots[i];
        connect(m_previewMenus[i]->findChild<QAction*>(QStringLiteral("mPictureInsert")), &QAction::triggered, this,
                [this, slot] {
                    CoverFileContext ctx = fileContext();
                    InsertPicture(ctx, slot);
                    keepFolders(ctx);
                });
        connect(m_previewMenus[i]->findChild<QAction*>(QStringLiteral("mPictureClear")), &QAction::triggered, this,
                [this, slot] {
                    CoverFileContext ctx = fileContext();
                    ClearPicture(ctx, slot);
                });
    }
}

void EditorWindow::addPreviewMenu(const QString& name)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(name);
    QMenu* picture = namedMenu(menu, QStringLiteral("Picture"), QStringLiteral("mPicture"));
    namedAction(picture, QStringLiteral("Insert..."), QStringLiteral("mPictureInsert"));
    namedAction(picture, QStringLiteral("Clear"), QStringLiteral("mPictureClear"));
    namedAction(picture, QStringLiteral("Export picture"), QStringLiteral("mExportPicture"));
    QMenu* text = namedMenu(menu, QStringLiteral("Text"), QStringLiteral("mText"));
    namedAction(text, QStringLiteral("Insert..."), QStringLiteral("mTextInsert"));
    namedAction(text, QStringLiteral("Edit"), QStringLiteral("mTextEdit"))->setCheckable(true);
    namedAction(text, QStringLiteral("Clear"), QStringLiteral("mTextClear"));
    m_previewMenus.push_back(menu);
}

QWidget* EditorWindow::previewArea(const QString& name, const QSize& minimum)
{
    auto* area = new QFrame;
    area->setObjectName(name);
    area->setFrameShape(QFrame::StyledPanel);
    area->setMinimumSize(minimum);
    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    return area;
}

QWidget* EditorWindow::fontGroup(const QString& title, const QString& prefix, const QString& faceName,
                                 const QString& sizeName, FontPair& pair)
{
    auto* group = new QGroupBox(title);
    group->setObjectName(prefix + QStringLiteral("FontFrame"));
    auto* form = new QFormLayout(group);
    pair.face = new QComboBox(group);
    pair.face->setObjectName(faceName);
    pair.size = new QComboBox(group);
    pair.size->setObjectName(sizeName);
    auto* faceLabel = new QLabel(QStringLiteral("Font face"), group);
    faceLabel->setObjectName(prefix + QStringLiteral("FaceLabel"));
    auto* sizeLabel = new QLabel(QStringLiteral("Font size"), group);
    sizeLabel->setObjectName(prefix + QStringLiteral("SizeLabel"));
    form->addRow(faceLabel, pair.face);
    form->addRow(sizeLabel, pair.size);
    return group;
}

QWidget* EditorWindow::buildBackTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("BackTab"));
    // 160 x 128 mm at two pixels per millimetre.
    m_backPreviewArea = previewArea(QStringLiteral("BackPreviewArea"), QSize(320, 256));
    addPreview(m_backPreviewArea, QStringLiteral("BackPreview"), QSizeF(backsheet::kWidth, backsheet::kHeight));

    auto* settings = new QTabWidget;
    settings->setObjectName(QStringLiteral("BackSettingsTabs"));
    settings->addTab(settingsPage(QStringLiteral("BackGlobalTab")), QStringLiteral("Global"));
    settings->addTab(settingsPage(QStringLiteral("LabelTab"),
                                  fontGroup(QStringLiteral("Font-settings"), QStringLiteral("Label"),
                                            QStringLiteral("Fontname"), QStringLiteral("Fontsize"), m_label)),
                     QStringLiteral("Label"));
    settings->addTab(settingsPage(QStringLiteral("TextTab"),
                                  fontGroup(QStringLiteral("Font-settings"), QStringLiteral("Text"),
                                            QStringLiteral("Fontname2"), QStringLiteral("Fontsize2"), m_contents)),
                     QStringLiteral("Text"));

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_backPreviewArea, 1);
    layout->addWidget(settings);
    return page;
}

QWidget* EditorWindow::buildFrontTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("FrontTab"));
    // 250 x 130 mm at two pixels per millimetre.
    m_frontPreviewArea = previewArea(QStringLiteral("FrontPreviewArea"), QSize(500, 260));
    addPreview(m_frontPreviewArea, QStringLiteral("FrontPreview"), QSizeF(frontsheet::kWidth, frontsheet::kHeight));

    auto* settings = new QTabWidget;
    settings->setObjectName(QStringLiteral("FrontSettingsTabs"));
    settings->addTab(settingsPage(QStringLiteral("FrontGlobalTab")), QStringLiteral("Global"));
    // The front side's font frames carry no caption: no language entry names them.
    settings->addTab(settingsPage(QStringLiteral("InnerTab"),
                                  fontGroup(QString(), QStringLiteral("Inner"), QStringLiteral("FrontFont2"),
                                            QStringLiteral("FrontFontSize2"), m_inner)),
                     QStringLiteral("Inner-side"));
    settings->addTab(settingsPage(QStringLiteral("OuterTab"),
                                  fontGroup(QString(), QStringLiteral("Outer"), QStringLiteral("FrontFont"),
                                            QStringLiteral("FrontFontSize"), m_outer)),
                     QStringLiteral("Outer-side"));

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_frontPreviewArea, 1);
    layout->addWidget(settings);
    return page;
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
    m_showResent->setChecked(settings::showres());
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
        for (QComboBox* list : {m_label.face, m_contents.face, m_outer.face, m_inner.face})
            list->addItem(fonts[i]);
    }

    SetProgressStatus(QStringLiteral("Enumerating fontsize..."));
    m_label.size->addItems(fontSizes());
    m_label.size->setCurrentIndex(4);
    int copy = 2;
    for (QComboBox* list : {m_contents.size, m_outer.size, m_inner.size}) {
        SetProgressStatus(QStringLiteral("Enumerating printerfonts(%1)...").arg(copy++));
        list->addItems(fontSizes());
    }
}

void EditorWindow::selectDefaultFonts()
{
    SetProgressStatus(QStringLiteral("Loading profile..."));
    ProcessPendingEvents();
    // A list without the entry keeps its selection.
    const auto select = [](QComboBox* list, const QString& entry) {
        const int i = list->findText(entry, Qt::MatchFixedString);
        if (i >= 0)
            list->setCurrentIndex(i);
    };
    const QString verdana = QStringLiteral("verdana");
    select(m_label.face, verdana);
    select(m_label.size, QStringLiteral("16"));
    select(m_contents.face, verdana);
    select(m_contents.size, QStringLiteral("12"));
    select(m_inner.face, verdana);
    select(m_inner.size, QStringLiteral("12"));
    select(m_outer.face, verdana);
    select(m_outer.size, QStringLiteral("12"));
}

void EditorWindow::GetLanguages()
{
    while (m_languageActions.size() > 1) {
        delete m_languageActions.back();
        m_languageActions.pop_back();
    }
    const QString folder = GetAppPath() + QStringLiteral("language/");
    QStringList files = ListFiles(folder, QStringLiteral("*.ini"));
    files.sort(Qt::CaseInsensitive);
    int count = 0;
    for (const QString& file : files) {
        if (FolderExists(folder + file))
            continue;
        if (count == kMaxLanguages)
            break;
        QAction* entry = m_languageActions[0];
        if (count > 0) {
            entry = namedAction(m_languageMenu, QString(), QStringLiteral("mLang%1").arg(count));
            entry->setCheckable(true);
            connect(entry, &QAction::triggered, this, [this, count] { languageChosen(count); });
            m_languageActions.push_back(entry);
        }
        entry->setText(languageCaption(file));
        ++count;
    }
    const QString current = CurrentLanguage().toLower();
    for (QAction* entry : m_languageActions)
        entry->setChecked(false);
    const auto marked = std::find_if(m_languageActions.begin(), m_languageActions.end(),
                                     [&current](QAction* a) { return a->text().toLower() == current; });
    if (marked != m_languageActions.end())
        (*marked)->setChecked(true);
}

void EditorWindow::languageChosen(int index)
{
    QAction* chosen = m_languageActions[index];
    // The menu toggled the mark already; the marks are set here alone.
    chosen->setChecked(!chosen->isChecked());
    QString name = chosen->text();
    if (!LoadLanguage(name)) {
        MsgBox(QStringLiteral("ERROR! Unable to load languagefile !"), MsgIcon::Critical);
        return;
    }
    ApplyLanguage();
    for (QAction* entry : m_languageActions)
        entry->setChecked(false);
    chosen->setChecked(true);
}

void EditorWindow::ApplyLanguage()
{
    for (const Caption& c : kCaptions) {
        const QString text = Lang(c.section, c.entry);
        if (text.isEmpty())
            continue;
        const QString name = QString::fromLatin1(c.objectName);
        for (QObject* object : findChildren<QObject*>(name))
            setCaption(object, text);
    }
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
    settings::setShowres(m_showResent->isChecked());
    settings::setLastPath(m_lastPath);
    settings::setLastPicturePath(m_lastPicturePath);
    const auto marked = std::find_if(m_languageActions.begin(), m_languageActions.end(),
                                     [](QAction* a) { return a->isChecked(); });
    if (marked != m_languageActions.end())
        settings::setLanguage((*marked)->text());
    FlushTmp();
    m_loaded = false;
    app::editorReady = false;
}

bool EditorWindow::CheckIfSaved()
{
    CoverFileContext ctx = fileContext();
    const bool mayReplace = ::CheckIfSaved(ctx);
    keepFolders(ctx);
    return mayReplace;
}

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
}

void EditorWindow::OpenSub(const QString& path)
{
    CoverFileContext ctx = fileContext();
    ::OpenSub(ctx, path);
    keepFolders(ctx);
}

void EditorWindow::FlushTmp()
{
    ::FlushTmp();
}

void EditorWindow::GetPreset() {}

void EditorWindow::UpdateResent() {}

void EditorWindow::saveCommand()
{
    CoverFileContext ctx = fileContext();
    SaveCommand(ctx);
    keepFolders(ctx);
}

CoverFileContext EditorWindow::fileContext()
{
    CoverFileContext ctx(m_document);
    ctx.fontList = m_printers.fontFamilies();
    ctx.lastPath = m_lastPath;
    ctx.lastPicturePath = m_lastPicturePath;
    ctx.redrawBack = [this] { drawBack(); };
    ctx.redrawFront = [this] { drawFront(); };
    ctx.chooseCover = [this](const FileDialogRequest& request) { return CoverOpenDialog::choose(request, this); };
    return ctx;
}

void EditorWindow::keepFolders(const CoverFileContext& ctx)
{
    m_lastPath = ctx.lastPath;
    m_lastPicturePath = ctx.lastPicturePath;
}

void EditorWindow::drawBack()
{
    if (auto* preview = m_backPreviewArea->findChild<PreviewWidget*>()) {
        UpdateBack(m_document, preview->surface(), false);
        preview->showDrawing();
    }
}

void EditorWindow::drawFront()
{
    if (auto* preview = m_frontPreviewArea->findChild<PreviewWidget*>()) {
        UpdateFront(m_document, preview->surface(), false);
        preview->showDrawing();
    }
}

void EditorWindow::File_Click() {}
