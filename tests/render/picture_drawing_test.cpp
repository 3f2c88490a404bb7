#include "render/back_renderer.h"

#include "render/decode_ahead.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"
#include "render_test_support.h"
#include "test_pictures.h"

#include <QTemporaryDir>

namespace {

// A cover's photographs read from their files, drawn a part at a time, against the same
// photographs decoded whole beforehand, as every picture was drawn before.
class PictureDrawing : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        // 271 x 203 mm: larger than either sheet, so the cut placements show parts of it.
        ASSERT_TRUE(photograph(1600, 1200, 150).save(m_back, "JPG", 90));
        ASSERT_TRUE(photograph(1200, 1600, 200).mirrored(true, false).save(m_front, "JPG", 90));
    }

    enum class Read { Whole, InParts, InPartsDecodedAhead };

    // The sheet drawn at dpi with the pictures decoded whole beforehand, or read as a
    // cover's are, their parts perhaps decoded ahead for both sheets at that resolution.
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

    QTemporaryDir m_dir;
    QString m_back = m_dir.filePath(QStringLiteral("back.jpg"));
    QString m_front = m_dir.filePath(QStringLiteral("front.jpg"));
};

TEST_F(PictureDrawing, BackPlacementsOnAPageAndOnAPreview)
{
    for (const int method : {0, 1, 2, 3}) {
        for (const int centre : {0, 1}) {
            SCOPED_TRACE(testing::Message() << "pMethod " << method << ", pCenter " << centre);
            doc.pMethod = method;
            doc.pCenter = centre;
            expectSheets(&UpdateBack, QSizeF(backsheet::kWidth, backsheet::kHeight));
        }
    }
}

TEST_F(PictureDrawing, FrontPlacementsOnAPageAndOnAPreview)
{
    const struct { int stretch, centre; } cases[] = {{1, 0}, {0, 1}, {0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "stretch " << c.stretch << ", centre " << c.centre);
        doc.fStretch = doc.fStretch1 = c.stretch;
        doc.fCenter = doc.fCenter1 = c.centre;
        expectSheets(&UpdateFront, QSizeF(frontsheet::kWidth, frontsheet::kHeight));
    }
}

} // namespace
