#include "shell/preset_dialog.h"

#include "shell/language.h"
#include "shell/presets.h"
#include "shell/user_settings.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct ButtonSpec {
    const char* objectName;
    const char* designed;
    int entry; // in the Preset table
};

const ButtonSpec kButtons[] = {
    {"cmdApply", "Use selected", 4},
    {"cmdSave", "Save current style as...", 3},
    {"cmdRename", "Rename", 2},
    {"cmdDelete", "Delete", 1},
    {"cmdClose", "&Close", 5},
};

QString caption(int entry, const char* designed)
{
    const QString text = Lang(LangSection::Preset, entry);
    return text.isEmpty() ? QString::fromLatin1(designed) : text;
}

} // namespace

PresetDialog::PresetDialog(CoverFileContext& ctx, QWidget* parent)
    : QDialog(parent)
    , m_ctx(ctx)
    , m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("PresetDialog"));
    setModal(true);
    if (parent)
        setWindowIcon(parent->window()->windowIcon());
    setWindowTitle(caption(6, "Presets"));
    m_list->setObjectName(QStringLiteral("PresetList"));
    m_list->setAccessibleName(windowTitle());

    auto* buttons = new QVBoxLayout;
    QPushButton* made[std::size(kButtons)] = {};
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        made[i] = new QPushButton(caption(kButtons[i].entry, kButtons[i].designed), this);
        made[i]->setObjectName(QString::fromLatin1(kButtons[i].objectName));
        made[i]->setAutoDefault(false);
        buttons->addWidget(made[i]);
    }
    buttons->addStretch();
    connect(made[0], &QPushButton::clicked, this, &PresetDialog::applyClicked);
    connect(made[1], &QPushButton::clicked, this, &PresetDialog::saveClicked);
    connect(made[2], &QPushButton::clicked, this, &PresetDialog::renameClicked);
    connect(made[3], &QPushButton::clicked, this, &PresetDialog::deleteClicked);
    connect(made[4], &QPushButton::clicked, this, &PresetDialog::closeClicked);
    // A double click is the quickest way to use a preset.
    connect(m_list, &QListWidget::itemDoubleClicked, this, &PresetDialog::applyClicked);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    LoadPresets();
}

void PresetDialog::LoadPresets()
{
    m_list->clear();
    m_list->addItems(presetNames());
    const QString current = settings::preset();
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->text().compare(current, Qt::CaseInsensitive) == 0) {
            m_list->setCurrentRow(i);
            return;
        }
    }
    m_list->setCurrentRow(-1);
}

QString PresetDialog::selected() const
{
    const QList<QListWidgetItem*> items = m_list->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void PresetDialog::applyClicked()
{
    if (ApplyPreset(m_ctx, selected()))
        accept();
}

void PresetDialog::saveClicked()
{
    if (!SavePreset(m_ctx).isEmpty())
        LoadPresets();
}

void PresetDialog::renameClicked()
{
    if (!RenamePreset(selected()).isEmpty())
        LoadPresets();
}

void PresetDialog::deleteClicked()
{
    if (DeletePreset(selected()))
        LoadPresets();
}

void PresetDialog::closeClicked()
{
    reject();
}

void PresetDialog::reject()
{
    ClosePresets(selected());
    QDialog::reject();
}
