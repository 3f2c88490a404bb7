#include "shell/recent_files_menu.h"

#include "shell/recent_files.h"
#include "toolbox/compact_path.h"

#include <QAction>
#include <QFontMetrics>
#include <QMenu>

namespace {

// The width the captions' paths are shortened to.
constexpr int kCaptionPathWidth = 150;

} // namespace

RecentFilesMenu::RecentFilesMenu(QMenu* menu, QAction* separator, QAction* below,
                                 std::function<void(const QString&)> open)
    : QObject(menu)
    , m_menu(menu)
    , m_separator(separator)
    , m_below(below)
    , m_open(std::move(open))
{
}

bool RecentFilesMenu::UpdateResent(bool visible)
{
    for (QAction* entry : m_entries)
        delete entry;
    m_entries.clear();
    const QFontMetrics metrics(m_menu->font());
    const QStringList paths = recentFiles();
    for (int i = 0; i < paths.size(); ++i) {
        const QString& path = paths.at(i);
        // An "&" in a folder name is text, not a keyboard mnemonic.
        QString caption = QString::number(i) + QLatin1Char(' ') + CompactPath(path, kCaptionPathWidth, metrics);
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        auto* entry = new QAction(caption, m_menu);
        entry->setObjectName(QStringLiteral("mResent%1").arg(i));
        entry->setData(path);
        entry->setToolTip(path);
        entry->setVisible(visible);
        connect(entry, &QAction::triggered, this, [this, path] { openRecentFile(path, m_open); });
        m_menu->insertAction(m_below, entry);
        m_entries.push_back(entry);
    }
    m_separator->setVisible(visible && !paths.isEmpty());
    return !paths.isEmpty();
}

void RecentFilesMenu::AddResent(const QString& path, bool visible)
{
    recordRecentFile(path);
    UpdateResent(visible);
}
