#include "render/back_renderer.h"
#include "render/front_renderer.h"

#include "archive/zip_fixtures.h"
#include "gtest_qt.h"
#include "render/display_lines.h"
#include "render/sheet_file.h"
#include "render/sheet_geometry.h"
#include "render_test_support.h"

#include <cmath>

namespace {

using Update = void (*)(CoverDocument&, DrawingSurface&, bool);

// Both sheets yellow (the front's inner half magenta), cut lines blue, folds green, text red in Arial.
class SheetRenderers : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        doc.BackColor = doc.fBackColor = kYellow;
        doc.fBackColor2 = kMagenta;
        doc.CutColor = doc.fCutColor = kBlue;
        doc.CrullColor = doc.fCrullColor = kGreen;
        doc.ForeColor = doc.ForeColor2 = doc.fFontColor = doc.fFontColor2 = kRed;
        doc.Fontname = doc.Fontname2 = doc.FrontFont = doc.FrontFont2 = QStringLiteral("Arial");
    }
    QImage render(Update update, const QSizeF& sizeMm, bool printing = false)
    {
        ImageSurface surface(sizeMm, kTestDpi);
        update(doc, surface, printing);
        return surface.image();
    }
    QImage back(double widthMm = 160, bool printing = false) { return render(&UpdateBack, {widthMm, 128}, printing); }
    QImage front() { return render(&UpdateFront, {250, 130}); }
    // A surface measuring text in millimetres.
    struct Measure : ImageSurface {
        explicit Measure(int points) : ImageSurface(QSizeF(10, 10), kTestDpi)
        {
            setScaleToMillimetres();
            setFont(QStringLiteral("Arial"), points, false, false);
        }
    };
};

TEST_F(SheetRenderers, FillTheCutRectanglesAndDrawOnePixelMarksForTheSurface)
{
    const struct { Update update; QSizeF size; bool printing; std::vector<std::tuple<double, double, int>> spots; }
        sheets[] = {
        {&UpdateBack, {160, 128}, false,
         {{80, 64, kYellow}, {5.3, 100, kYellow}, {154.7, 122.7, kYellow}, {4.7, 64, kWhite}, {80, 123.5, kWhite},
          {157, 64, kWhite}, {0.2, 5, kBlue}, {159.8, 123, kBlue}, {5, 0.2, kBlue}, {155, 127.8, kBlue},
          {11, 0.2, kGreen}, {149, 127.8, kGreen}, {80, 5.1, kYellow}, {11.1, 30, kYellow}}},
        {&UpdateFront, {250, 130}, false,
         {{65, 65, kMagenta}, {5.3, 124.7, kMagenta}, {185, 65, kYellow}, {244.7, 5.3, kYellow}, {4.7, 65, kWhite},
          {247, 65, kWhite}, {185, 127, kWhite}, {0.2, 5, kBlue}, {249.8, 125, kBlue}, {5, 0.2, kBlue},
          {245, 129.8, kBlue}, {125, 0.2, kGreen}, {125, 129.8, kGreen}}},
        // Narrower: only the right mark moves; the outer half runs on under it.
        {&UpdateFront, {240, 128}, false,
         {{235, 0.2, kBlue}, {235, 127.8, kBlue}, {239.8, 5, kBlue}, {237, 65, kYellow}, {5, 65, kBlue},
          {125, 65, kGreen}}},
        // A printer page takes the nominal sheet.
        {&UpdateFront, {270, 140}, true, {{245, 65, kBlue}, {260, 65, kWhite}, {260, 5, kWhite}, {5, 135, kWhite}}},
    };
    for (const auto& s : sheets) {
        const QImage sheet = render(s.update, s.size, s.printing);
        for (const auto& [x, y, color] : s.spots)
            EXPECT_EQ(colorAtMm(sheet, x, y), colorFromValue(color)) << s.size.width() << ": " << x << "," << y;
    }
}

TEST_F(SheetRenderers, BackPlacesThePictureByMethodAndCentring)
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
        expectProbes(back(c.sheetWidth, c.printing), c.probes, kYellow, c.what);
    }
}

TEST_F(SheetRenderers, FrontPlacesEachHalfsPictureStretchedOrCut)
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
        expectProbes(front(), c.probes, kYellow, c.what);
    }
}

TEST_F(SheetRenderers, SpineLabelsRunInsideTheirStripsTheRightWay)
{
    doc.Text = QStringLiteral("MMMMMMMMMM..........");
    const double halfLength = Measure(16).textWidth(doc.Text) / 2;
    const struct { int flip; double strip; bool upwards; } cases[] = {
        {0, 5, true}, {0, 149, true}, {1, 5, true}, {1, 149, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strip);
        doc.FlipLabels = c.flip;
        const QImage sheet = back();
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

TEST_F(SheetRenderers, ContentsStartAtTheTextAreaAndBreakWhereTheDisplayLinesDo)
{
    // Lines broken at words, an empty line, a word too long for a line.
    const QString words = QStringList(20, QStringLiteral("HHHH")).join(QLatin1Char(' '));
    const QString word(50, QLatin1Char('W'));
    doc.Contents = words + QStringLiteral("\r\n\r\n") + word;
    const Measure measure(12);
    const double height = measure.textHeight(QStringLiteral("H"));
    for (const int margin : {0, 10}) {
        SCOPED_TRACE(margin);
        doc.leftmargin = doc.topmargin = QString::number(margin);
        const QImage sheet = back();
        const QRectF area = contentsTextArea(doc);
        // A capital starts a little right of and below its cell's top-left, the area's.
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
            ASSERT_EQ(ink.isEmpty(), lines[i].trimmed().isEmpty()) << i;
            if (!ink.isEmpty()) {
                EXPECT_NEAR((ink.right() + 1) / kPxPerMm, area.left() + measure.textWidth(lines[i].trimmed()), 0.6) << i;
            }
        }
    }
}

TEST_F(SheetRenderers, FrontNoteLinesAndNumbersFollowTheSpacing)
{
    doc.WriteLines = doc.LineNumbers = 1;
    const struct { const char* spacing; int numbers, lines, firstMm, stepMm; } cases[] = {
        {"6", 20, 19, 11, 6}, {"7", 17, 16, 12, 7}, {"120", 1, 0, 0, 0}, {"0", 0, 0, 0, 0}};
    for (const auto& c : cases) {
        doc.LineSpace = QString::fromLatin1(c.spacing);
        const QImage sheet = front();
        QList<int> expected;
        for (int i = 0; i < c.lines; ++i)
            expected << (c.firstMm + i * c.stepMm) * 10;
        const auto cutColor = [](QColor px) { return px == colorFromValue(kBlue); };
        EXPECT_EQ(runTops(sheet, mmRect(60, 5.5, 61, 124.5), cutColor), expected) << c.spacing;
        EXPECT_EQ(runTops(sheet, mmRect(6.5, 5.5, 124, 124.5), isRedInk).size(), c.numbers) << c.spacing;
        EXPECT_EQ(colorAtMm(sheet, 245, 65), colorFromValue(kBlue)) << c.spacing; // the rest is drawn
    }
}

TEST_F(SheetRenderers, FrontCentredOuterTextCentresEachLineInItsArea)
{
    doc.FrontText2 = QStringLiteral("HH\r\nHHHHHHHH");
    doc.sfText = doc.fFontCenter = 1;
    doc.FrontFontSize = QStringLiteral("20");
    const QImage sheet = front();
    const QRectF area = outerTextArea(doc);
    const double lineHeight = 20 * 1.117 * 25.4 / 72;
    for (int line = 0; line < 2; ++line) {
        const double top = area.top() + line * lineHeight;
        const QRect ink = inkBox(sheet, mmRect(125.2, top, 244.8, top + lineHeight), isRedInk);
        ASSERT_FALSE(ink.isEmpty()) << line;
        EXPECT_NEAR((ink.left() + ink.right() + 1) / 2.0 / kPxPerMm, area.center().x(), 0.3) << line;
    }
}

TEST_F(SheetRenderers, CounterReplacesPercentCInAnyCaseWhenOn)
{
    doc.Text = QStringLiteral("Disc 42");
    doc.Contents = QStringLiteral("Copy 42 of 42");
    const QImage expected = back();
    doc.Counter = 1;
    doc.CountFrom = QStringLiteral("42");
    doc.Text = QStringLiteral("Disc %C");
    doc.Contents = QStringLiteral("Copy %c of %C");
    EXPECT_EQ(back(), expected);
    doc.Counter = 0;
    EXPECT_NE(back(), expected);
}

TEST_F(SheetRenderers, DrawNothingWhileTheViewIsDisabledButMarkTheCoverChanged)
{
    app::viewEnabled = false;
    for (const Update update : {&UpdateBack, &UpdateFront}) {
        doc.saved = true;
        const QImage sheet = render(update, {250, 130});
        EXPECT_FALSE(doc.saved);
        EXPECT_TRUE(inkBox(sheet, sheet.rect(), [](QColor c) { return c != Qt::white; }).isEmpty());
    }
}

// The compression level zlib records in the header of a PNG file's first IDAT chunk:
// 0 fastest, 1 fast, 2 default, 3 smallest; -1 when there is no such chunk.
int pngDeflateLevel(const QByteArray& png)
{
    for (qsizetype at = 8; at + 10 <= png.size();) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        if (png.mid(at + 4, 4) == "IDAT")
            return quint8(png.at(at + 9)) >> 6;
        at += 12 + qsizetype(length);
    }
    return -1;
}

// Every pixel and the resolution come back from any format that keeps them; PNG is
// deflated at a fast level, where Qt's writer alone would take the default.
TEST_F(SheetRenderers, SheetFilesTakeTheFormatTheirNameGivesAndPngFast)
{
    QTemporaryDir dir;
    doc.Text = QStringLiteral("Label");
    doc.Contents = QStringLiteral("Track 1\r\nTrack 2\r\nTrack 3");
    const QImage sheet = back();
    const auto level = [&](const QString& name) { return pngDeflateLevel(fixtures::readFile(dir.filePath(name))); };
    for (const QString name : {"sheet.png", "SHEET.PNG", "sheet.bmp"}) {
        const QString path = dir.filePath(name);
        ASSERT_TRUE(writeSheetFile(sheet, path)) << name.toStdString();
        const QImage written(path);
        EXPECT_EQ(written.convertToFormat(QImage::Format_RGB32), sheet) << name.toStdString();
        EXPECT_EQ(written.dotsPerMeterX(), sheet.dotsPerMeterX()) << name.toStdString();
        EXPECT_EQ(level(name), name.endsWith("bmp") ? -1 : 0) << name.toStdString();
    }
    ASSERT_TRUE(sheet.save(dir.filePath("plain.png")));
    EXPECT_EQ(level("plain.png"), 2);
    QString error;
    EXPECT_FALSE(writeSheetFile(sheet, dir.filePath("no/such/folder/x.png"), &error));
    EXPECT_FALSE(error.isEmpty());
}

} // namespace
