#include "render/front_renderer.h"

#include "gtest_qt.h"
#include "render/sheet_geometry.h"
#include "render_test_support.h"

#include <tuple>

namespace {

class FrontRendererTest : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        doc.fBackColor = kYellow;
        doc.fBackColor2 = kMagenta;
        doc.fCutColor = kBlue;
        doc.fCrullColor = kGreen;
        doc.fFontColor = doc.fFontColor2 = kRed;
        doc.FrontFont = doc.FrontFont2 = QStringLiteral("Arial");
    }

    QImage render(const QSizeF& sizeMm = QSizeF(250, 130), bool printing = false)
    {
        ImageSurface surface(sizeMm, kTestDpi);
        UpdateFront(doc, surface, printing);
        return surface.image();
    }
};

TEST_F(FrontRendererTest, FillsBothHalvesAndDrawsTheMarksForTheSurface)
{
    // Spots: x, y (mm) and the colour there.
    const struct { QSizeF size; bool printing; std::vector<std::tuple<double, double, int>> spots; } sheets[] = {
        {{250, 130}, false, {{65, 65, kMagenta}, {5.3, 124.7, kMagenta}, {185, 65, kYellow}, {244.7, 5.3, kYellow},
                             {4.7, 65, kWhite}, {247, 65, kWhite}, {185, 127, kWhite}, {0.2, 5, kBlue},
                             {249.8, 125, kBlue}, {5, 0.2, kBlue}, {245, 129.8, kBlue}, {125, 0.2, kGreen},
                             {125, 129.8, kGreen}}},
        // Narrower: only the right mark moves; the outer half runs on under it.
        {{240, 128}, false, {{235, 0.2, kBlue}, {235, 127.8, kBlue}, {239.8, 5, kBlue}, {237, 65, kYellow},
                             {5, 65, kBlue}, {125, 65, kGreen}}},
        // A printer page takes the nominal sheet.
        {{270, 140}, true, {{245, 65, kBlue}, {260, 65, kWhite}, {260, 5, kWhite}, {5, 135, kWhite}}},
    };
    for (const auto& s : sheets) {
        const QImage sheet = render(s.size, s.printing);
        for (const auto& [x, y, color] : s.spots)
            EXPECT_EQ(colorAtMm(sheet, x, y), colorFromValue(color)) << s.size.width() << ": " << x << "," << y;
    }
}

TEST_F(FrontRendererTest, PlacesEachHalfsPictureStretchedOrCut)
{
    const struct { const char* what; int stretch1, centre1, stretch, centre, pictureW, pictureH;
                   std::vector<Probe> probes; } cases[] = {
        {"inner stretched, outer cut from the top-left", 1, 1, 0, 0, 200, 160,
         {{65, 65, 100, 80}, {124.5, 124.5, 199, 159}, {145.5, 25.5, 20.5, 20.5}}},
        {"both centred cuts", 0, 1, 0, 1, 200, 160, {{25.5, 25.5, 60.5, 40.5}, {145.5, 25.5, 60.5, 40.5}}},
        {"outer stretched", 0, 1, 1, 1, 200, 160, {{185, 65, 100, 80}}},
        {"a small picture centred", 0, 0, 0, 1, 60, 40,
         {{150, 30, -1, -1}, {220, 100, -1, -1}, {155.5, 45.5, 0.5, 0.5}}},
    };
    for (const auto& c : cases) {
        doc.FrontPicture1.image = doc.FrontPicture.image = positionPicture(c.pictureW, c.pictureH);
        doc.fStretch1 = c.stretch1;
        doc.fCenter1 = c.centre1;
        doc.fStretch = c.stretch;
        doc.fCenter = c.centre;
        expectProbes(render(), c.probes, kYellow, c.what);
    }
}

TEST_F(FrontRendererTest, NoteLinesAndNumbersFollowTheSpacing)
{
    doc.WriteLines = 1;
    doc.LineNumbers = 1;
    const struct { const char* spacing; int numbers, lines, firstMm, stepMm; } cases[] = {
        {"6", 20, 19, 11, 6}, {"7", 17, 16, 12, 7}, {"120", 1, 0, 0, 0}, {"0", 0, 0, 0, 0}};
    for (const auto& c : cases) {
        doc.LineSpace = QString::fromLatin1(c.spacing);
        const QImage sheet = render();
        QList<int> expected;
        for (int i = 0; i < c.lines; ++i)
            expected << (c.firstMm + i * c.stepMm) * 10;
        const auto cutColor = [](QColor px) { return px == colorFromValue(kBlue); };
        EXPECT_EQ(runTops(sheet, mmRect(60, 5.5, 61, 124.5), cutColor), expected) << c.spacing;
        EXPECT_EQ(runTops(sheet, mmRect(6.5, 5.5, 124, 124.5), isRedInk).size(), c.numbers) << c.spacing;
        EXPECT_EQ(colorAtMm(sheet, 245, 65), colorFromValue(kBlue)) << c.spacing; // the rest is drawn
    }
}

TEST_F(FrontRendererTest, CentredOuterTextCentresEachLineInItsArea)
{
    doc.FrontText2 = QStringLiteral("HH\r\nHHHHHHHH");
    doc.sfText = 1;
    doc.fFontCenter = 1;
    doc.FrontFontSize = QStringLiteral("20");
    const QImage sheet = render();
    const QRectF area = outerTextArea(doc);
    const double lineHeight = 20 * 1.117 * 25.4 / 72;
    for (int line = 0; line < 2; ++line) {
        const double top = area.top() + line * lineHeight;
        const QRect ink = inkBox(sheet, mmRect(125.2, top, 244.8, top + lineHeight), isRedInk);
        ASSERT_FALSE(ink.isEmpty()) << line;
        EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0 / kPxPerMm, area.center().x(), 0.3) << line;
    }
}

} // namespace
