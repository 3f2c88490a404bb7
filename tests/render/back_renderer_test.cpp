#include "render/back_renderer.h"

#include "gtest_qt.h"
#include "render/display_lines.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"
#include "render_test_support.h"

#include <cmath>

namespace {

class BackRendererTest : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        doc.BackColor = kYellow;
        doc.CutColor = kBlue;
        doc.CrullColor = kGreen;
        doc.ForeColor = doc.ForeColor2 = kRed;
        doc.Fontname = doc.Fontname2 = QStringLiteral("Arial");
    }

    QImage render(double widthMm = 160, bool printing = false)
    {
        ImageSurface surface(QSizeF(widthMm, 128), kTestDpi);
        UpdateBack(doc, surface, printing);
        return surface.image();
    }
};

TEST_F(BackRendererTest, FillsTheCutRectangleAndDrawsSixOnePixelMarks)
{
    const QImage sheet = render();
    const struct { double x, y; int color; } spots[] = {
        {80, 64, kYellow}, {5.3, 100, kYellow}, {154.7, 122.7, kYellow}, {4.7, 64, kWhite}, {80, 123.5, kWhite},
        {157, 64, kWhite}, {0.2, 5, kBlue}, {159.8, 123, kBlue}, {5, 0.2, kBlue}, {155, 127.8, kBlue},
        {11, 0.2, kGreen}, {149, 127.8, kGreen}, {80, 5.1, kYellow}, {11.1, 30, kYellow}};
    for (const auto& s : spots)
        EXPECT_EQ(colorAtMm(sheet, s.x, s.y), colorFromValue(s.color)) << s.x << "," << s.y;
}

TEST_F(BackRendererTest, PlacesThePictureByMethodAndCentring)
{
    const struct { const char* what; int method, centre, pictureW, pictureH; double sheetWidth; bool printing;
                   std::vector<Probe> probes; } cases[] = {
        {"stretched to the cut lines", 0, 1, 200, 150, 160, false,
         {{80, 64, 100, 75}, {5.5, 5.5, 0.67, 0.64}, {154.5, 122.5, 199, 149}}},
        {"stretched to the crull lines", 1, 0, 200, 150, 160, false,
         {{8, 100, -1, -1}, {80, 64, 100, 75}, {11.5, 100, 0.72, 120.8}}},
        {"cut from the top-left", 2, 0, 200, 150, 160, false, {{20.5, 20.5, 15.5, 15.5}, {150.5, 120.5, 145.5, 115.5}}},
        {"crull area cut from the top-left", 3, 0, 200, 150, 160, false,
         {{20.5, 20.5, 9.5, 15.5}, {152, 100, -1, -1}, {8, 100, -1, -1}}},
        {"centred cut", 2, 1, 200, 150, 160, false, {{20.5, 20.5, 40.5, 31.5}}},
        {"centred crull cut", 3, 1, 200, 150, 160, false, {{140.5, 100.5, 160.5, 111.5}, {152, 100, -1, -1}}},
        {"centred on a wider preview", 2, 1, 200, 150, 180, false, {{30.5, 20.5, 40.5, 31.5}}},
        {"centred on the nominal sheet when printing", 2, 1, 200, 150, 180, true, {{20.5, 20.5, 40.5, 31.5}}},
        {"a small picture centred", 2, 1, 100, 80, 160, false,
         {{20, 20, -1, -1}, {140, 110, -1, -1}, {80.5, 64.5, 50.5, 40.5}, {30.5, 24.5, 0.5, 0.5}}},
    };
    for (const auto& c : cases) {
        doc.BackPicture.image = positionPicture(c.pictureW, c.pictureH);
        doc.pMethod = c.method;
        doc.pCenter = c.centre;
        expectProbes(render(c.sheetWidth, c.printing), c.probes, kYellow, c.what);
    }
}

TEST_F(BackRendererTest, SpineLabelsRunInsideTheirStripsTheRightWay)
{
    doc.Text = QStringLiteral("MMMMMMMMMM..........");
    ImageSurface measure(QSizeF(10, 10), kTestDpi);
    measure.setScaleToMillimetres();
    measure.setFont(QStringLiteral("Arial"), 16, false, false);
    const double halfLength = measure.textWidth(doc.Text) / 2;
    const struct { int flip; double strip; bool upwards; } cases[] = {
        {0, 5, true}, {0, 149, true}, {1, 5, true}, {1, 149, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strip);
        doc.FlipLabels = c.flip;
        const QImage sheet = render();
        const QRect box = inkBox(sheet, mmRect(c.strip - 3, 0, c.strip + 9, 128), isRedInk);
        ASSERT_FALSE(box.isEmpty());
        EXPECT_GE(box.left() / kPxPerMm, c.strip);
        EXPECT_LE((box.right() + 1) / kPxPerMm, c.strip + 6);
        // The text starts 7 mm off the spine's middle, on whole millimetres: reading upwards
        // from below it (90 degrees), flipped downwards from above it (270 degrees).
        EXPECT_NEAR(c.upwards ? (box.bottom() + 1) / kPxPerMm : box.top() / kPxPerMm,
                    std::nearbyint(c.upwards ? 57 + halfLength : 71 - halfLength), 0.6);
        // The start's capitals are wider across the strip than the dots at the end.
        QRect upper = box, lower = box;
        upper.setHeight(box.height() / 4);
        lower.setTop(box.bottom() - box.height() / 4);
        EXPECT_EQ(inkBox(sheet, lower, isRedInk).width() > inkBox(sheet, upper, isRedInk).width(), c.upwards);
    }
}

TEST_F(BackRendererTest, ContentsStartAtTheTextAreaAndBreakWhereTheDisplayLinesDo)
{
    // Lines broken at words, an empty line, a word too long for a line.
    const QString words = QStringList(20, QStringLiteral("HHHH")).join(QLatin1Char(' '));
    const QString word(50, QLatin1Char('W'));
    doc.Contents = words + QStringLiteral("\r\n\r\n") + word;
    ImageSurface measure(QSizeF(10, 10), kTestDpi);
    measure.setScaleToMillimetres();
    measure.setFont(QStringLiteral("Arial"), 12, false, false);
    const double height = measure.textHeight(QStringLiteral("H"));
    for (const int margin : {0, 10}) {
        SCOPED_TRACE(margin);
        doc.leftmargin = doc.topmargin = QString::number(margin);
        const QImage sheet = render();
        const QRectF area = contentsTextArea(doc);
        // The first cell's top-left is the area's; a capital starts a little right of and below it.
        const QRect first = inkBox(sheet, mmRect(11.2, 5.2, 149, area.top() + height), isRedInk);
        EXPECT_NEAR(first.left() / kPxPerMm, 11.337 + margin + 0.35, 0.3);
        EXPECT_NEAR(first.top() / kPxPerMm, 5.292 + margin + 0.8, 0.3);
        const QStringList lines = displayLines(doc.Contents, measure.font(), area.width());
        ASSERT_GE(lines.size(), 5);
        EXPECT_EQ(lines.join(QString()), words + word);
        EXPECT_EQ(lines[0].size() % 5, 0) << "broken inside a word: " << lines[0].toStdString();
        for (int i = 0; i < lines.size(); ++i) {
            const double top = area.top() + i * height;
            const QRect ink = inkBox(sheet, mmRect(area.left(), top, 160, top + height), isRedInk);
            const QString line = lines[i].trimmed();
            ASSERT_EQ(ink.isEmpty(), line.isEmpty()) << i;
            if (!ink.isEmpty()) {
                EXPECT_NEAR((ink.right() + 1) / kPxPerMm, area.left() + measure.textWidth(line), 0.6) << i;
            }
        }
    }
}

TEST_F(BackRendererTest, CounterReplacesPercentCInAnyCaseWhenOn)
{
    doc.Text = QStringLiteral("Disc 42");
    doc.Contents = QStringLiteral("Copy 42 of 42");
    const QImage expected = render();

    doc.Counter = 1;
    doc.CountFrom = QStringLiteral("42");
    doc.Text = QStringLiteral("Disc %C");
    doc.Contents = QStringLiteral("Copy %c of %C");
    EXPECT_EQ(render(), expected);

    doc.Counter = 0;
    EXPECT_NE(render(), expected);
}

TEST_F(RendererTest, DrawNothingWhileTheViewIsDisabledButMarkTheCoverChanged)
{
    app::viewEnabled = false;
    for (const auto update : {&UpdateBack, &UpdateFront}) {
        ImageSurface surface(QSizeF(250, 130), kTestDpi);
        doc.saved = true;
        update(doc, surface, false);
        EXPECT_FALSE(doc.saved);
        EXPECT_TRUE(inkBox(surface.image(), surface.image().rect(), [](QColor c) { return c != Qt::white; }).isEmpty());
    }
}

} // namespace
