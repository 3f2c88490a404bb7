#include "shell/command_thumbnail.h"

#include "document/cover_archive.h"
#include "toolbox/stale_temporaries.h"

#include <QImage>
#include <QImageWriter>
#include <QSaveFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

int failure(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return 1;
}

} // namespace

QString parseThumbnail(const QStringList& args, ThumbnailRequest& request)
{
    if (args.size() != 3)
        return QStringLiteral("thumbnail needs a cover, an output file and a size");
    request.cover = args.at(0);
    request.out = args.at(1);
    bool ok = false;
    request.size = args.at(2).toInt(&ok);
    if (!ok || request.size < 1 || request.size > kMaxThumbnailSize)
        return QStringLiteral("the thumbnail size is a whole number from 1 to %1").arg(kMaxThumbnailSize);
    return QString();
}

int writeThumbnail(const ThumbnailRequest& request)
{
    // File managers run thumbnailers in a sandbox: the one writable place is the temporary folder.
    QTemporaryDir unpack(commandFolderTemplate());
    if (!unpack.isValid())
        return failure(QStringLiteral("No temporary folder could be made."));
    QImage preview = readArchivePreview(request.cover, unpack.path());
    if (preview.isNull())
        return failure(QStringLiteral("%1 holds no readable preview picture.").arg(request.cover));
    if (preview.width() > request.size || preview.height() > request.size) {
        // A sliver of a picture still keeps one pixel across.
        const QSize fitted = preview.size().scaled(request.size, request.size, Qt::KeepAspectRatio).expandedTo({1, 1});
        preview = preview.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    // A file manager takes any file it finds as the thumbnail: none unless complete.
    QSaveFile file(request.out);
    QImageWriter writer(&file, "png");
    if (!file.open(QIODevice::WriteOnly) || !writer.write(preview) || !file.commit())
        return failure(QStringLiteral("The thumbnail could not be written to %1: %2")
                           .arg(request.out, file.error() != QFileDevice::NoError ? file.errorString()
                                                                                  : writer.errorString()));
    return 0;
}
