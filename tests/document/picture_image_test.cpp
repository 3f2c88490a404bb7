#include "document/picture_image.h"

#include "archive/zip_fixtures.h"
#include "document/cover_document.h"
#include "test_pictures.h"
#include "gtest_qt.h"

using namespace fixtures;

namespace {

// A smooth drawing of source's region at size.
QImage drawn(const QImage& source, const QRectF& region, const QSize& size)
{
    QImage target(size, QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), source, region);
    return target;
}

class PictureImageTest : public ::testing::Test, protected TestFolder {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(photograph(1600, 1200, 150).save(m_jpeg, "JPG", 90));
        m_full = QImage(m_jpeg);
        m_picture = readPictureFile(m_jpeg);
        ASSERT_FALSE(m_full.isNull() || m_picture.isNull());
    }

    QString m_jpeg = path(QStringLiteral("photo.jpg"));
    QImage m_full;
    PictureImage m_picture;
};

// Drawn at half its pixels or less, a part is decoded reduced and looks like the full decode
// scaled to that size, at least as closely as the full decode drawn that small does.
TEST_F(PictureImageTest, ReducedPartsLookLikeTheFullPictureDrawnSmall)
{
    const struct { QRectF region; QSize size; int reduction; } cases[] = {
        {QRectF(0, 0, 1600, 1200), QSize(400, 300), 4},     // a stretched back on a preview
        {QRectF(0, 0, 1600, 1200), QSize(150, 110), 8},     // the preview bitmap
        {QRectF(0, 0, 1600, 1200), QSize(801, 601), 1},     // more than half: every pixel
        {QRectF(401.5, 300.25, 600, 450), QSize(290, 220), 2}, // a middle part, off the pixel grid
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reduction);
        const PictureImage::Piece piece = m_picture.pieceFor(c.region, c.size);
        EXPECT_DOUBLE_EQ(piece.region.width(), c.region.width() / c.reduction);
        EXPECT_LE(piece.image.width(), int(c.region.width()) / c.reduction + 2 * 2 + 8);
        const QImage atSize = m_full.copy(c.region.toAlignedRect())
                                  .scaled(c.size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const auto [mean, largest] = difference(drawn(piece.image, piece.region, c.size), atSize);
        const auto [sampledMean, sampledLargest] = difference(drawn(m_full, c.region, c.size), atSize);
        EXPECT_LT(mean, 3.5);
        EXPECT_LT(largest, 90);
        EXPECT_LE(mean, sampledMean + 0.05);
        EXPECT_LE(largest, sampledLargest);
    }
}

TEST_F(PictureImageTest, PartsAtFullSizeAreExactlyTheFullDecode)
{
    const QRect regions[] = {QRect(0, 0, 300, 200), QRect(1299, 999, 301, 201), QRect(517, 333, 222, 111),
                             QRect(0, 0, 1600, 1200), QRect(8, 16, 40, 40)};
    for (const QRect& region : regions) {
        for (const double scale : {0.6, 1.0, 3.1}) {
            const PictureImage::Piece piece = m_picture.pieceFor(region, QSizeF(region.size()) * scale);
            ASSERT_EQ(piece.region.size(), QSizeF(region.size()));
            const QRect inPiece(piece.region.topLeft().toPoint(), region.size());
            EXPECT_EQ(piece.image.copy(inPiece), m_full.copy(region)) << region.x() << "," << scale;
        }
    }
}

// A picture dropped while its part decodes ahead goes quietly.
TEST_F(PictureImageTest, PartsDecodedAheadAreThePartsDrawn)
{
    const struct { QRectF ahead, drawn; QSizeF size; } cases[] = {
        {QRectF(0, 0, 1600, 1200), QRectF(0, 0, 1600, 1200), QSizeF(390, 290)},
        {QRectF(0, 0, 453, 453), QRectF(0, 0, 453, 453), QSizeF(453, 453)},
        {QRectF(0, 0, 453, 453), QRectF(700, 500, 453, 453), QSizeF(453, 453)},
    };
    for (const auto& c : cases) {
        const PictureImage ahead = readPictureFile(m_jpeg);
        ahead.decodeAhead(c.ahead, c.size);
        const PictureImage::Piece piece = ahead.pieceFor(c.drawn, c.size);
        const PictureImage::Piece plain = readPictureFile(m_jpeg).pieceFor(c.drawn, c.size);
        EXPECT_TRUE(piece.region == plain.region && piece.image == plain.image) << c.drawn.x();
    }
    readPictureFile(m_jpeg).decodeAhead(QRectF(0, 0, 1600, 1200), QSizeF(1600, 1200));
    QThreadPool::globalInstance()->waitForDone();
}

// The natural size comes from the resolution the file states, for JPEG read in parts and other
// formats read whole. A picture keeps its pixels when a picture of the same name inserted into
// another slot replaces its file; a file that is no picture, or a JPEG's start only, fails.
TEST_F(PictureImageTest, NaturalSizeFromTheFileAndPixelsKeptWhenTheFileIsReplaced)
{
    EXPECT_EQ(m_picture.size(), QSize(1600, 1200));
    EXPECT_NEAR(m_picture.sizeMm().width(), 1600 / 150.0 * 25.4, 0.05);
    EXPECT_EQ(m_picture.sizeMm(), PictureImage(m_full).sizeMm());
    const QString png = path(QStringLiteral("photo.png"));
    ASSERT_TRUE(photograph(300, 200, 300).save(png));
    EXPECT_NEAR(readPictureFile(png).sizeMm().height(), 200 / 300.0 * 25.4, 0.05);
    // Qt gives a picture without a resolution the screen's; that says nothing: 96 dpi.
    QImage plain(96, 48, QImage::Format_RGB32);
    plain.fill(Qt::green);
    EXPECT_EQ(PictureImage(plain).sizeMm(), QSizeF(25.4, 12.7));

    ASSERT_TRUE(plain.scaled(1600, 1200).save(m_jpeg, "JPG"));
    const PictureImage::Piece piece = m_picture.pieceFor(QRectF(0, 0, 1600, 1200), QSizeF(200, 150));
    EXPECT_GT(qBlue(piece.image.pixel(1, 1)), 100) << "the photograph's blue corner, not plain green";
    EXPECT_EQ(m_picture.toImage(), m_full);
    QString error;
    ASSERT_TRUE(writeFile(m_jpeg, readFile(m_jpeg).left(120)));
    EXPECT_TRUE(readPictureFile(m_jpeg, &error).isNull());
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
