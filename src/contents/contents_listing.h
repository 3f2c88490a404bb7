#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// What the contents dialog lists of one folder: its subfolders and files, hidden
// ones (names beginning with ".") left out, each sorted by name.
struct ListedFolder {
    struct File {
        QString name;
        qint64 size = 0;
    };
    QString path;           // as given
    QStringList subfolders; // names
    QVector<File> files;
    bool readable = false;
    QString error;          // why it is not readable
};

ListedFolder ReadListedFolder(const QString& path);

// The spacing widths of "Small", "Medium" and "Large".
constexpr int kSpacingSmall = 22;
constexpr int kSpacingMedium = 32;
constexpr int kSpacingLarge = 42;

// The last component of a folder path, without a trailing "/"; empty for the root.
QString GetFolderName(const QString& path);
// No when it is 0 or more, else 0: every run of spaces after a name goes through it.
int GetAbsOrZerro(int No);
// "/a/b" + "c" gives "/a/b/c"; the root gives "/c".
QString ChildPath(const QString& folder, const QString& name);

// Builds the contents listing of a folder as padded text lines: "[NAME]" for each
// subfolder (with its total size once known), then "name (size)" for each file. Folder
// sizes are computed only on request and kept for the folder, so that another spacing
// shows them again without walking the disk; another folder drops them.
class ContentsListing {
public:
    // What a size run tells its window, and when the window may repaint and take
    // clicks ("Stop!").
    struct SizeRun {
        std::function<void(const QString& folderPath)> measuring; // before each folder
        std::function<void()> breathe;                            // often while measuring
    };

    // The listing at the given spacing width, with the sizes already known.
    QStringList build(const ListedFolder& folder, int spacing) { return run(folder, spacing, nullptr); }
    // Measures every subfolder afresh (a stop leaves the rest without sizes), then
    // gives the listing.
    QStringList buildWithSizes(const ListedFolder& folder, int spacing, const SizeRun& sizeRun);
    // Ends a size run at the next breath.
    void stop() { m_stop = true; }
    bool stopped() const { return m_stop; }
    // One " (size)" suffix per measured subfolder, in order.
    const QStringList& sizeCache() const { return m_sizeCache; }

private:
    QStringList run(const ListedFolder& folder, int spacing, const SizeRun* sizeRun);

    QString m_lastListed;
    QStringList m_sizeCache;
    bool m_stop = false;
};
