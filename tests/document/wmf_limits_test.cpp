#include "document/cover_document.h"
#include "document/wmf_picture.h"
#include "document/wmf_records.h"

#include "gtest_qt.h"

namespace {

QByteArray le(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
    return out;
}

// One record: its function, its parameter words and whatever bytes follow them.
QByteArray rec(quint16 function, std::initializer_list<qint16> words = {}, const QByteArray& more = {})
{
    QByteArray parameters = more;
    for (auto it = std::rbegin(words); it != std::rend(words); ++it)
        parameters.prepend(le(quint16(*it), 2));
    return le(3 + quint32(parameters.size()) / 2, 4) + le(function, 2) + parameters;
}

// A placeable metafile of size x size units at unitsPerInch holding records.
QByteArray metafile(const QByteArray& records, quint16 size = 1000, quint16 unitsPerInch = 1000)
{
    const QByteArray body = records + rec(0);
    const quint16 head[] = {0xCDD7, 0x9AC6, 0, 0, 0, size, size, unitsPerInch, 0, 0};
    QByteArray out;
    quint16 checksum = 0;
    for (quint16 w : head) {
        out += le(w, 2);
        checksum ^= w;
    }
    return out + le(checksum, 2) + le(1, 2) + le(9, 2) + le(0x0300, 2) + le(quint32(18 + body.size()) / 2, 4)
        + le(4, 2) + le(quint32(body.size()) / 2, 4) + le(0, 2) + body;
}

constexpr quint16 kSaveDC = 0x001E, kRestoreDC = 0x0127, kRectangle = 0x041B;

// A red square over the whole picture.
const QByteArray kRedSquare = rec(0x02FC, {0, 0x00FF, 0, 0}) + rec(0x012D, {0}) + rec(kRectangle, {1000, 1000, 0, 0});

// A bitmap header declaring width x height at 32 bits, with no pixels behind it.
QByteArray bitmap(qint32 width, qint32 height)
{
    return le(40, 4) + le(quint32(width), 4) + le(quint32(height), 4) + le(1, 2) + le(32, 2) + QByteArray(24, '\0');
}

// The walk stops at the first limit a metafile passes, before libwmf reads any of it.
TEST(WmfLimits, TheRecordWalkStopsAtTheFirstLimit)
{
    const QByteArray stretchDib = rec(0x0F43, {0x0020, 0x00CC, 0, 10, 10, 0, 0, 1000, 1000, 0, 0}, bitmap(60000, 50000));
    const QByteArray brush = rec(0x0142, {0, 0}, bitmap(4096, 4096));
    // The records, whether they may be played, and how many the walk read.
    const std::tuple<const char*, QByteArray, bool, int> cases[] = {
        {"plain", kRedSquare, true, 3},
        {"saved without end", kRedSquare + rec(kSaveDC).repeated(100000), false, 3 + kMaxWmfSaveDepth + 1},
        {"saved in turns", kRedSquare + (rec(kSaveDC) + rec(kRestoreDC, {-1})).repeated(20000), true, 40003},
        {"too many records", rec(kRectangle, {10, 10, 0, 0}).repeated(kMaxWmfRecords + 5), false, kMaxWmfRecords + 1},
        {"a huge bitmap", stretchDib, false, 1},
        {"bitmaps over the limit together", brush.repeated(3), false, 3},
    };
    for (const auto& [name, records, passes, read] : cases) {
        WmfRecordWalk walk;
        const QString problem = wmfRecordProblem(metafile(records), &walk);
        EXPECT_EQ(problem.isEmpty(), passes) << name;
        EXPECT_EQ(walk.records, read) << name;
        // Read as a cover's picture, a refused metafile says which limit it passed.
        QTemporaryFile file;
        ASSERT_TRUE(file.open() && file.write(metafile(records)) > 0 && file.flush());
        QString reason;
        EXPECT_EQ(readPictureFile(file.fileName(), &reason).isNull(), !passes) << name;
        EXPECT_TRUE(passes || reason.endsWith(problem)) << name << ": " << reason.toStdString();
    }
}

TEST(WmfLimits, AMetafileThatTakesTooLongToDrawIsRefused)
{
    const QByteArray squares = metafile(kRedSquare + rec(kRectangle, {1000, 1000, 0, 0}).repeated(20), 4000);
    const QImage drawn = readWmf(squares, kMaxPicturePixels);
    ASSERT_EQ(drawn.size(), QSize(384, 384));
    EXPECT_EQ(drawn.pixelColor(200, 200), QColor(Qt::red));
    EXPECT_TRUE(readWmf(squares, kMaxPicturePixels, 0).isNull());
}

// The picture libwmf draws belongs to the image made of it and goes with it. The
// sanitizers' build keeps freed memory aside for a while; there its leak checker watches.
TEST(WmfLimits, OpeningMetafilesAgainAndAgainUsesNoMoreMemory)
{
    const auto residentBytes = [] {
        QFile statm(QStringLiteral("/proc/self/statm"));
        return statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(1).toLongLong() * 4096 : 0;
    };
    const QByteArray big = metafile(kRedSquare, 2000, 96); // 16 MB drawn
    qint64 before = 0;
    for (int i = 0; i < 10; ++i) {
        const QImage drawn = readWmf(big, kMaxPicturePixels);
        ASSERT_EQ(drawn.pixelColor(1000, 1000), QColor(Qt::red));
        before = i == 1 ? residentBytes() : before;
    }
#if !defined(CASELEAF_SANITIZED) // the sanitizers keep freed memory aside
    EXPECT_LT(residentBytes() - before, 64LL * 1024 * 1024);
#endif
}

} // namespace
