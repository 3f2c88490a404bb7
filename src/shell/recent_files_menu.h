#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QAction;
class QMenu;

// The recent-files entries of the File menu, numbered from 0, placed between a
// separator above them and an entry below them. Each entry's caption is its number
// and the path shortened to 150 pixels; its data is the full path.
class RecentFilesMenu final : public QObject {
    Q_OBJECT
public:
    // open is called with the path of a chosen entry whose file is still there.
    RecentFilesMenu(QMenu* menu, QAction* separator, QAction* below, std::function<void(const QString&)> open);

    // Rebuilds the entries from the program's list. Hidden entries still exist; the
    // separator shows when the list is shown and not empty. True when not empty.
    bool UpdateResent(bool visible);
    // AddResent: puts path at the top of the list, then rebuilds the entries.
    void AddResent(const QString& path, bool visible);

    const std::vector<QAction*>& entries() const { return m_entries; }

private:
    QMenu* m_menu;
    QAction* m_separator;
    QAction* m_below;
    std::function<void(const QString&)> m_open;
    std::vector<QAction*> m_entries;
};
