#include "toolbox/compact_path.h"

#include <QFontMetrics>

#include <vector>

namespace {

const QString kEllipsis = QStringLiteral("...");

bool isSeparator(QChar c) { return c == QLatin1Char('\\') || c == QLatin1Char('/'); }

} // namespace

QString CompactPath(const QString& path, int width, const QFontMetrics& font)
{
    const auto fits = [&](const QString& text) { return font.horizontalAdvance(text) <= width; };
    if (fits(path))
        return path;
    std::vector<int> separators;
    for (int i = 0; i < path.size(); ++i) {
        if (isSeparator(path.at(i)))
            separators.push_back(i);
    }
    if (!separators.empty()) {
        // The file name with the separator before it: "/song.vrz".
        const QString tail = path.mid(separators.back());
        // Keep as much of the start as fits, dropping at least one folder.
        for (int k = int(separators.size()) - 2; k >= 0; --k) {
            const QString candidate = path.left(separators[size_t(k)] + 1) + kEllipsis + tail;
            if (fits(candidate))
                return candidate;
        }
        if (fits(kEllipsis + tail))
            return kEllipsis + tail;
    }
    return font.elidedText(path, Qt::ElideMiddle, width);
}
