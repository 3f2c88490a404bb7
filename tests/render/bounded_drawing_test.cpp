#include "render/back_renderer.h"
#include "render/counter_text.h"
#include "render/display_lines.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"
#include "render_test_support.h"

#include "gtest_qt.h"

namespace {

// A sheet recorded instead of painted: what it holds is what was drawn.
class RecordedSheet final : public DrawingSurface {
public:
    explicit RecordedSheet(const QSizeF& mm) : DrawingSurface(m_picture, 72, 72)
    {
        m_picture.setBoundingRect(QRect(0, 0, int(mm.width() * 72 / 25.4), int(mm.height() * 72 / 25.4)));
        m_painter.begin(&m_picture);
    }
    void clear() override {}
    QPainter& deviceContext() override { return m_painter; }
    qsizetype recordedBytes()
    {
        m_painter.end();
        return m_picture.size();
    }

private:
    QPicture m_picture;
    QPainter m_painter;
};

// Every text far longer than a sheet shows: a million lines, millions of characters, a
// million "%c" each standing for 2047 characters.
CoverDocument overlongCover()
{
    CoverDocument doc;
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
    EXPECT_EQ(withCounter(QStringLiteral("%c/%c"), 1, QStringLiteral("12")), QStringLiteral("12/12"));
}

// Laid out a piece at a time and only as far as asked, a text still breaks exactly where
// laying it out whole breaks it.
TEST(BoundedDrawing, LinesAreMadeOnlyAsFarAsAskedAndBreakAsWhenLaidOutWhole)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(9);
    QString paragraph;
    for (int i = 0; paragraph.size() < 13000; ++i)
        paragraph += QString(1 + i * 7 % 13, QChar(u'a' + i % 26)) + QString(1 + i % 2, QLatin1Char(' '));
    QFont layoutFont(font);
    layoutFont.setHintingPreference(QFont::PreferNoHinting);
    QImage device(1, 1, QImage::Format_RGB32);
    device.setDotsPerMeterX(100000);
    device.setDotsPerMeterY(100000);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setUseDesignMetrics(true);
    for (const double width : {20.0, 118.0}) {
        QTextLayout whole(paragraph, layoutFont, &device);
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
    const QString text = QStringLiteral("a\r\nb\nc\rd\r\n").repeated(1000000);
    EXPECT_EQ(displayLines(text, font, 100, 6), QStringList({"a", "b", "c", "d", "a", "b"}));
    EXPECT_EQ(displayLines(QString(5000000, QLatin1Char('W')), font, 100, 3).size(), 3);
}

// Only what starts on the sheet is drawn, and leaving the rest out changes no pixel.
TEST(BoundedDrawing, SheetsDrawOnlyWhatFitsOnThemAndLookTheSame)
{
    app::viewEnabled = true;
    const CoverDocument full = overlongCover();
    CoverDocument cut = full;
    cut.Contents = full.Contents.left(400);
    cut.FrontText1 = full.FrontText1.left(20000);
    cut.FrontText2 = full.FrontText2.left(20000);
    cut.Text = full.Text.left(4000);
    for (const bool back : {true, false}) {
        const QSizeF sheet = back ? QSizeF(backsheet::kWidth, backsheet::kHeight)
                                  : QSizeF(frontsheet::kWidth, frontsheet::kHeight);
        const auto draw = [&](CoverDocument doc, DrawingSurface& surface) {
            back ? UpdateBack(doc, surface, false) : UpdateFront(doc, surface, false);
        };
        RecordedSheet recorded(sheet);
        draw(full, recorded);
        // Some 60 lines of at most 4096 characters, and the note numbers.
        const qsizetype bytes = recorded.recordedBytes();
        EXPECT_TRUE(bytes > 20000 && bytes < 2 * 1024 * 1024) << back << " " << bytes;
        ImageSurface fullImage(sheet, 96);
        ImageSurface cutImage(sheet, 96);
        draw(full, fullImage);
        draw(cut, cutImage);
        EXPECT_EQ(fullImage.image(), cutImage.image()) << back;
    }
}

} // namespace
