#include "render/front_renderer.h"

#include "gtest_qt.h"
#include "render/drawing_surface.h"
#include "render/sheet_geometry.h"
#include "render_test_support.h"

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
        doc.fFontColor = kRed;
        doc.fFontColor2 = kRed;
        doc.FrontFont = QStringLiteral("Arial");
        doc.FrontFont2 = QStringLiteral("Arial");
    }

    QImage render(const QSizeF& sizeMm = QSizeF(250, 130), bool printing = false)
    {
        ImageSurface surface(sizeMm, kTestDpi);
        UpdateFront(doc, surface, printing);
        return surface.image();
    }
};

bool isRedInk(const QColor& c)
{
    return c.red() > 180 && c.green() < 140 && c.blue() < 140;
}

bool isCutColor(const QColor& c)
{
    return c == rgb(kBlue);
}

// Tops (mm × 10, i.e. pixel rows) of the runs of rows in a region holding matching pixels.
QList<int> runTops(const QImage& sheet, const QRect& region, const std::function<bool(QColor)>& ink)
{
    QList<int> tops;
    bool inInk = false;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        const bool row = inkCount(sheet, QRect(region.left(), y, region.width(), 1), ink) > 0;
        if (row && !inInk)
            tops << y;
        inInk = row;
    }
    return tops;
}

TEST_F(FrontRendererTest, FillsBothHalvesInTheirColours)
{
    const QImage sheet = render();
    EXPECT_EQ(colorAtMm(sheet, 65, 65), rgb(kMagenta));
    EXPECT_EQ(colorAtMm(sheet, 5.3, 124.7), rgb(kMagenta));
    EXPECT_EQ(colorAtMm(sheet, 185, 65), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 244.7, 5.3), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 4.7, 65), QColor(Qt::white));
    EXPECT_EQ(colorAtMm(sheet, 247, 65), QColor(Qt::white));
    EXPECT_EQ(colorAtMm(sheet, 185, 127), QColor(Qt::white));
}

TEST_F(FrontRendererTest, DrawsTheMarksOverTheWholeSurface)
{
    const QImage sheet = render();
    for (double x : {0.2, 65.0, 249.8}) {
        EXPECT_EQ(colorAtMm(sheet, x, 5), rgb(kBlue)) << x;
        EXPECT_EQ(colorAtMm(sheet, x, 125), rgb(kBlue)) << x;
    }
    for (double y : {0.2, 65.0, 129.8}) {
        EXPECT_EQ(colorAtMm(sheet, 5, y), rgb(kBlue)) << y;
        EXPECT_EQ(colorAtMm(sheet, 245, y), rgb(kBlue)) << y;
        EXPECT_EQ(colorAtMm(sheet, 125, y), rgb(kGreen)) << y;
    }
}

TEST_F(FrontRendererTest, ANarrowerSurfaceMovesOnlyTheRightMark)
{
    const QImage sheet = render(QSizeF(240, 128));
    for (double y : {0.2, 65.0, 127.8})
        EXPECT_EQ(colorAtMm(sheet, 235, y), rgb(kBlue)) << y;
    EXPECT_EQ(colorAtMm(sheet, 239.8, 5), rgb(kBlue));
    // The halves keep their fixed places; the outer one runs on under the moved mark.
    EXPECT_EQ(colorAtMm(sheet, 237, 65), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 5, 65), rgb(kBlue));
    EXPECT_EQ(colorAtMm(sheet, 125, 65), rgb(kGreen));
}

TEST_F(FrontRendererTest, APrinterPageTakesTheMarksFromTheNominalSheet)
{
    const QImage sheet = render(QSizeF(270, 140), true);
    EXPECT_EQ(colorAtMm(sheet, 245, 65), rgb(kBlue));
    EXPECT_EQ(colorAtMm(sheet, 260, 65), QColor(Qt::white));
    EXPECT_EQ(colorAtMm(sheet, 260, 5), QColor(Qt::white));
    EXPECT_EQ(colorAtMm(sheet, 5, 135), QColor(Qt::white));
}

TEST_F(FrontRendererTest, PlacesEachHalfsPictureStretchedOrCut)
{
    doc.FrontPicture1.image = positionPicture(200, 160);
    doc.FrontPicture.image = positionPicture(200, 160);

    doc.fStretch1 = 1;
    doc.fCenter1 = 1; // no effect when stretched
    doc.fStretch = 0;
    doc.fCenter = 0;
    QImage sheet = render();
    QPointF p = picturePositionAt(sheet, 65, 65);
    EXPECT_NEAR(p.x(), 100, 1.5);
    EXPECT_NEAR(p.y(), 80, 1.5);
    p = picturePositionAt(sheet, 124.5, 124.5);
    EXPECT_NEAR(p.x(), 199, 1.5);
    EXPECT_NEAR(p.y(), 159, 1.5);
    // The outer half cut from the picture's top-left, 1:1.
    p = picturePositionAt(sheet, 145.5, 25.5);
    EXPECT_NEAR(p.x(), 20.5, 1);
    EXPECT_NEAR(p.y(), 20.5, 1);

    doc.fStretch1 = 0;
    doc.fCenter1 = 1;
    doc.fCenter = 1;
    sheet = render();
    // The middle 120 mm square: the source starts at (40, 20).
    for (double left : {5.0, 125.0}) {
        p = picturePositionAt(sheet, left + 20.5, 25.5);
        EXPECT_NEAR(p.x(), 60.5, 1) << left;
        EXPECT_NEAR(p.y(), 40.5, 1) << left;
    }

    doc.fStretch = 1;
    sheet = render();
    p = picturePositionAt(sheet, 185, 65);
    EXPECT_NEAR(p.x(), 100, 1.5);
    EXPECT_NEAR(p.y(), 80, 1.5);
}

TEST_F(FrontRendererTest, ACutRegionBeyondASmallPictureShowsTheBackground)
{
    doc.FrontPicture.image = positionPicture(60, 40);
    doc.fCenter = 1;
    const QImage sheet = render();
    // Centred: the picture covers (155, 45) to (215, 85) of the outer half.
    EXPECT_EQ(colorAtMm(sheet, 150, 30), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 220, 100), rgb(kYellow));
    const QPointF p = picturePositionAt(sheet, 155.5, 45.5);
    EXPECT_NEAR(p.x(), 0.5, 1);
    EXPECT_NEAR(p.y(), 0.5, 1);
}

TEST_F(FrontRendererTest, NoteLinesEverySixMillimetresWithTwentyNumbers)
{
    doc.WriteLines = 1;
    doc.LineNumbers = 1;
    doc.LineSpace = QStringLiteral("6");
    const QImage sheet = render();
    QList<int> expected;
    for (int y = 11; y <= 119; y += 6)
        expected << y * 10;
    EXPECT_EQ(expected.size(), 19);
    EXPECT_EQ(runTops(sheet, mmRect(60, 5.5, 61, 124.5), isCutColor), expected);
    // The lines run from x = 7 to x = 123.
    EXPECT_EQ(colorAtMm(sheet, 7, 11), rgb(kBlue));
    EXPECT_EQ(colorAtMm(sheet, 123, 119), rgb(kBlue));
    EXPECT_EQ(colorAtMm(sheet, 6.7, 11), rgb(kMagenta));
    EXPECT_EQ(colorAtMm(sheet, 123.3, 11), rgb(kMagenta));

    const QList<int> numbers = runTops(sheet, mmRect(6.5, 5.5, 12, 124.5), isRedInk);
    ASSERT_EQ(numbers.size(), 20);
    // Each number's cell starts at y = 6, 12, ... 120; its digits a little lower.
    for (int i = 0; i < numbers.size(); ++i)
        EXPECT_NEAR(numbers[i] / kPxPerMm, 6 + 6 * i + 0.45, 0.4) << i;
}

TEST_F(FrontRendererTest, UnevenSpacingStepsFromWholeMillimetreToWholeMillimetre)
{
    doc.WriteLines = 1;
    doc.LineSpace = QStringLiteral("7");
    const QImage sheet = render();
    // 120 / 7 rounds to 17 numbers, so 16 lines from 12 mm on.
    QList<int> expected;
    for (int i = 0; i < 16; ++i)
        expected << (12 + 7 * i) * 10;
    EXPECT_EQ(runTops(sheet, mmRect(60, 5.5, 61, 124.5), isCutColor), expected);

    doc.LineSpace = QStringLiteral("6.5");
    // 120 / 6.5 = 18.46: 18 numbers, 17 lines at 12 (11.5 to even), 18 (18.5), 24 (24.5), ...
    const QList<int> tops = runTops(render(), mmRect(60, 5.5, 61, 124.5), isCutColor);
    ASSERT_EQ(tops.size(), 17);
    EXPECT_EQ(tops[0], 120);
    EXPECT_EQ(tops[1], 180);
    EXPECT_EQ(tops[2], 240);
}

TEST_F(FrontRendererTest, ASpacingOfAWholeHalfGivesOneNumberAndNoLine)
{
    doc.WriteLines = 1;
    doc.LineNumbers = 1;
    doc.LineSpace = QStringLiteral("120");
    const QImage sheet = render();
    EXPECT_TRUE(runTops(sheet, mmRect(60, 5.5, 61, 124.5), isCutColor).isEmpty());
    // "01" in 120 pt type (the pitch as a point size) in a cell from y = 6.
    const QRect number = inkBox(sheet, mmRect(6.5, 5.5, 124, 124.5), isRedInk);
    const double em = 120 * 25.4 / 72;
    EXPECT_NEAR(number.top() / kPxPerMm, 6 + (0.905 - 0.709) * em, 1);
    EXPECT_NEAR(number.height() / kPxPerMm, 0.709 * em, 1);
    EXPECT_EQ(runTops(sheet, mmRect(6.5, 5.5, 124, 124.5), isRedInk).size(), 1);
}

TEST_F(FrontRendererTest, ASpacingOfZeroDrawsNoNoteLinesButTheRest)
{
    doc.WriteLines = 1;
    doc.LineNumbers = 1;
    doc.LineSpace = QStringLiteral("0");
    doc.FrontText2 = QStringLiteral("HHHH");
    doc.sfText = 1;
    const QImage sheet = render();
    EXPECT_TRUE(runTops(sheet, mmRect(60, 5.5, 61, 124.5), isCutColor).isEmpty());
    EXPECT_EQ(inkCount(sheet, mmRect(6, 5.5, 124, 124.5), isRedInk), 0);
    EXPECT_GT(inkCount(sheet, mmRect(126, 5.5, 244, 124.5), isRedInk), 0);
    EXPECT_EQ(colorAtMm(sheet, 245, 65), rgb(kBlue));
}

TEST_F(FrontRendererTest, NoteLinesNeedTheirSwitch)
{
    doc.LineSpace = QStringLiteral("6");
    doc.LineNumbers = 1;
    const QImage sheet = render();
    EXPECT_TRUE(runTops(sheet, mmRect(60, 5.5, 61, 124.5), isCutColor).isEmpty());
    EXPECT_EQ(inkCount(sheet, mmRect(6, 5.5, 124, 124.5), isRedInk), 0);
}

TEST_F(FrontRendererTest, OuterTextStartsAtItsAreaOrCentresEachLine)
{
    doc.FrontText2 = QStringLiteral("HH\r\nHHHHHHHH");
    doc.sfText = 1;
    doc.FrontFontSize = QStringLiteral("20");
    doc.fLMargin = QStringLiteral("0");
    doc.fTMargin = QStringLiteral("0");
    const QRect left = inkBox(render(), mmRect(125.2, 5.2, 244.8, 124.8), isRedInk);
    ASSERT_FALSE(left.isEmpty());
    EXPECT_NEAR(left.left() / kPxPerMm, 125.413 + 0.6, 0.4);

    doc.fFontCenter = 1;
    const QImage sheet = render();
    const QRectF area = outerTextArea(doc);
    const double lineHeight = 20 * 1.117 * 25.4 / 72;
    for (int line = 0; line < 2; ++line) {
        const QRect ink = inkBox(sheet,
                                 mmRect(125.2, area.top() + line * lineHeight, 244.8,
                                        area.top() + (line + 1) * lineHeight),
                                 isRedInk);
        ASSERT_FALSE(ink.isEmpty()) << line;
        EXPECT_NEAR((ink.left() + ink.right()) / 2.0 / kPxPerMm, area.center().x(), 0.3) << line;
    }
}

TEST_F(FrontRendererTest, InnerTextStartsAtItsAreaWithMargins)
{
    doc.FrontText1 = QStringLiteral("HHHH");
    doc.sfText2 = 1;
    doc.FrontFontSize2 = QStringLiteral("20");
    doc.fLMargin2 = QStringLiteral("10");
    doc.fTMargin2 = QStringLiteral("10");
    doc.fFontCenter = 1; // the inner text is never centred
    const QRect ink = inkBox(render(), mmRect(5.2, 5.2, 124.8, 124.8), isRedInk);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_NEAR(ink.left() / kPxPerMm, 15.292 + 0.6, 0.4);
    EXPECT_NEAR(ink.top() / kPxPerMm, 15.292 + 20 * (0.905 - 0.716) * 25.4 / 72, 0.3);
}

TEST_F(FrontRendererTest, TextsNeedTheirSwitchAndSomeText)
{
    doc.FrontText1 = QStringLiteral("HHHH");
    doc.FrontText2 = QStringLiteral("HHHH");
    const QImage off = render();
    EXPECT_EQ(inkCount(off, off.rect(), isRedInk), 0);
    doc.sfText = 1;
    doc.sfText2 = 1;
    const QImage on = render();
    EXPECT_GT(inkCount(on, mmRect(5.2, 5.2, 124.8, 124.8), isRedInk), 0);
    EXPECT_GT(inkCount(on, mmRect(125.2, 5.2, 244.8, 124.8), isRedInk), 0);
}

TEST_F(FrontRendererTest, CounterReplacesPercentCInBothTexts)
{
    doc.sfText = 1;
    doc.sfText2 = 1;
    doc.Counter2 = 0;
    doc.FrontText1 = QStringLiteral("No. 8");
    doc.FrontText2 = QStringLiteral("8 and 8");
    const QImage expected = render();

    doc.Counter2 = 1;
    doc.CountFrom2 = QStringLiteral("8");
    doc.FrontText1 = QStringLiteral("No. %C");
    doc.FrontText2 = QStringLiteral("%c and %C");
    EXPECT_EQ(render(), expected);

    doc.Counter2 = 0;
    EXPECT_NE(render(), expected);
}

TEST_F(FrontRendererTest, DrawsNothingWhileTheViewIsDisabledButStillMarksTheCoverChanged)
{
    ImageSurface surface(QSizeF(250, 130), kTestDpi);
    doc.saved = true;
    app::viewEnabled = false;
    UpdateFront(doc, surface, false);
    EXPECT_FALSE(doc.saved);
    const QImage sheet = surface.image();
    EXPECT_EQ(inkCount(sheet, sheet.rect(), [](QColor c) { return c != Qt::white; }), 0);
}

} // namespace
