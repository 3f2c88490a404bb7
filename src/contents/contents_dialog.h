#pragma once

#include "contents/contents_listing.h"
#include "contents/places.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class SizePanel;

// Lists one folder as padded text lines (subfolders, optionally with their sizes, then
// files with theirs) and puts them on the clipboard for the back cover's contents.
class ContentsDialog final : public QDialog {
    Q_OBJECT
public:
    // Opens on the process's current folder (the home folder when that cannot be read).
    explicit ContentsDialog(QWidget* parent = nullptr);

    // The `getcontents` command: the dialog, modal over parent.
    static void runModal(QWidget* parent);

    QString currentFolder() const { return m_folder.path; }
    // Opens folder; when it cannot be read, says so and stays where it was.
    bool setCurrentFolder(const QString& folder);
    QStringList displayList() const;

public slots:
    // Closing also stops a size run.
    void reject() override;

private:
    void placeChosen(int index);
    void folderActivated(QTreeWidgetItem* item);
    void spacingClicked();
    void getFolderSizes();
    void sendToClipboard();

    bool open(const QString& folder, QString* error = nullptr);
    void fillFolderBox();
    void showListing(const QStringList& lines);
    int spacing() const;
    void selectPlaceOf(const QString& folder);

    ContentsListing m_listing;
    ListedFolder m_folder;
    QVector<Place> m_places;
    int m_lastGoodPlace = 0;
    bool m_sizing = false;

    QComboBox* m_placeBox;
    QTreeWidget* m_folderBox;
    QListWidget* m_display;
    QRadioButton* m_small;
    QRadioButton* m_medium;
    QRadioButton* m_large;
    QPushButton* m_getSizes;
    QPushButton* m_toClipboard;
    QPushButton* m_close;
    SizePanel* m_panel;
};
