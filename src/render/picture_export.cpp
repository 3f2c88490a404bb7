#include "render/picture_export.h"

#include "document/cover_document.h"
#include "platform/dialogs.h"
#include "shell/language.h"
#include "toolbox/paths.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString message(int n)
{
    return Lang(LangSection::Messages, n);
}

// Copies through a file beside the target, so that a failure leaves the target whole.
// On failure error holds the reason.
bool copyFile(const QString& from, const QString& to, QString* error)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = from + QStringLiteral(": ") + source.errorString();
        return false;
    }
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly)) {
        *error = to + QStringLiteral(": ") + target.errorString();
        return false;
    }
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray bytes = source.read(kChunk);
        if (bytes.isEmpty() && source.error() != QFileDevice::NoError) {
            *error = from + QStringLiteral(": ") + source.errorString();
            return false;
        }
        if (target.write(bytes) != bytes.size()) {
            *error = to + QStringLiteral(": ") + target.errorString();
            return false;
        }
    }
    if (!target.commit()) {
        *error = to + QStringLiteral(": ") + target.errorString();
        return false;
    }
    return true;
}

} // namespace

bool canExportPicture(const CoverPicture& picture)
{
    return !isRemovedPicture(picture.ref) && QFileInfo(picture.ref).isAbsolute() && FileExists(picture.ref);
}

bool SavePictureTo(const QString& path, QString& folder)
{
    FileDialogRequest request;
    request.save = true;
    request.folder = folder;
    request.fileName = FileNameOf(path);
    request.title = message(57);
    request.filter = message(9)
        + QStringLiteral(" (*.bmp *.jpg *.gif *.wmf *.ico);;BMP (*.bmp);;JPG (*.jpg);;GIF (*.gif);;"
                         "WMF (*.wmf);;Icon (*.ico)");
    request.confirmOverwrite = false;
    const QString target = dialogs().file(request);
    if (target.isEmpty())
        return false;
    if (FileExists(target)
        && MsgBox(message(10) + QLatin1Char('\n') + message(11), MsgIcon::Exclamation, MsgButtons::OkCancel,
                  message(10))
               != MsgResult::Ok)
        return false;
    QString error;
    if (!copyFile(path, target, &error)) {
        MsgBox(message(55) + QLatin1Char('\n') + error, MsgIcon::Critical);
        return false;
    }
    folder = FolderOf(target);
    return true;
}
