// Built into the program as a static image plugin, registered where pictures are read.
#define QT_STATICPLUGIN

#include "document/wmf_picture.h"

#include "document/cover_document.h"

#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QIODevice>

#include <climits>

#include <libwmf/api.h>
#include <libwmf/gd.h>

namespace {

constexpr double kDpi = 96;
constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
// A metafile is read whole into memory; even one carrying a bitmap at the pixel limit
// stays below this.
constexpr qint64 kMaxWmfBytes = 4 * kMaxPicturePixels;

bool isWmfDevice(QIODevice* device)
{
    return device->isReadable() && device->size() <= kMaxWmfBytes && looksLikeWmf(device->peek(18));
}

quint16 word(const QByteArray& d, int at)
{
    return quint16(quint8(d[at]) | (quint8(d[at + 1]) << 8));
}

// One metafile opened in libwmf: scanned for its extent, played on demand.
class WmfSession {
public:
    explicit WmfSession(const QByteArray& data) : m_data(data)
    {
        wmfAPI_Options options{};
        options.function = wmf_gd_function;
        const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&m_api, flags, &options) != wmf_E_None) {
            if (m_api)
                wmf_api_destroy(m_api);
            m_api = nullptr;
            return;
        }
        m_data.detach();
        unsigned int w = 0;
        unsigned int h = 0;
        if (wmf_mem_open(m_api, reinterpret_cast<unsigned char*>(m_data.data()), long(m_data.size())) != wmf_E_None
            || wmf_scan(m_api, 0, &m_box) != wmf_E_None || wmf_display_size(m_api, &w, &h, kDpi, kDpi) != wmf_E_None)
            return;
        if (w > 0 && h > 0 && w <= INT_MAX && h <= INT_MAX)
            m_size = QSize(int(w), int(h));
    }
    ~WmfSession()
    {
        // Destroying the session frees everything libwmf allocated for it, the picture too.
        if (m_api)
            wmf_api_destroy(m_api);
    }
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;

    QSize size() const { return m_size; }

    QImage play()
    {
        if (!m_size.isValid())
            return QImage();
        wmf_gd_t* gd = WMF_GD_GetData(m_api);
        gd->type = wmf_gd_image;
        gd->width = unsigned(m_size.width());
        gd->height = unsigned(m_size.height());
        gd->bbox = m_box;
        if (wmf_play(m_api, 0, &m_box) != wmf_E_None || !gd->gd_image)
            return QImage();
        const int* pixels = wmf_gd_image_pixels(gd->gd_image);
        if (!pixels)
            return QImage();
        QImage image(m_size, QImage::Format_ARGB32);
        if (image.isNull())
            return image;
        for (int y = 0; y < m_size.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < m_size.width(); ++x) {
                // gd keeps 7 bits of transparency above red, green and blue.
                const quint32 p = quint32(pixels[qsizetype(y) * m_size.width() + x]);
                const int alpha = 255 - int(((p >> 24) & 0x7F) * 255 / 127);
                line[x] = qRgba(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF), alpha);
            }
        }
        const int dotsPerMeter = qRound(kDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }

private:
    QByteArray m_data;
    wmfAPI* m_api = nullptr;
    wmfD_Rect m_box{};
    QSize m_size;
};

class WmfImageHandler final : public QImageIOHandler {
public:
    bool canRead() const override
    {
        if (!device() || !isWmfDevice(device()))
            return false;
        setFormat("wmf");
        return true;
    }

    bool read(QImage* image) override
    {
        const QImage played = readWmf(device()->readAll(), kMaxPicturePixels);
        if (played.isNull())
            return false;
        *image = played;
        return true;
    }

    bool supportsOption(ImageOption option) const override { return option == Size; }

    QVariant option(ImageOption option) const override
    {
        if (option != Size || !device())
            return QVariant();
        // The whole file is looked at without consuming it.
        return wmfPixelSize(device()->peek(device()->size()));
    }
};

class WmfImagePlugin final : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "wmf_picture.json")
public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override
    {
        if (!device)
            return format == "wmf" ? CanRead : Capabilities();
        return isWmfDevice(device) ? CanRead : Capabilities();
    }

    QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override
    {
        auto* handler = new WmfImageHandler;
        handler->setDevice(device);
        handler->setFormat(format);
        return handler;
    }
};

} // namespace

bool looksLikeWmf(const QByteArray& data)
{
    if (data.size() < 18)
        return false;
    if ((quint32(word(data, 0)) | (quint32(word(data, 2)) << 16)) == kPlaceableKey)
        return true;
    // A bare metafile header: in memory or on disk, nine words long, version 1 or 3.
    const quint16 type = word(data, 0);
    const quint16 version = word(data, 4);
    return (type == 1 || type == 2) && word(data, 2) == 9 && (version == 0x0100 || version == 0x0300);
}

QSize wmfPixelSize(const QByteArray& data)
{
    if (!looksLikeWmf(data))
        return QSize();
    return WmfSession(data).size();
}

QImage readWmf(const QByteArray& data, qint64 maxPixels)
{
    if (!looksLikeWmf(data))
        return QImage();
    WmfSession session(data);
    const QSize size = session.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > maxPixels)
        return QImage();
    return session.play();
}

#include "wmf_picture.moc"
