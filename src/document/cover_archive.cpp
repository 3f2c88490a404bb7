#include "document/cover_archive.h"

#include "archive/zip_engine.h"
#include "document/cover_document.h"
#include "document/pictures.h"
#include "document/settings_file.h"
#include "document/text_files.h"
#include "platform/dialogs.h"
#include "render/busy_pointer.h"
#include "render/decode_ahead.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/progress.h"
#include "toolbox/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>

#include <algorithm>

const QString kPreviewFileName = QStringLiteral("~vorn_preview_file~.bmp");

namespace {

// Ours are 210 x 180 pixels; the limit leaves room for previews made on finer screens.
constexpr int kMaxPreviewSide = 2048;
// A bitmap of that size at 32 bits a pixel, with room for its headers.
constexpr qint64 kMaxPreviewBytes = 4LL * kMaxPreviewSide * kMaxPreviewSide + 65536;

QString message(int n)
{
    return Lang(LangSection::Messages, n);
}

// Ensures the working folder exists; shows the failure the way any other unexpected
// error of the file commands is shown.
bool workingFolderReady()
{
    if (QDir().mkpath(app::workingFolder()))
        return true;
    MsgBox(QStringLiteral("Path not found\nCODE:76"), MsgIcon::Exclamation);
    return false;
}

// "{name}" for a picture packed with the cover; none for one that is not.
QString relativeRef(const QString& packed)
{
    return packed.isEmpty() ? QString() : QLatin1Char('{') + FileNameOf(packed) + QLatin1Char('}');
}

void redraw(CoverFileContext& ctx)
{
    if (ctx.redrawBack)
        ctx.redrawBack();
    if (ctx.redrawFront)
        ctx.redrawFront();
}

// After a successful open or save: the cover file is current and listed, the previews show
// it (the back cover prints its path), and only then is the document saved, since a
// redraw clears the flag.
void finishCoverCommand(CoverFileContext& ctx, const QString& path)
{
    ctx.doc.currentFile = path;
    if (ctx.addRecent)
        ctx.addRecent(path);
    redraw(ctx);
    ctx.doc.saved = true;
}

// Marks a save or an open in progress. Both let window messages through, and a cover
// dropped meanwhile must not flush the working folder under the running command.
class FileCommandScope {
public:
    FileCommandScope() { s_running = true; }
    ~FileCommandScope() { s_running = false; }
    FileCommandScope(const FileCommandScope&) = delete;
    FileCommandScope& operator=(const FileCommandScope&) = delete;
    static bool running() { return s_running; }

private:
    static inline bool s_running = false;
};

// Moves every file of from into the working folder, replacing files of the same name.
bool moveIntoWorkingFolder(const QString& from)
{
    const QString to = app::workingFolder();
    for (const QString& name : QDir(from).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QString target = to + name;
        const QFileInfo existing(target);
        // A member named like one of the working folder's own folders ("preview") is dropped.
        if (existing.isDir() && !existing.isSymLink())
            continue;
        if (existing.exists() || existing.isSymLink())
            QFile::remove(target);
        if (!QFile::rename(from + QLatin1Char('/') + name, target))
            return false;
    }
    return true;
}

// A writer of the working folder failed and has shown its message.
constexpr int kWriterFailed = -1;

// Writes the settings, the texts and the preview bitmap into the working folder and
// packs them with the pictures into StrPath; the engine's result.
int packCover(const CoverDocument& doc, const QString& StrPath)
{
    const QString folder = app::workingFolder();
    const QString packed[] = {pictureFileToPack(doc.BackPicture), pictureFileToPack(doc.FrontPicture),
                              pictureFileToPack(doc.FrontPicture1)};
    const RelativePictureRefs relative{relativeRef(packed[0]), relativeRef(packed[1]), relativeRef(packed[2])};
    // An archive missing its settings or texts must not replace a good one.
    if (!SaveIniFile(doc, folder + QStringLiteral("vorn.ini"), QString(), true, relative))
        return kWriterFailed;
    const QString textFile = folder + FileNameOf(StrPath) + QStringLiteral(".txt");
    if (!SaveTexts(doc, textFile))
        return kWriterFailed;

    QStringList members{folder + QStringLiteral("vorn.ini"), textFile};
    for (const QString& picture : packed) {
        if (!picture.isEmpty())
            members << picture;
    }
    // Without its preview bitmap the cover is still worth saving.
    if (SavePreview(doc, folder + kPreviewFileName))
        members << folder + kPreviewFileName;
    // A list, not "|"-joined text: a cover may be named "Artist | Album". What the cover
    // last opened or saved still holds unchanged is copied from it, not deflated again.
    return CompressArrayFiles(members, StrPath, 9, false, doc.currentFile);
}

} // namespace

QString coverFileFilter()
{
    return message(27) + QStringLiteral(" (.vrz) (*.vrz)");
}

bool isCoverFileName(const QString& path)
{
    return path.toLower().endsWith(QLatin1String(".vrz"));
}

QString coverSaveName(const QString& name)
{
    return name.endsWith(QLatin1String(".vrz")) ? name : name + QStringLiteral(".vrz");
}

bool SaveCoverToFile(CoverFileContext& ctx, const QString& StrPath)
{
    // The old archive stays where it is: the engine writes the new one beside it and
    // puts it in place only once complete.
    if (FileCommandScope::running())
        return false;
    const FileCommandScope command;
    const BusyPointer busy;
    ProcessPendingEvents();
    if (!workingFolderReady())
        return false;
    CoverDocument& doc = ctx.doc;
    int code = 0;
    {
        const ProgressWindowScope progress(ProgressMode::Saving);
        code = packCover(doc, StrPath);
    }
    if (code == kWriterFailed)
        return false;
    if (code != zipcode::Ok) {
        MsgBox(message(28) + QLatin1Char('\n') + message(29) + QString::number(code), MsgIcon::Critical);
        return false;
    }
    finishCoverCommand(ctx, StrPath);
    return true;
}

namespace {

QString listed(const QList<SkippedMember>& members, const char* joiner)
{
    QStringList lines;
    for (const SkippedMember& m : members)
        lines << m.name + QLatin1String(joiner) + m.reason;
    return lines.join(QLatin1Char('\n'));
}

// Shows why the cover was not opened; the result says the same.
OpenResult notOpened(const QString& reason, const QString& shown)
{
    MsgBox(shown, MsgIcon::Critical);
    return {OpenResult::NotOpened, reason};
}

} // namespace

OpenResult OpenSub(CoverFileContext& ctx, const QString& FilePath)
{
    if (FileCommandScope::running() || !CheckIfSaved(ctx))
        return {};
    QString name = FilePath;
    if (name.isEmpty()) {
        FileDialogRequest request;
        request.folder = ctx.lastPath;
        request.filter = coverFileFilter();
        name = ctx.chooseCover ? ctx.chooseCover(request) : dialogs().file(request);
    }
    if (name.isEmpty())
        return {};
    if (!isCoverFileName(name))
        return notOpened(message(39), message(39));
    if (!FileExists(name))
        return notOpened(ZipErrorText(zipcode::NotFound),
                         message(31) + QLatin1Char('\n') + message(29) + QStringLiteral("474"));

    const FileCommandScope command;
    const BusyPointer busy;
    if (!workingFolderReady())
        return {OpenResult::NotOpened, app::workingFolder()};
    // Unpacked aside first: the working folder still holds the open cover's pictures,
    // which must survive an archive that turns out to be unreadable.
    QTemporaryDir unpacked(app::workingFolder() + QStringLiteral(".open-XXXXXX"));
    ExtractNotes notes;
    int code = unpacked.isValid() ? ExtractFile(name, unpacked.path(), false, false, &notes) : zipcode::DiskError;
    if (code == zipcode::Ok) {
        FlushTmp();
        if (!moveIntoWorkingFolder(unpacked.path()))
            code = zipcode::DiskError;
    }
    if (code != zipcode::Ok)
        return notOpened(ZipErrorText(code), message(31) + QLatin1Char('\n') + message(29) + QString::number(code));

    // Whatever could not be read is named; the rest of the cover still opens.
    QStringList missing;
    if (!notes.shadowed.isEmpty())
        MsgBox(QStringLiteral("Members left out because another member has the same name:\n")
                   + listed(notes.shadowed, " (name taken by ") + QStringLiteral(")"),
               MsgIcon::Exclamation);
    if (!notes.unreadable.isEmpty()) {
        missing << listed(notes.unreadable, ": ");
        MsgBox(QStringLiteral("These parts of the cover could not be read:\n") + missing.back(), MsgIcon::Critical);
    }
    const QString settings = app::workingFolder() + QStringLiteral("vorn.ini");
    const bool settingsUnpacked = QFileInfo(settings).isFile();
    const bool settingsRefused = std::any_of(notes.unreadable.begin(), notes.unreadable.end(),
                                             [](const SkippedMember& m) { return FileNameOf(m.name) == "vorn.ini"; });
    if (!settingsUnpacked && !settingsRefused) {
        missing << QStringLiteral("vorn.ini: missing");
        MsgBox(QStringLiteral("The cover has no settings file (vorn.ini); every setting takes its default."),
               MsgIcon::Critical);
    }

    CoverDocument& doc = ctx.doc;
    {
        const ProgressWindowScope progress(ProgressMode::Loading);
        ctx.lastPath = FolderOf(name);
        // The old cover's pictures went with the flush; a slot the new settings do not
        // name must not keep showing one.
        doc.BackPicture = CoverPicture();
        doc.FrontPicture = CoverPicture();
        doc.FrontPicture1 = CoverPicture();
        if (!LoadTexts(doc, app::workingFolder()))
            missing << QStringLiteral("the texts could not be read");
        if (!LoadIniFile(doc, settings, false, ctx.fontList) && settingsUnpacked)
            missing << QStringLiteral("vorn.ini: some settings could not be applied");
    }
    if (ctx.redrawBack || ctx.redrawFront)
        decodePicturesAhead(doc, ctx.previewDpi);
    finishCoverCommand(ctx, name);
    if (missing.isEmpty())
        return {OpenResult::Opened, QString()};
    // Saving now would replace the file without what could not be read: the user's choice.
    doc.saved = false;
    return {OpenResult::Incomplete, missing.join(QLatin1Char('\n'))};
}

void FlushTmp()
{
    const QString folder = app::workingFolder();
    for (const QString& name : ListFiles(folder, QStringLiteral("*.*"))) {
        const QString path = folder + name;
        const QFileInfo info(path);
        if (!info.isFile() || name.toLower() == QLatin1String("dummy.txt"))
            continue;
        QFile::setPermissions(path, info.permissions() | QFile::WriteOwner);
        QFile::remove(path);
    }
}

bool CheckIfSaved(CoverFileContext& ctx)
{
    if (ctx.doc.saved)
        return true;
    switch (MsgBox(message(34) + QLatin1Char('\n') + message(35), MsgIcon::Exclamation, MsgButtons::YesNoCancel,
                   message(37))) {
    case MsgResult::Yes:
        SaveCommand(ctx);
        return ctx.doc.saved;
    case MsgResult::No:
        return true;
    default:
        return false;
    }
}

bool SaveCommand(CoverFileContext& ctx)
{
    if (!ctx.doc.currentFile.isEmpty())
        return SaveCoverToFile(ctx, ctx.doc.currentFile);
    return SaveAsCommand(ctx);
}

bool SaveAsCommand(CoverFileContext& ctx)
{
    FileDialogRequest request;
    request.save = true;
    request.folder = ctx.lastPath;
    request.fileName = FileNameOf(ctx.doc.currentFile);
    request.filter = coverFileFilter();
    // The question below is the only one: the name gets its extension first.
    request.confirmOverwrite = false;
    QString name = dialogs().file(request);
    if (name.isEmpty())
        return false;
    name = coverSaveName(name);
    if (FileExists(name)
        && MsgBox(message(10) + QLatin1Char('\n') + message(11), MsgIcon::Exclamation, MsgButtons::OkCancel, message(10))
               != MsgResult::Ok)
        return false;
    return SaveAsFile(ctx, name);
}

bool SaveAsFile(CoverFileContext& ctx, const QString& name)
{
    ctx.lastPath = FolderOf(name);
    return SaveCoverToFile(ctx, name);
}

QImage readArchivePreview(const QString& path, const QString& folder)
{
    const QString bitmap = QDir(folder).filePath(kPreviewFileName);
    // A bomb is refused before it fills the disk, a giant before it is decoded.
    if (ExtractSingleFiles(path, folder, {kPreviewFileName}, kMaxPreviewBytes) != zipcode::Ok
        || !QFileInfo(bitmap).isFile())
        return QImage();
    QImage image;
    {   // the reader lets go of the file before it is removed
        QImageReader reader(bitmap, "bmp");
        const QSize size = reader.size();
        if (size.isValid() && size.width() <= kMaxPreviewSide && size.height() <= kMaxPreviewSide)
            image = reader.read();
    }
    QFile::setPermissions(bitmap, QFile::permissions(bitmap) | QFile::WriteOwner);
    QFile::remove(bitmap);
    return image;
}

QImage coverArchivePreview(const QString& path)
{
    return readArchivePreview(path, app::workingFolder() + QStringLiteral("preview/"));
}
