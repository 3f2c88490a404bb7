#include "document/cover_document.h"
#include "document/wmf_picture.h"
#include "document/wmf_records.h"

#include "gtest_qt.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// A placeable metafile of width x height units at unitsPerInch, holding records.
class Metafile {
public:
    Metafile& record(quint16 function, const QByteArray& parameters = QByteArray())
    {
        put32(m_body, quint32(3 + parameters.size() / 2));
        put16(m_body, function);
        m_body += parameters;
        m_largest = std::max<quint32>(m_largest, quint32(3 + parameters.size() / 2));
        return *this;
    }
    Metafile& repeat(int times, quint16 function, const QByteArray& parameters = QByteArray())
    {
        for (int i = 0; i < times; ++i)
            record(function, parameters);
        return *this;
    }
    QByteArray bytes(qint16 width = 1000, qint16 height = 1000, quint16 unitsPerInch = 1000) const
    {
        QByteArray body = m_body;
        put32(body, 3);
        put16(body, 0);
        QByteArray out;
        const quint16 words[] = {0xCDD7, 0x9AC6, 0, 0, 0, quint16(width), quint16(height), unitsPerInch, 0, 0};
        quint16 checksum = 0;
        for (quint16 w : words) {
            put16(out, w);
            checksum ^= w;
        }
        put16(out, checksum);
        put16(out, 1);
        put16(out, 9);
        put16(out, 0x0300);
        put32(out, quint32((18 + body.size()) / 2));
        put16(out, 4);
        put32(out, m_largest);
        put16(out, 0);
        return out + body;
    }

    static QByteArray words(std::initializer_list<qint16> values)
    {
        QByteArray out;
        for (qint16 v : values)
            put16(out, quint16(v));
        return out;
    }
    // A BITMAPINFOHEADER declaring width x height at 32 bits and no pixels behind it.
    static QByteArray bitmapHeader(qint32 width, qint32 height)
    {
        QByteArray out;
        for (quint32 v : {40u, quint32(width), quint32(height)})
            put32(out, v);
        put16(out, 1);
        put16(out, 32);
        for (int i = 0; i < 6; ++i)
            put32(out, 0);
        return out;
    }

private:
    static void put16(QByteArray& b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); }
    static void put32(QByteArray& b, quint32 v) { put16(b, quint16(v)); put16(b, quint16(v >> 16)); }

    QByteArray m_body;
    quint32 m_largest = 3;
};

constexpr quint16 kSaveDC = 0x001E, kRestoreDC = 0x0127, kRectangle = 0x041B, kCreateBrush = 0x02FC,
                  kSelectObject = 0x012D, kStretchDIB = 0x0F43, kDIBPatternBrush = 0x0142;

// A red square over the whole picture.
Metafile redSquare()
{
    Metafile m;
    m.record(kCreateBrush, Metafile::words({0, 0x00FF, 0x0000, 0})).record(kSelectObject, Metafile::words({0}));
    m.record(kRectangle, Metafile::words({1000, 1000, 0, 0}));
    return m;
}

QByteArray stretchDib(qint32 width, qint32 height)
{
    return Metafile::words({0x0020, 0x00CC, 0, 10, 10, 0, 0, 1000, 1000, 0, 0}) + Metafile::bitmapHeader(width, height);
}

// The walk stops at the first limit a metafile passes, before libwmf reads any of it.
TEST(WmfLimits, TheRecordWalkStopsAtTheFirstLimit)
{
    // The metafile, whether it passes, and the records the walk read.
    const std::tuple<const char*, QByteArray, bool, int> cases[] = {
        {"plain", redSquare().bytes(), true, 3},
        {"saved without end", redSquare().repeat(100000, kSaveDC).bytes(), false, 3 + kMaxWmfSaveDepth + 1},
        {"saved and restored", redSquare().repeat(20000, kSaveDC).repeat(20000, kRestoreDC).bytes(), false,
         3 + kMaxWmfSaveDepth + 1},
        {"many records", redSquare().repeat(kMaxWmfRecords, kRectangle, Metafile::words({10, 10, 0, 0})).bytes(),
         false, kMaxWmfRecords + 1},
        {"a huge bitmap", Metafile().record(kStretchDIB, stretchDib(60000, 50000)).bytes(), false, 1},
        {"a bitmap at the limit", Metafile().record(kStretchDIB, stretchDib(8192, -4096)).bytes(), true, 1},
        {"brushes over the limit",
         Metafile().repeat(3, kDIBPatternBrush, Metafile::words({0, 0}) + Metafile::bitmapHeader(4096, 4096)).bytes(),
         false, 3},
    };
    for (const auto& [name, data, passes, records] : cases) {
        WmfRecordWalk walk;
        EXPECT_EQ(wmfRecordProblem(data, &walk).isEmpty(), passes) << name;
        EXPECT_EQ(walk.records, records) << name;
        EXPECT_LE(walk.deepestSave, kMaxWmfSaveDepth + 1) << name;
        if (!passes) {
            EXPECT_TRUE(readWmf(data, kMaxPicturePixels).isNull()) << name;
        }
    }
    // Saves that are restored in turn never pile up.
    Metafile pairs = redSquare();
    for (int i = 0; i < 20000; ++i)
        pairs.record(kSaveDC).record(kRestoreDC, Metafile::words({-1}));
    EXPECT_TRUE(wmfRecordProblem(pairs.bytes()).isEmpty());
}

TEST(WmfLimits, AMetafileThatTakesTooLongToDrawIsRefused)
{
    const QByteArray square = redSquare().repeat(20, kRectangle, Metafile::words({1000, 1000, 0, 0})).bytes(4000, 4000, 1000);
    const QImage drawn = readWmf(square, kMaxPicturePixels);
    ASSERT_EQ(drawn.size(), QSize(384, 384));
    EXPECT_EQ(drawn.pixelColor(200, 200), QColor(Qt::red));
    EXPECT_TRUE(readWmf(square, kMaxPicturePixels, 0).isNull());
}

// The sanitizers' build keeps freed memory aside for a while; there its leak checker
// watches this test instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMemoryIsMeasured = false;
#else
constexpr bool kMemoryIsMeasured = true;
#endif

// The picture libwmf draws belongs to the image made of it and goes with it.
TEST(WmfLimits, OpeningMetafilesAgainAndAgainUsesNoMoreMemory)
{
    const auto residentBytes = [] {
        QFile statm(QStringLiteral("/proc/self/statm"));
        if (!statm.open(QIODevice::ReadOnly))
            return qint64(0);
        return statm.readAll().split(' ').value(1).toLongLong() * 4096;
    };
    // 2000 x 2000 pixels, 16 MB each.
    const QByteArray big = redSquare().bytes(2000, 2000, 96);
    qint64 before = 0;
    for (int i = 0; i < 10; ++i) {
        const QImage drawn = readWmf(big, kMaxPicturePixels);
        ASSERT_EQ(drawn.size(), QSize(2000, 2000));
        EXPECT_EQ(drawn.pixelColor(1000, 1000), QColor(Qt::red));
        if (i == 1)
            before = residentBytes();
    }
    if (kMemoryIsMeasured) {
        EXPECT_LT(residentBytes() - before, 64LL * 1024 * 1024);
    }
}

} // namespace
