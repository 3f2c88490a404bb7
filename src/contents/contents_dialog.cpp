#include "contents/contents_dialog.h"

#include "contents/size_panel.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "shell/language.h"
#include "shell/progress.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTreeWidget>

namespace {

QString caption(int n, const char* designed)
{
    const QString text = Lang(LangSection::GetContents, n);
    return text.isEmpty() ? QString::fromUtf8(designed) : text;
}

// "/home/ann/Music" gives "/", "/home", "/home/ann", "/home/ann/Music".
QStringList chainOf(const QString& folder)
{
    QStringList chain{QStringLiteral("/")};
    QString path;
    for (const QString& part : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        chain << path;
    }
    return chain;
}

QTreeWidgetItem* folderItem(const QString& path, const QString& text, const QIcon& icon)
{
    auto* item = new QTreeWidgetItem(QStringList{text});
    item->setData(0, Qt::UserRole, path);
    item->setIcon(0, icon);
    return item;
}

} // namespace

void ContentsDialog::runModal(QWidget* parent)
{
    ContentsDialog dialog(parent);
    dialog.exec();
}

ContentsDialog::ContentsDialog(QWidget* parent)
    : QDialog(parent),
      m_placeBox(new QComboBox(this)),
      m_folderBox(new QTreeWidget(this)),
      m_display(new QListWidget(this)),
      m_small(new QRadioButton(QStringLiteral("Small"), this)),
      m_medium(new QRadioButton(QStringLiteral("Medium"), this)),
      m_large(new QRadioButton(QStringLiteral("Large"), this)),
      m_getSizes(new QPushButton(caption(2, "Get folder(s) size"), this)),
      m_toClipboard(new QPushButton(caption(3, "Send to clipboard"), this)),
      m_close(new QPushButton(caption(4, "Close"), this)),
      m_panel(new SizePanel(this))
{
    setObjectName(QStringLiteral("contentsDialog"));
    setWindowTitle(caption(1, "Get contents from drive or folder"));
    if (parent)
        setWindowIcon(parent->window()->windowIcon());
    m_panel->setCaptions(caption(6, "Calculating folder sizes"), caption(8, "Folder: "), caption(7, "Stop!"));

    m_placeBox->setObjectName(QStringLiteral("placeBox"));
    m_placeBox->setAccessibleName(QStringLiteral("Places"));
    m_folderBox->setObjectName(QStringLiteral("folderBox"));
    m_folderBox->setAccessibleName(QStringLiteral("Folders"));
    m_folderBox->setHeaderHidden(true);
    m_folderBox->setRootIsDecorated(false);
    m_folderBox->setItemsExpandable(false);
    m_folderBox->setIndentation(12);
    m_display->setObjectName(QStringLiteral("displayList"));
    m_display->setAccessibleName(QStringLiteral("Listing"));
    m_display->setUniformItemSizes(true);
    // Fixed pitch, so that the padded columns line up.
    QFont fixed(QStringLiteral("Courier New"));
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setPointSizeF(8.25);
    m_display->setFont(fixed);
    m_small->setObjectName(QStringLiteral("spacingSmall"));
    m_medium->setObjectName(QStringLiteral("spacingMedium"));
    m_large->setObjectName(QStringLiteral("spacingLarge"));
    m_large->setChecked(true);
    m_getSizes->setObjectName(QStringLiteral("getSizes"));
    m_toClipboard->setObjectName(QStringLiteral("sendToClipboard"));
    m_close->setObjectName(QStringLiteral("close"));
    m_toClipboard->setDefault(true);

    auto* spacingLabel = new QLabel(QStringLiteral("Spacing:"), this);
    spacingLabel->setBuddy(m_small);
    auto* group = new QButtonGroup(this);
    auto* options = new QHBoxLayout;
    options->addWidget(spacingLabel);
    for (QRadioButton* option : {m_small, m_medium, m_large}) {
        group->addButton(option);
        options->addWidget(option);
    }
    options->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {m_getSizes, m_toClipboard, m_close})
        buttons->addWidget(button);
    auto* grid = new QGridLayout(this);
    grid->addWidget(m_placeBox, 0, 0);
    grid->addWidget(m_folderBox, 1, 0);
    grid->addWidget(m_display, 0, 1, 2, 1);
    grid->addLayout(options, 2, 0);
    grid->addLayout(buttons, 2, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(1, 3);
    resize(760, 440);

    m_places = ListPlaces();
    for (const Place& place : m_places)
        m_placeBox->addItem(place.label);
    if (!open(QDir::currentPath()))
        open(QDir::homePath());
    selectPlaceOf(m_folder.path);
    m_lastGoodPlace = m_placeBox->currentIndex();

    connect(m_placeBox, QOverload<int>::of(&QComboBox::activated), this, &ContentsDialog::placeChosen);
    connect(m_folderBox, &QTreeWidget::itemActivated, this, &ContentsDialog::folderActivated);
    connect(group, &QButtonGroup::buttonClicked, this, &ContentsDialog::spacingClicked);
    connect(m_getSizes, &QPushButton::clicked, this, &ContentsDialog::getFolderSizes);
    connect(m_toClipboard, &QPushButton::clicked, this, &ContentsDialog::sendToClipboard);
    connect(m_close, &QPushButton::clicked, this, &ContentsDialog::reject);
    connect(m_panel->stopButton(), &QPushButton::clicked, this, [this] { m_listing.stop(); });
}

QStringList ContentsDialog::displayList() const
{
    QStringList lines;
    lines.reserve(m_display->count());
    for (int i = 0; i < m_display->count(); ++i)
        lines << m_display->item(i)->text();
    return lines;
}

bool ContentsDialog::setCurrentFolder(const QString& folder)
{
    QString error;
    if (open(folder, &error))
        return true;
    MsgBox(folder + QStringLiteral("\n\n") + error, MsgIcon::Exclamation, MsgButtons::Ok, QStringLiteral("Path is invalid"));
    return false;
}

bool ContentsDialog::open(const QString& folder, QString* error)
{
    const ListedFolder listed = ReadListedFolder(QDir::cleanPath(folder));
    if (!listed.readable) {
        if (error)
            *error = listed.error;
        return false;
    }
    m_folder = listed;
    fillFolderBox();
    showListing(m_listing.build(m_folder, spacing()));
    return true;
}

void ContentsDialog::reject()
{
    m_listing.stop();
    QDialog::reject();
}

void ContentsDialog::placeChosen(int index)
{
    if (index < 0 || index >= m_places.size())
        return;
    // A place that cannot be opened (a medium taken out) goes back to the last good one.
    if (!open(m_places.at(index).path)) {
        m_placeBox->setCurrentIndex(m_lastGoodPlace);
        return;
    }
    m_lastGoodPlace = index;
}

void ContentsDialog::folderActivated(QTreeWidgetItem* item)
{
    const QString path = item->data(0, Qt::UserRole).toString();
    if (path == m_folder.path || !setCurrentFolder(path))
        return;
    selectPlaceOf(path);
}

void ContentsDialog::selectPlaceOf(const QString& folder)
{
    const int place = PlaceOf(m_places, folder);
    if (place >= 0) {
        m_placeBox->setCurrentIndex(place);
        m_lastGoodPlace = place;
    }
}

void ContentsDialog::spacingClicked()
{
    // A size run shows its result at the spacing chosen by its end.
    if (m_sizing)
        return;
    showListing(m_listing.build(m_folder, spacing()));
}

int ContentsDialog::spacing() const
{
    if (m_small->isChecked())
        return kSpacingSmall;
    return m_medium->isChecked() ? kSpacingMedium : kSpacingLarge;
}

void ContentsDialog::fillFolderBox()
{
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);
    m_folderBox->clear();
    QTreeWidgetItem* current = nullptr;
    for (const QString& path : chainOf(m_folder.path)) {
        QTreeWidgetItem* item = folderItem(path, path == QLatin1String("/") ? path : GetFolderName(path), openIcon);
        if (current)
            current->addChild(item);
        else
            m_folderBox->addTopLevelItem(item);
        current = item;
    }
    QList<QTreeWidgetItem*> children;
    children.reserve(m_folder.subfolders.size());
    for (const QString& name : m_folder.subfolders)
        children << folderItem(ChildPath(m_folder.path, name), name, closedIcon);
    current->addChildren(children);
    m_folderBox->expandAll();
    m_folderBox->setCurrentItem(current);
}

void ContentsDialog::showListing(const QStringList& lines)
{
    m_display->clear();
    m_display->addItems(lines);
}

void ContentsDialog::getFolderSizes()
{
    const QList<QWidget*> controls{m_placeBox, m_folderBox, m_display, m_getSizes, m_toClipboard, m_close};
    for (QWidget* control : controls)
        control->setEnabled(false);
    m_panel->raise();
    m_panel->show();
    m_panel->stopButton()->setFocus();
    m_sizing = true;
    const int used = spacing();
    ContentsListing::SizeRun run;
    run.measuring = [this](const QString& folder) { m_panel->PrintDisplay(folder); };
    run.breathe = [] { ProcessPendingEvents(); };
    QStringList lines = m_listing.buildWithSizes(m_folder, used, run);
    m_sizing = false;
    if (spacing() != used)
        lines = m_listing.build(m_folder, spacing());
    showListing(lines);
    m_panel->hide();
    for (QWidget* control : controls)
        control->setEnabled(true);
    m_getSizes->setFocus();
}

void ContentsDialog::sendToClipboard()
{
    const QStringList lines = displayList();
    if (lines.isEmpty()) {
        MsgBox(Lang(LangSection::Messages, 2), MsgIcon::Exclamation);
        return;
    }
    SetClipboardText(lines.join(QStringLiteral("\r\n")));
    accept();
}
