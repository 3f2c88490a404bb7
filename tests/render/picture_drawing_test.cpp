#include "render/back_renderer.h"

#include "archive/zip_fixtures.h"
#include "render/decode_ahead.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"
#include "render_test_support.h"
#include "test_pictures.h"
#include "gtest_qt.h"

namespace {

// Photographs read from their files and drawn a part at a time, against the same ones decoded whole.
class PictureDrawing : public RendererTest, protected fixtures::TestFolder {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        // 271 x 203 mm: larger than either sheet, so the cut placements show parts of it.
        ASSERT_TRUE(photograph(1600, 1200, 150).save(m_back, "JPG", 90));
        ASSERT_TRUE(photograph(1200, 1600, 200).mirrored(true, false).save(m_front, "JPG", 90));
    }

    enum class Read { Whole, InParts, InPartsDecodedAhead };

    // The sheet at dpi, its pictures decoded whole or read as a cover's are, perhaps decoded ahead.
    QImage sheet(void (*draw)(CoverDocument&, DrawingSurface&, bool), const QSizeF& size, double dpi, Read read)
    {
        const auto picture = [read](const QString& file) {
            return read == Read::Whole ? PictureImage(QImage(file)) : readPictureFile(file);
        };
        doc.BackPicture.image = picture(m_back);
        doc.FrontPicture.image = picture(m_front);
        doc.FrontPicture1.image = picture(m_back);
        if (read == Read::InPartsDecodedAhead)
            decodePicturesAhead(doc, dpi);
        ImageSurface surface(size, dpi);
        draw(doc, surface, false);
        return surface.image();
    }

    // A 300 dpi page is what it always was; a screen preview differs only a little, and
    // not at all for the parts decoded ahead.
    void expectSheets(void (*draw)(CoverDocument&, DrawingSurface&, bool), const QSizeF& size)
    {
        EXPECT_EQ(sheet(draw, size, 300, Read::InParts), sheet(draw, size, 300, Read::Whole));
        const QImage preview = sheet(draw, size, 96, Read::InParts);
        const auto [mean, largest] = difference(preview, sheet(draw, size, 96, Read::Whole));
        EXPECT_LT(mean, 2.0);
        EXPECT_LT(largest, 130);
        EXPECT_EQ(sheet(draw, size, 96, Read::InPartsDecodedAhead), preview);
    }

    QString m_back = path(QStringLiteral("back.jpg"));
    QString m_front = path(QStringLiteral("front.jpg"));
};

TEST_F(PictureDrawing, EveryPlacementOnAPageAndOnAPreview)
{
    for (int placement = 0; placement < 8; ++placement) {
        SCOPED_TRACE(testing::Message() << "back placement " << placement);
        doc.pMethod = placement / 2;
        doc.pCenter = placement % 2;
        expectSheets(&UpdateBack, QSizeF(backsheet::kWidth, backsheet::kHeight));
    }
    for (const auto& [stretch, centre] : {std::pair{1, 0}, {0, 1}, {0, 0}}) {
        SCOPED_TRACE(testing::Message() << "front stretch " << stretch << ", centre " << centre);
        doc.fStretch = doc.fStretch1 = stretch;
        doc.fCenter = doc.fCenter1 = centre;
        expectSheets(&UpdateFront, QSizeF(frontsheet::kWidth, frontsheet::kHeight));
    }
}

} // namespace
