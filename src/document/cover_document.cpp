#include "document/cover_document.h"

#include "document/wmf_records.h"
#include "toolbox/paths.h"

#include <QFile>
#include <QImageReader>
#include <QtPlugin>

#include <cmath>

// Metafiles decode wherever pictures are read (wmf_picture.cpp): registered beside the
// reader, so that any program reading pictures links the player in.
Q_IMPORT_PLUGIN(WmfImagePlugin)

bool isRemovedPicture(const QString& ref)
{
    return ref.compare(QLatin1String("none"), Qt::CaseInsensitive) == 0;
}

QColor colorFromValue(int value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

int colorValue(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

double leadingNumber(const QString& text)
{
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    const int start = i;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    int digits = 0;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        ++digits;
    }
    if (i < n && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    int end = i;
    if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        int j = i + 1;
        if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-')))
            ++j;
        const int expStart = j;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128)
            ++j;
        if (j > expStart)
            end = j;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

QString numberText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // never "-0"
    return QString::number(value, 'g', 15);
}

namespace {

// A camera JPEG takes well under this many bytes per pixel. A file far beyond it holds
// something else as well and is decoded at once rather than kept in memory.
constexpr qint64 kMaxJpegBytesPerPixel = 8;

// The picture formats a cover holds. Text-based image formats (XPM, XBM, the PBM family)
// are left out: any text file could pass for one.
bool isAcceptedFormat(const QByteArray& format)
{
    static const QByteArrayList accepted = {"bmp", "jpeg", "jpg", "gif", "png", "ico", "wmf"};
    return accepted.contains(format.toLower());
}

// Opens path as a picture of an accepted format without decoding it; the reason otherwise.
bool openPicture(const QString& path, QFile& file, QImageReader& reader, QString& reason)
{
    if (!openRegularFile(path, file, &reason))
        return false;
    reader.setDevice(&file);
    reader.setDecideFormatFromContent(true);
    if (reader.canRead() && isAcceptedFormat(reader.format()))
        return true;
    reason = QStringLiteral("Not a picture of a supported format");
    return false;
}

// Why a picture of format that opened did not decode. A metafile refused for what it asks
// of the player says which limit it passed; the reader only knows that it failed.
QString unreadReason(const QByteArray& format, const QImageReader& reader, QFile& file)
{
    if (format == "wmf" && file.seek(0)) {
        const QString problem = wmfRecordProblem(file.readAll());
        if (!problem.isEmpty())
            return QStringLiteral("The metafile asks too much of the player: ") + problem;
    }
    return reader.errorString();
}

} // namespace

PictureImage readPictureFile(const QString& path, QString* error)
{
    QFile file;
    QImageReader reader;
    QString reason;
    PictureImage picture;
    if (openPicture(path, file, reader, reason)) {
        // Asked now: once read, the reader would look at the device's end for it.
        const QByteArray format = reader.format();
        const QSize size = reader.size();
        const qint64 pixels = size.isValid() ? qint64(size.width()) * size.height() : 0;
        if (pixels > kMaxPicturePixels) {
            reason = QStringLiteral("%1 x %2 pixels is too large").arg(size.width()).arg(size.height());
        } else if (format == "jpeg" && file.size() <= kMaxJpegBytesPerPixel * pixels && file.seek(0)) {
            picture = PictureImage::fromJpeg(file.readAll(), &reason);
        } else {
            const QImage image = reader.read();
            if (image.isNull())
                reason = unreadReason(format, reader, file);
            picture = image;
        }
    }
    if (picture.isNull() && error)
        *error = reason;
    return picture;
}

bool isPictureFile(const QString& path)
{
    QFile file;
    QImageReader reader;
    QString reason;
    return openPicture(path, file, reader, reason) && reader.size().isValid();
}
