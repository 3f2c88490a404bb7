// Built into the program as a static image plugin, registered where pictures are read.
#define QT_STATICPLUGIN

#include "document/wmf_picture.h"

#include "document/cover_document.h"
#include "document/wmf_records.h"

#include <QDeadlineTimer>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QIODevice>

#include <climits>
#include <cstdlib>
#include <memory>

#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <gd.h>

namespace {

constexpr double kDpi = 96;
constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
// A metafile is read whole into memory; even one carrying a bitmap at the pixel limit
// stays below this.
constexpr qint64 kMaxWmfBytes = 4 * kMaxPicturePixels;
// What libwmf may allocate for one metafile besides the picture it draws: its copy of
// the largest record and the embedded bitmaps at their limit, decoded.
constexpr size_t kPlayerMemory = 320u * 1024 * 1024;

bool isWmfDevice(QIODevice* device)
{
    return device->isReadable() && device->size() <= kMaxWmfBytes && looksLikeWmf(device->peek(18));
}

quint16 word(const QByteArray& d, int at)
{
    return quint16(quint8(d[at]) | (quint8(d[at + 1]) << 8));
}

// libwmf allocates through this, so that no record can make it ask for more than
// kPlayerMemory in all: a request beyond that fails, and so does the metafile.
struct PlayerMemory {
    size_t used = 0;

    // Each block carries its size in front of it.
    static constexpr size_t kHead = alignof(std::max_align_t);

    static void* allocate(void* context, size_t size)
    {
        return resize(context, nullptr, size);
    }
    static void* resize(void* context, void* mem, size_t size)
    {
        auto* self = static_cast<PlayerMemory*>(context);
        const size_t old = mem ? *reinterpret_cast<size_t*>(static_cast<char*>(mem) - kHead) : 0;
        if (size > kPlayerMemory || self->used - old + size > kPlayerMemory)
            return nullptr;
        void* block = std::realloc(mem ? static_cast<char*>(mem) - kHead : nullptr, size + kHead);
        if (!block)
            return nullptr;
        self->used = self->used - old + size;
        *static_cast<size_t*>(block) = size;
        return static_cast<char*>(block) + kHead;
    }
    static void release(void* context, void* mem)
    {
        if (!mem)
            return;
        auto* self = static_cast<PlayerMemory*>(context);
        char* block = static_cast<char*>(mem) - kHead;
        self->used -= *reinterpret_cast<size_t*>(block);
        std::free(block);
    }
};

// The picture libwmf drew is handed to the caller and freed by no one else; its memory
// is gd's (plain malloc), laid out as gd's header declares it.
void freePlayedImage(void* image)
{
    auto* im = static_cast<gdImage*>(image);
    if (!im)
        return;
    if (im->pixels) {
        for (int i = 0; i < im->sy; ++i)
            std::free(im->pixels[i]);
        std::free(im->pixels);
    }
    std::free(im->_tpixels);
    std::free(im->tpixels);
    std::free(im->polyInts);
    std::free(im->style);
    if (im->clip) {
        std::free(im->clip->list);
        std::free(im->clip);
    }
    std::free(im);
}

// Stops the player once a metafile has taken its time.
int overTime(void* context, float)
{
    const auto* deadline = static_cast<const QDeadlineTimer*>(context);
    return deadline->hasExpired() ? 1 : 0;
}

// One metafile opened in libwmf: checked, scanned for its extent, played on demand.
class WmfSession {
public:
    explicit WmfSession(QByteArray data) : m_data(std::move(data))
    {
        if (!looksLikeWmf(m_data) || !wmfRecordProblem(m_data).isEmpty())
            return;
        wmfAPI_Options options{};
        options.function = wmf_gd_function;
        options.context = &m_memory;
        options.malloc = &PlayerMemory::allocate;
        options.realloc = &PlayerMemory::resize;
        options.free = &PlayerMemory::release;
        const unsigned long flags =
            WMF_OPT_ALLOC | WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&m_api, flags, &options) != wmf_E_None) {
            if (m_api)
                wmf_api_destroy(m_api);
            m_api = nullptr;
            return;
        }
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
        // Destroying the session frees everything libwmf allocated for it, except the
        // picture it drew, which belongs to the image made from it.
        if (m_api)
            wmf_api_destroy(m_api);
    }
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;

    QSize size() const { return m_size; }

    // Draws the metafile, taking at most playMillis; a null image when it does not play,
    // takes longer or is larger than maxPixels.
    QImage play(qint64 maxPixels, int playMillis)
    {
        if (!m_size.isValid() || qint64(m_size.width()) * m_size.height() > maxPixels || m_played)
            return QImage();
        m_played = true;
        wmf_gd_t* gd = WMF_GD_GetData(m_api);
        gd->type = wmf_gd_image;
        gd->width = unsigned(m_size.width());
        gd->height = unsigned(m_size.height());
        gd->bbox = m_box;
        QDeadlineTimer deadline(playMillis);
        wmf_status_function(m_api, &deadline, &overTime);
        const bool played = wmf_play(m_api, 0, &m_box) == wmf_E_None;
        auto* drawn = static_cast<gdImage*>(gd->gd_image);
        gd->gd_image = nullptr;
        if (!played || !drawn || !drawn->trueColor || drawn->sx != m_size.width() || drawn->sy != m_size.height()) {
            freePlayedImage(drawn);
            return QImage();
        }
        return wrapPixels(drawn);
    }

private:
    // The image uses gd's pixels where they lie, turned into ARGB in place, and frees
    // them with the last copy of it: a large metafile is held once, not twice.
    QImage wrapPixels(gdImage* drawn) const
    {
        auto* pixels = reinterpret_cast<quint32*>(drawn->_tpixels);
        const qsizetype count = qsizetype(m_size.width()) * m_size.height();
        for (qsizetype i = 0; i < count; ++i) {
            // gd keeps 7 bits of transparency above red, green and blue.
            const quint32 p = pixels[i];
            const quint32 alpha = 255 - ((p >> 24) & 0x7F) * 255 / 127;
            pixels[i] = (alpha << 24) | (p & 0xFFFFFF);
        }
        QImage image(reinterpret_cast<uchar*>(pixels), m_size.width(), m_size.height(),
                     qsizetype(m_size.width()) * 4, QImage::Format_ARGB32, &freePlayedImage, drawn);
        if (image.isNull()) {
            freePlayedImage(drawn);
            return image;
        }
        const int dotsPerMeter = qRound(kDpi / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }

    QByteArray m_data;
    PlayerMemory m_memory;
    wmfAPI* m_api = nullptr;
    wmfD_Rect m_box{};
    QSize m_size;
    bool m_played = false;
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
        const QImage played = session().play(kMaxPicturePixels, kWmfPlayMillis);
        device()->readAll();
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
        return session().size();
    }

private:
    // One session answers the size and then plays: opening one costs more than most plays.
    WmfSession& session() const
    {
        // The whole file is looked at without consuming it.
        if (!m_session)
            m_session = std::make_unique<WmfSession>(device()->peek(kMaxWmfBytes));
        return *m_session;
    }

    mutable std::unique_ptr<WmfSession> m_session;
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
    return WmfSession(data).size();
}

QImage readWmf(const QByteArray& data, qint64 maxPixels, int playMillis)
{
    return WmfSession(data).play(maxPixels, playMillis);
}

#include "wmf_picture.moc"
