#include "document/pictures.h"

#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "document/settings_file.h"
#include "platform/dialogs.h"
#include "render/back_renderer.h"
#include "render/busy_pointer.h"
#include "render/decode_ahead.h"
#include "render/drawing_surface.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "toolbox/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>

#include <climits>
#include <cmath>

namespace {

// The sheets are drawn at screen resolution, as the previews show them.
constexpr double kPreviewDpi = 96;

QString pictureFilter(PictureSlot slot)
{
    const QString first = slot == PictureSlot::Front ? Lang(LangSection::Messages, 9)
                                                     : QStringLiteral("All supported filetypes");
    return first + QStringLiteral(" (*.bmp *.jpg *.gif *.wmf *.ico);;BMP (*.bmp);;JPG (*.jpg);;GIF (*.gif);;"
                                  "WMF (*.wmf);;Icon (*.ico)");
}

void redrawSlot(CoverFileContext& ctx, PictureSlot slot)
{
    const std::function<void()>& redraw = slot == PictureSlot::Back ? ctx.redrawBack : ctx.redrawFront;
    if (redraw)
        redraw();
}

// Copies source over target through a temporary file, so that a failed copy leaves the
// target (perhaps another slot's picture) as it was. Copying a file onto itself does nothing.
bool copyReplacing(const QString& source, const QString& target)
{
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath())
        return true;
    const QString partial = target + QStringLiteral(".partial");
    QFile::remove(partial);
    if (!QFile::copy(source, partial))
        return false;
    QFile::setPermissions(partial, QFile::permissions(partial) | QFile::WriteOwner);
    if (to.exists() || to.isSymLink())
        QFile::remove(target);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        return false;
    }
    return true;
}

QImage drawSheet(CoverDocument& doc, const QSizeF& sizeMm, void (*draw)(CoverDocument&, DrawingSurface&, bool))
{
    ImageSurface surface(sizeMm, kPreviewDpi);
    surface.clear();
    draw(doc, surface, false);
    return surface.image();
}

} // namespace

CoverPicture& pictureOf(CoverDocument& doc, PictureSlot slot)
{
    switch (slot) {
    case PictureSlot::Back: return doc.BackPicture;
    case PictureSlot::Front: return doc.FrontPicture;
    case PictureSlot::Front1: break;
    }
    return doc.FrontPicture1;
}

bool InsertPicture(CoverFileContext& ctx, PictureSlot slot)
{
    FileDialogRequest request;
    request.title = Lang(LangSection::Messages, 56);
    request.folder = ctx.lastPicturePath;
    request.filter = pictureFilter(slot);
    const QString chosen = dialogs().file(request);
    if (chosen.isEmpty())
        return false;
    if (!FileExists(chosen)) {
        MsgBox(slot == PictureSlot::Front1 ? Lang(LangSection::Messages, 8) : QStringLiteral("File don't exist !"),
               MsgIcon::Critical);
        return false;
    }

    const BusyPointer busy;
    // Decoded before it is copied: a copy that will not decode must not replace a
    // picture of the same name that another slot uses.
    QString reason;
    const PictureImage image = readPictureFile(chosen, &reason);
    if (image.isNull()) {
        MsgBox(QStringLiteral("The picture could not be loaded:\n") + chosen + QLatin1Char('\n') + reason,
               MsgIcon::Critical);
        return false;
    }
    const QString copy = app::workingFolder() + FileNameOf(chosen);
    if (!QDir().mkpath(app::workingFolder()) || !copyReplacing(chosen, copy)) {
        MsgBox(QStringLiteral("The picture could not be copied to ") + app::workingFolder(), MsgIcon::Critical);
        return false;
    }
    CoverPicture& picture = pictureOf(ctx.doc, slot);
    picture.image = image;
    picture.ref = copy;
    redrawSlot(ctx, slot);
    ctx.lastPicturePath = FolderOf(chosen);
    return true;
}

void ClearPicture(CoverFileContext& ctx, PictureSlot slot)
{
    CoverPicture& picture = pictureOf(ctx.doc, slot);
    picture.image = PictureImage();
    picture.ref = QStringLiteral("none");
    redrawSlot(ctx, slot);
}

QString resolvePictureReference(const QString& value, const QString& settingsFile, ReferenceSource source)
{
    const bool relative = value.size() >= 2 && value.startsWith(QLatin1Char('{')) && value.endsWith(QLatin1Char('}'));
    if (relative)
        return CheckImport(value, settingsFile);
    if (source == ReferenceSource::LegacyFile && !isRemovedPicture(value) && QFileInfo(value).isAbsolute())
        return value;
    return QString();
}

QString pictureFileToPack(const CoverPicture& picture)
{
    const QString& file = picture.ref;
    if (file.isEmpty() || isRemovedPicture(file))
        return QString();
    const QFileInfo info(file);
    if (!info.isAbsolute())
        return QString();
    const QString folder = info.canonicalPath();
    const bool inWorkingFolder = !folder.isEmpty() && folder == QDir(app::workingFolder()).canonicalPath();
    if (picture.image.isNull() && !inWorkingFolder)
        return QString();
    return isPictureFile(file) ? file : QString();
}

QImage previewBitmap(const CoverDocument& doc)
{
    // The renderers clear the saved flag; they draw on a copy.
    CoverDocument copy = doc;
    decodePicturesAhead(copy, kPreviewDpi);
    const QImage front = drawSheet(copy, QSizeF(frontsheet::kWidth, frontsheet::kHeight), &UpdateFront);
    const QImage back = drawSheet(copy, QSizeF(backsheet::kWidth, backsheet::kHeight), &UpdateBack);

    QImage composite(front.width(), front.height() + back.height(), QImage::Format_RGB32);
    composite.fill(Qt::white);
    {
        QPainter p(&composite);
        p.drawImage(0, 0, front);
        p.drawImage(composite.width() / 2 - back.width() / 2, front.height(), back);
    }

    QImage box(kPreviewBoxWidth, kPreviewBoxHeight, QImage::Format_RGB32);
    box.fill(kPreviewBoxColor);
    int width = 0;
    int height = 0;
    CalculateAspectRatio(composite.width(), composite.height(), box.width(), box.height(), width, height);
    QPainter p(&box);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(box.width() / 2 - width / 2, box.height() / 2 - height / 2, width, height), composite);
    return box;
}

bool SavePreview(const CoverDocument& doc, const QString& path)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        QImageWriter writer(&file, "bmp");
        if (writer.write(previewBitmap(doc)) && file.commit())
            return true;
    }
    MsgBox(file.errorString() + QStringLiteral("\nCode ") + QString::number(int(file.error()))
               + QStringLiteral("\n\nPreview could not be saved!"),
           MsgIcon::Exclamation);
    return false;
}

void CalculateAspectRatio(int sw, int sh, int bw, int bh, int& ow, int& oh)
{
    if (sw == 0 || sh == 0 || bw == 0 || bh == 0)
        return;
    const double boxRatio = double(bw) / bh;
    const double picRatio = double(sw) / sh;
    double w = 0;
    double h = 0;
    if (boxRatio < picRatio) {
        w = bw;
        h = double(bw) / sw * sh;
    } else {
        h = bh;
        w = double(bh) / sh * sw;
    }
    // Halves go to the even neighbour (the default rounding mode), as the conversion to
    // an integer always did.
    w = std::nearbyint(w);
    h = std::nearbyint(h);
    if (std::fabs(w) > INT_MAX || std::fabs(h) > INT_MAX)
        return;
    ow = int(w);
    oh = int(h);
}

bool CopyPicture(const QString& source, const QString& target)
{
    return copyReplacing(source, target);
}
