#include "editor/editor_menus.h"

#include "editor/captions.h"
#include "shell/language.h"
#include "toolbox/paths.h"
#include "toolbox/program_folder.h"

#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace {

// The Language submenu holds entries 0 to 99.
constexpr int kMaxLanguages = 100;

QAction* namedAction(QMenu* menu, const char* name)
{
    const QString objectName = QString::fromLatin1(name);
    QAction* action = menu->addAction(designedCaption(objectName));
    action->setObjectName(objectName);
    return action;
}

QMenu* namedMenu(QMenu* menu, const char* name)
{
    const QString objectName = QString::fromLatin1(name);
    QMenu* sub = menu->addMenu(designedCaption(objectName));
    sub->setObjectName(objectName);
    return sub;
}

QMenu* barMenu(QMenuBar* bar, const char* name)
{
    const QString objectName = QString::fromLatin1(name);
    QMenu* menu = bar->addMenu(designedCaption(objectName));
    menu->setObjectName(objectName);
    return menu;
}

// The desktop's keys for a command, and a key of our own where the desktop names none.
QList<QKeySequence> withFallback(QKeySequence::StandardKey standard, QKeyCombination fallback)
{
    QList<QKeySequence> keys = QKeySequence::keyBindings(standard);
    if (keys.isEmpty())
        keys << QKeySequence(fallback);
    return keys;
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

EditorMenus::EditorMenus(QWidget* owner, QAction* undo, QAction* redo) : QObject(owner), m_bar(new QMenuBar(owner))
{
    m_bar->setObjectName(QStringLiteral("MenuBar"));

    m_file = barMenu(m_bar, "mFile");
    namedAction(m_file, "mNew")->setShortcuts(QKeySequence::New);
    namedAction(m_file, "mOpen")->setShortcuts(QKeySequence::Open);
    namedAction(m_file, "mSave")->setShortcuts(QKeySequence::Save);
    namedAction(m_file, "mSaveAs")->setShortcuts(withFallback(QKeySequence::SaveAs, Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    m_file->addSeparator();
    namedAction(m_file, "mImport");
    namedAction(m_file, "mExport");
    m_file->addSeparator();
    namedAction(m_file, "mPrint")->setShortcuts(QKeySequence::Print);
    namedAction(m_file, "mPrintPreview");
    // The recent files go between this separator and the one before "Exit".
    m_file->addSeparator()->setObjectName(QStringLiteral("mResentSeparator"));
    m_file->addSeparator();
    namedAction(m_file, "mExit")->setShortcuts(withFallback(QKeySequence::Quit, Qt::CTRL | Qt::Key_Q));

    QMenu* edit = barMenu(m_bar, "mEdit");
    edit->addAction(undo);
    edit->addAction(redo);

    QMenu* zoom = barMenu(m_bar, "mZoom");
    namedAction(zoom, "mZoomIn")->setShortcuts(QList<QKeySequence>(QKeySequence::keyBindings(QKeySequence::ZoomIn))
                                               << QKeySequence(Qt::CTRL | Qt::Key_Equal));
    namedAction(zoom, "mZoomOut")->setShortcuts(QKeySequence::ZoomOut);
    namedAction(zoom, "mZoomActual")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    namedAction(zoom, "mZoomFit")->setCheckable(true);

    QMenu* settings = barMenu(m_bar, "mSettings");
    m_language = namedMenu(settings, "mLanguage");
    QAction* designed = m_language->addAction(QStringLiteral("Lang"));
    designed->setObjectName(QStringLiteral("mLang0"));
    designed->setCheckable(true);
    connect(designed, &QAction::triggered, this, [this] { emit languageChosen(0); });
    m_languageActions.push_back(designed);
    settings->addSeparator();
    namedAction(settings, "mShowResent")->setCheckable(true);
    settings->addSeparator();
    namedAction(settings, "mClearResent");
    settings->addSeparator();
    namedAction(settings, "mCalibration");

    QMenu* tools = barMenu(m_bar, "mTools");
    for (const char* name : {"mGetContents", "mPreset", "mColorCapture"})
        namedAction(tools, name);

    QMenu* help = barMenu(m_bar, "mHelpMenu");
    namedAction(help, "mHelp")->setShortcuts(QKeySequence::HelpContents);
    help->addSeparator();
    namedAction(help, "mAbout");

    // Pop-up menus only: they never appear on the menu bar.
    addPopup(owner, "BackPopup");
    addPopup(owner, "InnerPopup");
    addPopup(owner, "OuterPopup");
}

void EditorMenus::addPopup(QWidget* owner, const char* name)
{
    auto* menu = new QMenu(owner);
    menu->setObjectName(QString::fromLatin1(name));
    QMenu* picture = namedMenu(menu, "mPicture");
    for (const char* entry : {"mPictureInsert", "mPictureClear", "mExportPicture"})
        namedAction(picture, entry);
    QMenu* text = namedMenu(menu, "mText");
    namedAction(text, "mTextInsert");
    namedAction(text, "mTextEdit")->setCheckable(true);
    namedAction(text, "mTextClear");
    m_popups.push_back(menu);
}

QMenu* EditorMenus::popup(TextSlot slot) const
{
    return m_popups[static_cast<size_t>(slot)];
}

QAction* EditorMenus::action(const char* name) const
{
    return m_bar->findChild<QAction*>(QString::fromLatin1(name));
}

QAction* EditorMenus::popupAction(TextSlot slot, const char* name) const
{
    return popup(slot)->findChild<QAction*>(QString::fromLatin1(name));
}

void EditorMenus::GetLanguages()
{
    while (m_languageActions.size() > 1) {
        delete m_languageActions.back();
        m_languageActions.pop_back();
    }
    const QString folder = programPath(ProgramPath::Language);
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
            entry = m_language->addAction(QString());
            entry->setObjectName(QStringLiteral("mLang%1").arg(count));
            entry->setCheckable(true);
            connect(entry, &QAction::triggered, this, [this, count] { emit languageChosen(count); });
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
