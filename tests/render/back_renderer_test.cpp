#include "render/back_renderer.h"

#include "gtest_qt.h"
#include "render/drawing_surface.h"
#include "render/sheet_geometry.h"
#include "render_test_support.h"
#include "shell/progress.h"

#include <QStringList>

namespace {

class BackRendererTest : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        doc.BackColor = kYellow;
        doc.CutColor = kBlue;
        doc.CrullColor = kGreen;
        doc.Fontname = QStringLiteral("Arial");
        doc.Fontsize = QStringLiteral("16");
        doc.Fontname2 = QStringLiteral("Arial");
        doc.Fontsize2 = QStringLiteral("12");
    }

    QImage render(const QSizeF& sizeMm = QSizeF(160, 128), bool printing = false)
    {
        ImageSurface surface(sizeMm, kTestDpi);
        UpdateBack(doc, surface, printing);
        return surface.image();
    }
};

bool isRedInk(const QColor& c)
{
    return c.red() > 180 && c.green() < 140 && c.blue() < 140;
}

TEST_F(BackRendererTest, FillsTheCutRectangleAndNothingOutsideIt)
{
    const QImage sheet = render();
    EXPECT_EQ(colorAtMm(sheet, 80, 64), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 5.3, 100), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 154.7, 122.7), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 4.7, 64), QColor(Qt::white));
    EXPECT_EQ(colorAtMm(sheet, 80, 123.5), QColor(Qt::white));
    EXPECT_EQ(colorAtMm(sheet, 157, 64), QColor(Qt::white));
}

TEST_F(BackRendererTest, DrawsTheSixMarksAcrossTheWholeSheet)
{
    const QImage sheet = render();
    // Horizontal cut marks from edge to edge.
    for (double x : {0.2, 80.0, 159.8}) {
        EXPECT_EQ(colorAtMm(sheet, x, 5), rgb(kBlue)) << x;
        EXPECT_EQ(colorAtMm(sheet, x, 123), rgb(kBlue)) << x;
    }
    // Vertical cut marks and crull marks from top to bottom.
    for (double y : {0.2, 30.0, 127.8}) {
        EXPECT_EQ(colorAtMm(sheet, 5, y), rgb(kBlue)) << y;
        EXPECT_EQ(colorAtMm(sheet, 155, y), rgb(kBlue)) << y;
        EXPECT_EQ(colorAtMm(sheet, 11, y), rgb(kGreen)) << y;
        EXPECT_EQ(colorAtMm(sheet, 149, y), rgb(kGreen)) << y;
    }
    // One device pixel wide.
    EXPECT_EQ(colorAtMm(sheet, 80, 5.1), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 11.1, 30), rgb(kYellow));
}

TEST_F(BackRendererTest, PrintsTheCaptionsInSmallBlackType)
{
    doc.currentFile = QStringLiteral("/home/someone/covers/my cover.vrz");
    const QImage sheet = render();
    const auto black = [](QColor c) { return c.red() < 100 && c.green() < 100 && c.blue() < 100; };
    const QRect file = inkBox(sheet, mmRect(11, 0.5, 150, 4.9), black);
    ASSERT_FALSE(file.isEmpty());
    EXPECT_NEAR(file.left() / kPxPerMm, 12, 0.5);
    // 8 pt type: capitals about 2 mm high.
    EXPECT_LT(file.height() / kPxPerMm, 3.5);
    const QRect size = inkBox(sheet, mmRect(11, 123.5, 160, 128), black);
    ASSERT_FALSE(size.isEmpty());
    EXPECT_NEAR(size.left() / kPxPerMm, 12, 0.5);
    EXPECT_GT(size.width() / kPxPerMm, 60);
}

TEST_F(BackRendererTest, StretchesThePictureToTheCutLines)
{
    doc.BackPicture.image = positionPicture(200, 150);
    doc.pMethod = 0;
    doc.pCenter = 1; // only meaningful for the cut placements
    const QImage sheet = render();
    const QPointF middle = picturePositionAt(sheet, 80, 64);
    EXPECT_NEAR(middle.x(), 100, 1.5);
    EXPECT_NEAR(middle.y(), 75, 1.5);
    const QPointF nearCorner = picturePositionAt(sheet, 5.5, 5.5);
    EXPECT_NEAR(nearCorner.x(), 0.5 * 200 / 150, 1.5);
    EXPECT_NEAR(nearCorner.y(), 0.5 * 150 / 118, 1.5);
    const QPointF farCorner = picturePositionAt(sheet, 154.5, 122.5);
    EXPECT_NEAR(farCorner.x(), 199, 1.5);
    EXPECT_NEAR(farCorner.y(), 149, 1.5);
}

TEST_F(BackRendererTest, StretchesThePictureToTheCrullLines)
{
    doc.BackPicture.image = positionPicture(200, 150);
    doc.pMethod = 1;
    const QImage sheet = render();
    EXPECT_EQ(colorAtMm(sheet, 8, 100), rgb(kYellow)); // the spine stays background
    const QPointF middle = picturePositionAt(sheet, 80, 64);
    EXPECT_NEAR(middle.x(), 100, 1.5);
    EXPECT_NEAR(middle.y(), 75, 1.5);
    const QPointF left = picturePositionAt(sheet, 11.5, 100);
    EXPECT_NEAR(left.x(), 0.5 * 200 / 138, 1.5);
}

TEST_F(BackRendererTest, CutsTheTopLeftRegionOfThePictureAtNaturalSize)
{
    doc.BackPicture.image = positionPicture(200, 150);
    doc.pMethod = 2;
    doc.pCenter = 0;
    QImage sheet = render();
    QPointF p = picturePositionAt(sheet, 20.5, 20.5);
    EXPECT_NEAR(p.x(), 15.5, 1);
    EXPECT_NEAR(p.y(), 15.5, 1);
    p = picturePositionAt(sheet, 150.5, 120.5);
    EXPECT_NEAR(p.x(), 145.5, 1);
    EXPECT_NEAR(p.y(), 115.5, 1);

    doc.pMethod = 3;
    sheet = render();
    p = picturePositionAt(sheet, 20.5, 20.5);
    EXPECT_NEAR(p.x(), 9.5, 1);
    EXPECT_NEAR(p.y(), 15.5, 1);
    // Only the 138 mm of the crull area: the right spine keeps the background.
    EXPECT_EQ(colorAtMm(sheet, 152, 100), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 8, 100), rgb(kYellow));
}

TEST_F(BackRendererTest, CentredCutTakesTheMiddleOfThePicture)
{
    doc.BackPicture.image = positionPicture(200, 150);
    doc.pCenter = 1;
    doc.pMethod = 2;
    QImage sheet = render();
    // Source starts at (100 - 75, 75 - 59) and lands at (5, 5).
    QPointF p = picturePositionAt(sheet, 20.5, 20.5);
    EXPECT_NEAR(p.x(), 40.5, 1);
    EXPECT_NEAR(p.y(), 31.5, 1);

    doc.pMethod = 3;
    sheet = render();
    // Source starts at (100 - 69, 75 - 59) and lands at (11, 5).
    p = picturePositionAt(sheet, 140.5, 100.5);
    EXPECT_NEAR(p.x(), 160.5, 1);
    EXPECT_NEAR(p.y(), 111.5, 1);
    EXPECT_EQ(colorAtMm(sheet, 152, 100), rgb(kYellow));
}

TEST_F(BackRendererTest, CentringFollowsThePreviewButNotThePrinterPage)
{
    doc.BackPicture.image = positionPicture(200, 150);
    doc.pCenter = 1;
    doc.pMethod = 2;
    // A preview 20 mm wider moves the centred picture 10 mm right.
    QImage sheet = render(QSizeF(180, 128));
    QPointF p = picturePositionAt(sheet, 30.5, 20.5);
    EXPECT_NEAR(p.x(), 40.5, 1);
    // On a printer page the sheet's nominal size counts.
    sheet = render(QSizeF(180, 128), true);
    p = picturePositionAt(sheet, 20.5, 20.5);
    EXPECT_NEAR(p.x(), 40.5, 1);
}

TEST_F(BackRendererTest, ACutRegionBeyondASmallPictureShowsTheBackground)
{
    doc.BackPicture.image = positionPicture(100, 80);
    doc.pCenter = 1;
    doc.pMethod = 2;
    const QImage sheet = render();
    // The picture sits in the middle of the cut rectangle: (30, 24) to (130, 104).
    EXPECT_EQ(colorAtMm(sheet, 20, 20), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 140, 110), rgb(kYellow));
    const QPointF middle = picturePositionAt(sheet, 80.5, 64.5);
    EXPECT_NEAR(middle.x(), 50.5, 1);
    EXPECT_NEAR(middle.y(), 40.5, 1);
    const QPointF corner = picturePositionAt(sheet, 30.5, 24.5);
    EXPECT_NEAR(corner.x(), 0.5, 1);
    EXPECT_NEAR(corner.y(), 0.5, 1);
}

TEST_F(BackRendererTest, WithoutAPictureTheMarksLieOnTheBackground)
{
    const QImage sheet = render();
    EXPECT_EQ(colorAtMm(sheet, 30, 30), rgb(kYellow));
    EXPECT_EQ(colorAtMm(sheet, 30, 5), rgb(kBlue));
}

// Label ink in a spine strip: its box in mm, and whether the text's start (dense capitals)
// is at the bottom, as for a label that reads upwards.
struct LabelInk {
    QRectF box;
    bool startsAtBottom = false;
};

LabelInk labelInk(const QImage& sheet, double stripLeft)
{
    const QRect strip = mmRect(stripLeft - 3, 0, stripLeft + 9, 128);
    const QRect box = inkBox(sheet, strip, isRedInk);
    LabelInk ink;
    if (box.isEmpty())
        return ink;
    ink.box = QRectF(box.left() / kPxPerMm, box.top() / kPxPerMm, box.width() / kPxPerMm,
                     box.height() / kPxPerMm);
    const QRect upper(box.left(), box.top(), box.width(), box.height() / 2);
    const QRect lower(box.left(), box.top() + box.height() / 2, box.width(), box.height() / 2);
    ink.startsAtBottom = inkCount(sheet, lower, isRedInk) > inkCount(sheet, upper, isRedInk);
    return ink;
}

// The label's length in the surface's font, which places it.
double labelWidth(const QString& text)
{
    ImageSurface surface(QSizeF(10, 10), kTestDpi);
    surface.setScaleToMillimetres();
    surface.setFont(QStringLiteral("Arial"), 16, false, false);
    return surface.textWidth(text);
}

// The turned label is sized by cell height and so comes out about a tenth shorter than the
// surface's width of it; it starts at its placed end and stops short of the other.
constexpr double kShorterBy = 0.15;

TEST_F(BackRendererTest, SpineLabelsReadUpwardsInsideTheStrips)
{
    doc.Text = QStringLiteral("MMMMMMMMMM..........");
    doc.ForeColor = kRed;
    const double width = labelWidth(doc.Text);
    const QImage sheet = render();
    for (double strip : {5.0, 149.0}) {
        const LabelInk ink = labelInk(sheet, strip);
        ASSERT_FALSE(ink.box.isEmpty()) << strip;
        EXPECT_GE(ink.box.left(), strip) << strip;
        EXPECT_LE(ink.box.right(), strip + 6) << strip;
        // Its start (the bottom) at 64 + width / 2 - 7, to whole millimetres.
        EXPECT_NEAR(ink.box.bottom(), std::nearbyint(57 + width / 2), 0.6) << strip;
        EXPECT_GE(ink.box.center().y(), 57 - 0.5) << strip;
        EXPECT_LE(ink.box.center().y(), 57 + kShorterBy * width / 2) << strip;
        EXPECT_GT(ink.box.height(), 30) << strip;
        EXPECT_TRUE(ink.startsAtBottom) << strip;
    }
}

TEST_F(BackRendererTest, FlippedRightLabelReadsDownwardsBelowTheMiddle)
{
    doc.Text = QStringLiteral("MMMMMMMMMM..........");
    doc.ForeColor = kRed;
    doc.FlipLabels = 1;
    const double width = labelWidth(doc.Text);
    const QImage sheet = render();
    const LabelInk left = labelInk(sheet, 5);
    EXPECT_NEAR(left.box.bottom(), std::nearbyint(57 + width / 2), 0.6);
    EXPECT_TRUE(left.startsAtBottom);
    const LabelInk right = labelInk(sheet, 149);
    ASSERT_FALSE(right.box.isEmpty());
    EXPECT_GE(right.box.left(), 149);
    EXPECT_LE(right.box.right(), 155);
    // Its start (the top) at 64 - width / 2 + 7.
    EXPECT_NEAR(right.box.top(), std::nearbyint(71 - width / 2), 0.6);
    EXPECT_LE(right.box.center().y(), 71 + 0.5);
    EXPECT_GE(right.box.center().y(), 71 - kShorterBy * width / 2);
    EXPECT_FALSE(right.startsAtBottom);
}

TEST_F(BackRendererTest, LabelsTakeTheCaptionFontWithoutASelectedFace)
{
    doc.Text = QStringLiteral("MMMMMMMMMM");
    doc.ForeColor = kRed;
    const double bigLength = labelInk(render(), 5).box.height();
    doc.Fontname.clear();
    const double smallLength = labelInk(render(), 5).box.height();
    EXPECT_GT(smallLength, 0);
    EXPECT_LT(smallLength, bigLength * 0.7);
}

TEST_F(BackRendererTest, LongLabelsRunBeyondTheCutLines)
{
    doc.Text = QString(40, QLatin1Char('M'));
    doc.ForeColor = kRed;
    const LabelInk ink = labelInk(render(), 5);
    EXPECT_LT(ink.box.top(), 5);
    EXPECT_GT(ink.box.bottom(), 123);
}

TEST_F(BackRendererTest, ContentsStartAtTheTextAreaForEitherMargin)
{
    doc.Contents = QStringLiteral("HHHH\r\nHHHH");
    doc.ForeColor2 = kRed;
    const auto firstLine = [&](const QString& margin) {
        doc.leftmargin = margin;
        doc.topmargin = margin;
        const QImage sheet = render();
        return inkBox(sheet, mmRect(11.2, 5.2, 149, 122), isRedInk);
    };
    const QRect zero = firstLine(QStringLiteral("0"));
    const QRect ten = firstLine(QStringLiteral("10"));
    ASSERT_FALSE(zero.isEmpty());
    ASSERT_FALSE(ten.isEmpty());
    // The cell's top-left is the area's; capitals start a little right of and below it.
    EXPECT_NEAR(zero.left() / kPxPerMm, 11.337 + 0.35, 0.3);
    EXPECT_NEAR(zero.top() / kPxPerMm, 5.292 + 0.8, 0.3);
    EXPECT_NEAR((ten.left() - zero.left()) / kPxPerMm, 10, 0.15);
    EXPECT_NEAR((ten.top() - zero.top()) / kPxPerMm, 10, 0.15);
}

TEST_F(BackRendererTest, EachContentsLineMovesDownOneLineHeight)
{
    doc.Contents = QStringLiteral("HHHH\r\n\r\nHHHH");
    doc.ForeColor2 = kRed;
    doc.topmargin = QStringLiteral("0");
    const QImage sheet = render();
    // The lines' capitals: one at the top, the next two line heights (the empty line) lower.
    QList<int> tops;
    bool inInk = false;
    for (int y = 50; y < 1230; ++y) {
        const bool row = inkCount(sheet, QRect(115, y, 300, 1), isRedInk) > 0;
        if (row && !inInk)
            tops << y;
        inInk = row;
    }
    ASSERT_EQ(tops.size(), 2);
    // 12 pt Arial: ascent plus descent, 1.117 em, from line to line.
    const double lineHeight = (tops[1] - tops[0]) / 2.0 / kPxPerMm;
    EXPECT_NEAR(lineHeight, 12 * 1.117 * 25.4 / 72, 0.15);
}

TEST_F(BackRendererTest, WrapsContentsLinesAtTheAreaWidth)
{
    doc.Contents = QStringList(20, QStringLiteral("HHHH")).join(QLatin1Char(' '));
    doc.ForeColor2 = kRed;
    const QImage sheet = render();
    const QRect ink = inkBox(sheet, mmRect(11.2, 5.2, 160, 122), isRedInk);
    const QRectF area = contentsTextArea(doc);
    EXPECT_LE(ink.right() / kPxPerMm, area.right());
    EXPECT_GT(ink.height() / kPxPerMm, 6); // more than one line of capitals
}

TEST_F(BackRendererTest, CounterReplacesPercentCInAnyCase)
{
    doc.ForeColor = kRed;
    doc.Text = QStringLiteral("Disc 42");
    doc.Contents = QStringLiteral("Copy 42 of 42");
    doc.Counter = 0;
    const QImage expected = render();

    doc.Counter = 1;
    doc.CountFrom = QStringLiteral("42");
    doc.Text = QStringLiteral("Disc %C");
    doc.Contents = QStringLiteral("Copy %c of %C");
    EXPECT_EQ(render(), expected);

    doc.Counter = 0;
    EXPECT_NE(render(), expected);
}

TEST_F(BackRendererTest, DrawsNothingWhileTheViewIsDisabledButStillMarksTheCoverChanged)
{
    ImageSurface surface(QSizeF(160, 128), kTestDpi);
    doc.saved = true;
    app::viewEnabled = false;
    UpdateBack(doc, surface, false);
    EXPECT_FALSE(doc.saved);
    const QImage sheet = surface.image();
    EXPECT_EQ(inkCount(sheet, sheet.rect(), [](QColor c) { return c != Qt::white; }), 0);

    app::viewEnabled = true;
    doc.saved = true;
    UpdateBack(doc, surface, false);
    EXPECT_FALSE(doc.saved);
}

TEST_F(BackRendererTest, APreviewIsClearedFirstAPrinterPageIsNot)
{
    ImageSurface surface(QSizeF(160, 128), kTestDpi);
    surface.setScaleToMillimetres();
    surface.filledBox(QPointF(0, 60), QPointF(3, 70), kMagenta);
    UpdateBack(doc, surface, true);
    EXPECT_EQ(colorAtMm(surface.image(), 1.5, 65), rgb(kMagenta));
    UpdateBack(doc, surface, false);
    EXPECT_EQ(colorAtMm(surface.image(), 1.5, 65), QColor(Qt::white));
}

class RecordingLog : public TraceLog {
public:
    void append(const QString& line) override { lines << line; }
    QStringList lines;
};

class BackTraceTest : public BackRendererTest {
protected:
    void SetUp() override
    {
        BackRendererTest::SetUp();
        m_debugWas = app::debugMode;
        app::debugMode = true;
        setTraceLog(&log);
    }
    void TearDown() override
    {
        setTraceLog(nullptr);
        app::debugMode = m_debugWas;
        BackRendererTest::TearDown();
    }

    RecordingLog log;

private:
    bool m_debugWas = false;
};

TEST_F(BackTraceTest, PrintingTracesEveryStepInDrawingOrder)
{
    doc.Contents = QStringLiteral("one\r\ntwo");
    doc.BackPicture.image = positionPicture(200, 150);
    doc.pMethod = 1;
    render(QSizeF(160, 128), true);
    const QStringList start = {
        "Set DrawWidth", "Set ScaleMode", "Add Line", "Set FontName", "Set FontBold", "Set FontItalic",
        "Set FontSize", "SetBkMode, Transparent", "Set ForeColor", "Set CurrentX", "Set CurrentY",
        "Print CurFile", "Set CurrentX(2)", "Set CurrentY(2)", "Print (Crull)", "PaintPicture BackPic(4)",
        "Line (1)", "Line (2)", "Line (3)", "Line (4)", "Line (5)", "Line (6)", "ForeColor (1)",
        "FontItalic(1)", "FontName(1)", "FontBold(1)", "FontSize(1)", "GetObj.TextWidth(1)",
        "Set iBKMode(1), Transparent", "Set CurrentY(1)", "Set Text Angle(1)", "Set Text CurrentX(1)",
        "rText.PrintText(Txt)", "GetTextWidth(Txt)", "Set iBKMode, Transparent", "Set CurrentY(1)",
        "Set Angle (90)", "Set CurrentX(1)", "rText.PrintText(Txt)", "Set CurrentX(1)", "Set CurrentY(1)",
        "Set FontName", "Set FontBold", "Set FontItalic", "Set FontSize", "Set ForeColor",
        "Set CurrentX(1)", "Print(Contents lines...)", "Set CurrentX(1)", "Print(Contents lines...)"};
    EXPECT_EQ(log.lines, start);
}

TEST_F(BackTraceTest, EachPicturePlacementTracesItsCase)
{
    doc.BackPicture.image = positionPicture(200, 150);
    const struct {
        int method;
        int centre;
        const char* trace;
    } cases[] = {{2, 1, "PaintPicture BackPic(1)"}, {3, 1, "PaintPicture BackPic(2)"},
                 {0, 1, "PaintPicture BackPic(3)"}, {1, 0, "PaintPicture BackPic(4)"},
                 {2, 0, "PaintPicture BackPic(5)"}, {3, 0, "PaintPicture BackPic(6)"}};
    for (const auto& c : cases) {
        log.lines.clear();
        doc.pMethod = c.method;
        doc.pCenter = c.centre;
        render(QSizeF(160, 128), true);
        EXPECT_EQ(log.lines.filter(QStringLiteral("PaintPicture")), QStringList{c.trace}) << c.method;
    }
}

TEST_F(BackTraceTest, FlippedLabelTracesItsAngle)
{
    doc.FlipLabels = 1;
    render(QSizeF(160, 128), true);
    EXPECT_TRUE(log.lines.contains(QStringLiteral("Set Angle (270)")));
    EXPECT_FALSE(log.lines.contains(QStringLiteral("Set Angle (90)")));
}

TEST_F(BackTraceTest, APreviewWritesNoTrace)
{
    render();
    EXPECT_TRUE(log.lines.isEmpty());
}

} // namespace
