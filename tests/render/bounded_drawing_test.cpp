#include "render/back_renderer.h"
#include "render/counter_text.h"
#include "render/display_lines.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"
#include "render_test_support.h"

#include "gtest_qt.h"

#include <QPaintEngine>
#include <QTextLayout>
#include <QTextItem>

#include <gtest/gtest.h>

#include <functional>

namespace {

// A page that only counts what is drawn on it: each text run and its length.
class CountingEngine final : public QPaintEngine {
public:
    CountingEngine() : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawTextItem(const QPointF&, const QTextItem& item) override
    {
        ++texts;
        longest = std::max<qsizetype>(longest, item.text().size());
    }
    Type type() const override { return User; }
    int texts = 0;
    qsizetype longest = 0;
};

class CountingDevice final : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    mutable CountingEngine engine;

protected:
    int metric(PaintDeviceMetric m) const override
    {
        switch (m) {
        case PdmWidth: return int(250 * kPxPerMm);
        case PdmHeight: return int(130 * kPxPerMm);
        case PdmWidthMM: return 250;
        case PdmHeightMM: return 130;
        case PdmDpiX: case PdmDpiY: case PdmPhysicalDpiX: case PdmPhysicalDpiY: return int(kTestDpi);
        case PdmDepth: return 32;
        case PdmNumColors: return INT_MAX;
        case PdmDevicePixelRatio: return 1;
        case PdmDevicePixelRatioScaled: return int(devicePixelRatioFScale());
        }
        return 0;
    }
};

class CountingSurface final : public DrawingSurface {
public:
    explicit CountingSurface(CountingDevice& device) : DrawingSurface(device, kTestDpi, kTestDpi), m_painter(&device) {}
    void clear() override {}
    QPainter& deviceContext() override { return m_painter; }

private:
    QPainter m_painter;
};

// A cover whose every text is far more than any sheet shows.
CoverDocument overlongCover()
{
    CoverDocument doc;
    doc.Fontname = doc.Fontname2 = doc.FrontFont = doc.FrontFont2 = QStringLiteral("Arial");
    doc.Fontsize = doc.Fontsize2 = doc.FrontFontSize = doc.FrontFontSize2 = QStringLiteral("6");
    doc.Counter = doc.Counter2 = doc.sfText = doc.sfText2 = doc.WriteLines = doc.LineNumbers = 1;
    doc.CountFrom = doc.CountFrom2 = QString(2047, QLatin1Char('9'));
    doc.Text = QStringLiteral("%c").repeated(1000000);
    doc.Contents = QStringLiteral("%c\r\n").repeated(1000000);
    doc.FrontText1 = QStringLiteral("word ").repeated(2000000);
    doc.FrontText2 = QString(3000000, QLatin1Char('W'));
    doc.LineSpace = QStringLiteral("0.001");
    return doc;
}

TEST(BoundedDrawing, ACounterExpandsOnlyAsFarAsALineCanBeDrawn)
{
    const QString expanded = withCounter(QStringLiteral("a%Cb").repeated(1000000), 1, QString(2047, QLatin1Char('7')));
    ASSERT_EQ(expanded.size(), kMaxDrawnLineLength);
    EXPECT_EQ(expanded.left(2050), QLatin1Char('a') + QString(2047, QLatin1Char('7')) + QStringLiteral("ba"));
    // Short lines are whole, with or without the counter.
    EXPECT_EQ(withCounter(QStringLiteral("%c/%c"), 1, QStringLiteral("12")), QStringLiteral("12/12"));
    EXPECT_EQ(withCounter(QString(5000, QLatin1Char('x')), 0, QString()).size(), kMaxDrawnLineLength);
}

// Laid out a piece at a time, a paragraph still breaks exactly where laying it out whole
// breaks it.
TEST(BoundedDrawing, ALongParagraphBreaksAsWhenLaidOutWhole)
{
    QString paragraph;
    for (int i = 0; paragraph.size() < 13000; ++i)
        paragraph += QString(1 + i * 7 % 13, QChar(u'a' + i % 26)) + (i % 5 ? QStringLiteral(" ") : QStringLiteral("  "));
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    for (const double width : {20.0, 73.5, 118.0}) {
        QFont layoutFont(font);
        layoutFont.setHintingPreference(QFont::PreferNoHinting);
        QImage device(1, 1, QImage::Format_RGB32);
        device.setDotsPerMeterX(100000);
        device.setDotsPerMeterY(100000);
        QTextLayout whole(paragraph, layoutFont, &device);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        option.setUseDesignMetrics(true);
        whole.setTextOption(option);
        whole.beginLayout();
        QStringList expected;
        for (QTextLine line = whole.createLine(); line.isValid(); line = whole.createLine()) {
            line.setLineWidth(width * 100);
            expected << paragraph.mid(line.textStart(), line.textLength());
        }
        whole.endLayout();
        EXPECT_EQ(displayLines(paragraph, font, width), expected) << width;
        EXPECT_EQ(displayLines(paragraph, font, width, 7), expected.mid(0, 7)) << width;
    }
}

TEST(BoundedDrawing, OnlyTheLinesAskedForAreMade)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(6);
    const QString text = QStringLiteral("a\r\nb\nc\rd\r\n").repeated(1000000);
    EXPECT_EQ(displayLines(text, font, 100, 6), QStringList({"a", "b", "c", "d", "a", "b"}));
    EXPECT_EQ(displayLines(QString(5000000, QLatin1Char('W')), font, 100, 3).size(), 3);
    EXPECT_EQ(displayLines(QStringLiteral("x\r\n"), font, 100), QStringList({"x", ""}));
}

// However long the texts, only what starts on the sheet is drawn, and a line no longer
// than a sheet can show.
TEST(BoundedDrawing, BothSheetsDrawOnlyWhatFitsOnThem)
{
    app::viewEnabled = true;
    for (const bool back : {true, false}) {
        SCOPED_TRACE(back ? "back" : "front");
        CoverDocument doc = overlongCover();
        CountingDevice device;
        {
            CountingSurface surface(device);
            back ? UpdateBack(doc, surface, false) : UpdateFront(doc, surface, false);
        }
        // Two captions, two labels, the note numbers (one per millimetre of the half)
        // and some 60 lines of 6 pt type on a 130 mm sheet.
        EXPECT_GT(device.engine.texts, 40);
        EXPECT_LT(device.engine.texts, back ? 80 : 120 + 2 * 80);
        EXPECT_LE(device.engine.longest, kMaxDrawnLineLength);
    }
}

// What is left out is what could not be seen: the sheet looks the same.
TEST(BoundedDrawing, LeavingOutWhatCannotBeSeenChangesNoPixel)
{
    app::viewEnabled = true;
    const auto draw = [](const CoverDocument& cover, bool back) {
        CoverDocument doc = cover;
        ImageSurface surface(back ? QSizeF(backsheet::kWidth, backsheet::kHeight)
                                  : QSizeF(frontsheet::kWidth, frontsheet::kHeight), 96);
        back ? UpdateBack(doc, surface, false) : UpdateFront(doc, surface, false);
        return surface.image();
    };
    const CoverDocument full = overlongCover();
    CoverDocument cut = full;
    cut.Contents = full.Contents.left(400);
    cut.FrontText1 = full.FrontText1.left(20000);
    cut.FrontText2 = full.FrontText2.left(20000);
    cut.Text = full.Text.left(4000);
    EXPECT_EQ(draw(full, true), draw(cut, true));
    EXPECT_EQ(draw(full, false), draw(cut, false));
}

} // namespace
