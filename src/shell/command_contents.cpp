#include "shell/command_contents.h"

#include "contents/contents_listing.h"

#include <QFileInfo>

#include <cstdio>

QString parseContents(const QStringList& args, ContentsRequest& request)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--sizes")) {
            request.sizes = true;
        } else if (a == QLatin1String("--spacing")) {
            const int width = args.value(++i).toInt();
            if (width != kSpacingSmall && width != kSpacingMedium && width != kSpacingLarge)
                return QStringLiteral("--spacing takes 22, 32 or 42");
            request.spacing = width;
        } else if (a.startsWith(QLatin1String("--")) || !request.folder.isEmpty()) {
            return QStringLiteral("unexpected argument \"%1\"").arg(a);
        } else {
            request.folder = a;
        }
    }
    if (request.folder.isEmpty())
        return QStringLiteral("contents needs a folder");
    return QString();
}

int listContents(const ContentsRequest& request)
{
    const QString folder = QFileInfo(request.folder).absoluteFilePath();
    const ListedFolder listed = ReadListedFolder(folder);
    if (!listed.readable) {
        std::fprintf(stderr, "The folder %s cannot be read: %s\n", request.folder.toLocal8Bit().constData(),
                     listed.error.toLocal8Bit().constData());
        return 1;
    }
    ContentsListing listing;
    const QStringList lines = request.sizes ? listing.buildWithSizes(listed, request.spacing, {})
                                            : listing.build(listed, request.spacing);
    for (const QString& line : lines)
        std::printf("%s\n", line.toLocal8Bit().constData());
    return std::fflush(stdout) == 0 ? 0 : 1;
}
