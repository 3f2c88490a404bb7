#include "document/wmf_records.h"

#include <cstdlib>

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr int kPlaceableBytes = 22;
constexpr int kHeaderBytes = 18;
constexpr int kRecordHead = 6; // size in words (4 bytes) and function (2 bytes)

constexpr quint16 kSaveDC = 0x001E;
constexpr quint16 kRestoreDC = 0x0127;

// Where each record that carries a bitmap keeps it: in parameter words from the start.
int bitmapOffset(quint16 function, quint32 parameterWords)
{
    switch (function) {
    case 0x0F43: return 11; // StretchDIB
    case 0x0B41: return 10; // DIBStretchBlt
    case 0x0940: return parameterWords == 9 ? -1 : 8; // DIBBitBlt; 9 words paint without one
    case 0x0D33: return 9;  // SetDIBitsToDevice
    case 0x0142: return 2;  // DIBCreatePatternBrush
    default: return -1;
    }
}

class Reader {
public:
    explicit Reader(const QByteArray& d) : m_d(d) {}
    bool has(qint64 at, qint64 n) const { return at >= 0 && n >= 0 && at + n <= m_d.size(); }
    quint16 u16(qint64 at) const { return quint16(quint8(m_d[at]) | quint8(m_d[at + 1]) << 8); }
    quint32 u32(qint64 at) const { return quint32(u16(at)) | quint32(u16(at + 2)) << 16; }

private:
    const QByteArray& m_d;
};

// The pixels a bitmap header declares, or -1 when there is no header to read.
qint64 declaredPixels(const Reader& r, qint64 at, qint64 available)
{
    if (available < 4 || !r.has(at, 4))
        return -1;
    const quint32 headerSize = r.u32(at);
    if (headerSize == 12 && r.has(at, 12))
        return qint64(r.u16(at + 4)) * r.u16(at + 6);
    if (headerSize >= 40 && r.has(at, 12)) {
        const qint64 width = std::llabs(qint64(qint32(r.u32(at + 4))));
        const qint64 height = std::llabs(qint64(qint32(r.u32(at + 8))));
        return width * height;
    }
    return -1;
}

} // namespace

QString wmfRecordProblem(const QByteArray& data, WmfRecordWalk* walk)
{
    WmfRecordWalk w;
    const Reader r(data);
    qint64 pos = r.has(0, 4) && r.u32(0) == kPlaceableKey ? kPlaceableBytes : 0;
    pos += kHeaderBytes;
    int depth = 0;
    QString problem;
    while (problem.isEmpty() && r.has(pos, kRecordHead)) {
        const quint32 words = r.u32(pos);
        const quint16 function = r.u16(pos + 4);
        if (words < 3 || (words == 3 && function == 0))
            break;
        if (++w.records > kMaxWmfRecords) {
            problem = QStringLiteral("more than %1 records").arg(kMaxWmfRecords);
            break;
        }
        if (function == kSaveDC && ++depth > kMaxWmfSaveDepth)
            problem = QStringLiteral("more than %1 drawing states saved at once").arg(kMaxWmfSaveDepth);
        if (function == kRestoreDC && depth > 0)
            --depth;
        w.deepestSave = std::max(w.deepestSave, depth);
        const qint64 bytes = qint64(words) * 2;
        const int offset = bitmapOffset(function, words - 3);
        if (offset >= 0) {
            const qint64 at = pos + kRecordHead + qint64(offset) * 2;
            const qint64 pixels = declaredPixels(r, at, pos + bytes - at);
            if (pixels > 0)
                w.bitmapPixels += pixels;
            if (w.bitmapPixels > kMaxWmfBitmapPixels)
                problem = QStringLiteral("its bitmaps hold more than %1 pixels").arg(kMaxWmfBitmapPixels);
        }
        pos += bytes;
    }
    if (walk)
        *walk = w;
    return problem;
}
