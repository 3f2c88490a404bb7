#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

struct CoverDocument;
struct FileDialogRequest;

// What the file commands need from the editor: its document, where its dialogs open,
// how to redraw it. The window fills one in for each command and keeps the folders
// afterwards; the command line and the tests fill in what they have.
struct CoverFileContext {
    explicit CoverFileContext(CoverDocument& document) : doc(document) {}

    CoverDocument& doc;
    // The editor's font list, against which a settings file's fonts are matched.
    QStringList fontList;
    // LastPath: where the cover dialogs open; every open and save updates it.
    QString lastPath;
    // LastPicturePath: where the picture dialog opens.
    QString lastPicturePath;
    std::function<void()> redrawBack;
    std::function<void()> redrawFront;
    // The resolution the previews are drawn at: after an open, the parts of the pictures
    // they show are decoded on all cores at once before they are redrawn.
    double previewDpi = 96;
    // AddResent: records an opened or saved cover in the recent files.
    std::function<void(const QString&)> addRecent;
    // The open dialog with its preview area; the plain file dialog when not set.
    std::function<QString(const FileDialogRequest&)> chooseCover;
};

// Name of the preview bitmap in the working folder and in every cover archive.
extern const QString kPreviewFileName;

// Writes the cover archive StrPath from the document and the working folder. The old
// archive is replaced only by a complete new one: after any failure it is untouched,
// the failure has been shown and the document stays unsaved. True when saved.
bool SaveCoverToFile(CoverFileContext& ctx, const QString& StrPath);

// What an open came to. A cover of which some part could not be read (a refused or
// damaged member, its settings or texts over their limits or unreadable, no settings
// file) is opened as far as it could be and left unsaved, so that replacing the file is
// the user's choice. The reasons have been shown by the time it is returned.
struct OpenResult {
    enum Status { NotOpened, Opened, Incomplete };
    Status status = NotOpened;
    // Why it was not opened, or what of it could not be read, one line each.
    QString reason;
    explicit operator bool() const { return status != NotOpened; }
};

// Opens the cover archive FilePath, or asks for one when it is empty. An archive that
// cannot be read at all (nor one without members) leaves the document and the working
// folder as they were.
OpenResult OpenSub(CoverFileContext& ctx, const QString& FilePath = QString());

// Deletes every file of the working folder except "dummy.txt"; folders stay.
void FlushTmp();

// True when the document may be replaced: saved, saved now, or the user agreed to
// discard the changes.
bool CheckIfSaved(CoverFileContext& ctx);

// The "Save..." and "Save as..." commands; true when the cover was saved.
bool SaveCommand(CoverFileContext& ctx);
bool SaveAsCommand(CoverFileContext& ctx);
// Like "Save as..." with the name already chosen and no question before replacing.
bool SaveAsFile(CoverFileContext& ctx, const QString& name);

// The preview bitmap stored in the cover archive at path, unpacked into folder and removed
// from it again; nothing else of the archive is read. A null image when there is none, the
// archive is damaged, or the member is not a Windows bitmap of at most 2048 x 2048 pixels.
QImage readArchivePreview(const QString& path, const QString& folder);
// As readArchivePreview, through the working folder's "preview/" folder.
QImage coverArchivePreview(const QString& path);

// The filter of the cover dialogs.
QString coverFileFilter();
// Whether a dropped file list may be opened: its first file's name ends in ".vrz".
bool isCoverFileName(const QString& path);
// The name a cover is saved under: ".vrz" added unless it ends so exactly (with case).
QString coverSaveName(const QString& name);
