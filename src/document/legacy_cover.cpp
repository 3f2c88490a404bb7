#include "document/legacy_cover.h"

#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "document/pictures.h"
#include "document/settings_file.h"
#include "document/text_files.h"
#include "platform/dialogs.h"
#include "shell/language.h"
#include "shell/progress.h"
#include "toolbox/paths.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kExtension = QStringLiteral(".vrc");

QString message(int n)
{
    return Lang(LangSection::Messages, n);
}

bool sameContent(const QString& a, const QString& b)
{
    QFile fa(a);
    QFile fb(b);
    if (fa.size() != fb.size() || !fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kChunk = 1 << 16;
    while (!fa.atEnd()) {
        if (fa.read(kChunk) != fb.read(kChunk))
            return false;
    }
    return true;
}

// Copies one picture; its relative reference when there is a file to copy. A picture
// already there (the same file, or the same bytes) is not copied again; another one
// of that name is replaced only when the user agrees.
bool exportPicture(const CoverPicture& picture, const QString& folder, QString& relative)
{
    relative.clear();
    // The rule a saved cover's pictures follow: no other file of the user's leaves with it.
    const QString source = pictureFileToPack(picture);
    if (source.isEmpty())
        return true;
    const QString target = folder + FileNameOf(source);
    const QFileInfo to(target);
    const bool present = to.exists()
        && (to.canonicalFilePath() == QFileInfo(source).canonicalFilePath() || sameContent(source, target));
    if (!present) {
        if (to.exists()
            && MsgBox(message(10) + QLatin1Char('\n') + message(11) + QStringLiteral("\n\n") + target,
                      MsgIcon::Exclamation, MsgButtons::OkCancel, message(10))
                   != MsgResult::Ok)
            return false;
        if (!CopyPicture(source, target)) {
            MsgBox(QStringLiteral("The picture could not be copied to ") + target, MsgIcon::Critical);
            return false;
        }
    }
    relative = QLatin1Char('{') + FileNameOf(target) + QLatin1Char('}');
    return true;
}

void redraw(CoverFileContext& ctx)
{
    if (ctx.redrawBack)
        ctx.redrawBack();
    if (ctx.redrawFront)
        ctx.redrawFront();
}

} // namespace

bool isLegacyCoverName(const QString& path)
{
    return path.endsWith(kExtension, Qt::CaseInsensitive);
}

QString legacySaveName(const QString& name)
{
    return name.endsWith(kExtension) ? name : name + kExtension;
}

bool ExportImages(const CoverDocument& doc, const QString& FilePath, RelativePictureRefs& relative)
{
    QString folder = FilePath;
    if (!folder.endsWith(QLatin1Char('/')) && !folder.endsWith(QLatin1Char('\\')))
        folder += QLatin1Char('/');
    return exportPicture(doc.BackPicture, folder, relative.back)
           && exportPicture(doc.FrontPicture, folder, relative.front)
           && exportPicture(doc.FrontPicture1, folder, relative.front1);
}

bool ExportLegacyFile(CoverFileContext& ctx, const QString& name)
{
    const ProgressWindowScope progress(ProgressMode::Exporting);
    RelativePictureRefs relative;
    if (!ExportImages(ctx.doc, FolderOf(name), relative))
        return false;
    // A fresh file: keys an older version wrote do not survive.
    if (!ReplaceIniFile(ctx.doc, name, QString(), relative) || !SaveTexts(ctx.doc, name + QStringLiteral(".txt")))
        return false;
    ctx.doc.saved = true;
    return true;
}

bool ExportCommand(CoverFileContext& ctx)
{
    FileDialogRequest request;
    request.save = true;
    request.title = message(12);
    request.folder = ctx.lastPath;
    request.filter = QStringLiteral("VORN File (*.vrc)");
    const QString chosen = dialogs().file(request);
    if (chosen.isEmpty())
        return false;
    const QString name = legacySaveName(chosen);
    const QString replace = message(10) + QLatin1Char('\n') + message(11);
    if (FileExists(name) && MsgBox(replace, MsgIcon::Exclamation, MsgButtons::OkCancel, message(10)) != MsgResult::Ok)
        return false;
    ctx.lastPath = FolderOf(name);
    return ExportLegacyFile(ctx, name);
}

bool ImportLegacyFile(CoverFileContext& ctx, const QString& name)
{
    if (!FileExists(name)) {
        MsgBox(QStringLiteral("File don't exist !"), MsgIcon::Critical);
        return false;
    }
    CoverDocument& doc = ctx.doc;
    bool applied = false;
    {
        const ProgressWindowScope progress(ProgressMode::Importing);
        doc.BackPicture = CoverPicture();
        doc.FrontPicture = CoverPicture();
        doc.FrontPicture1 = CoverPicture();
        ctx.lastPath = FolderOf(name);
        const bool texts = LoadTextsFile(doc, name + QStringLiteral(".txt"));
        applied = LoadIniFile(doc, name, false, ctx.fontList, [&ctx] { redraw(ctx); }, ReferenceSource::LegacyFile)
                  && texts;
    }
    // The imported cover is not the archive that was open before: saving it must not
    // overwrite that one.
    doc.currentFile.clear();
    redraw(ctx);
    doc.saved = true;
    return applied;
}

bool ImportCommand(CoverFileContext& ctx)
{
    if (!CheckIfSaved(ctx))
        return false;
    for (;;) {
        FileDialogRequest request;
        request.title = message(38);
        request.folder = ctx.lastPath;
        request.filter = QStringLiteral("VORN 2.x File (*.vrc)");
        const QString chosen = dialogs().file(request);
        if (chosen.isEmpty())
            return false;
        const QString name = legacySaveName(chosen);
        if (FileExists(name))
            return ImportLegacyFile(ctx, name);
        MsgBox(QStringLiteral("File don't exist !"), MsgIcon::Critical);
    }
}
