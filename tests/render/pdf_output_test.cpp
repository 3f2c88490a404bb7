#include "render/printing.h"

#include "gtest_qt.h"
#include "pdf_pages.h"
#include "render/calibration.h"
#include "render_test_support.h"

#include <QFile>
#include <QPageSize>

namespace {

bool isBlueInk(QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; }
bool isGreenInk(QColor c) { return c.green() > 200 && c.red() < 80 && c.blue() < 80; }

// A mark: a vertical line (crossing y = 60 mm) or a horizontal one (crossing x = 80 mm),
// in the blue of the cut lines or the green of the folds, and where it must lie.
struct Mark {
    bool vertical;
    bool cut;
    double mm;
};

// Where the mark lies on the page, looked for within 4 mm of where it is expected.
double markAt(const QImage& page, const Mark& m, double expected)
{
    const Ink ink = m.cut ? Ink(isBlueInk) : Ink(isGreenInk);
    const QRect box = m.vertical ? inkBox(page, mmRect(expected - 4, 60, expected + 4, 60.1), ink)
                                 : inkBox(page, mmRect(80, expected - 4, 80.1, expected + 4), ink);
    return (m.vertical ? box.center().x() : box.center().y()) / kPxPerMm;
}

class PdfOutputTest : public RendererTest {
protected:
    void SetUp() override
    {
        RendererTest::SetUp();
        doc.CutColor = doc.fCutColor = kBlue;
        doc.CrullColor = doc.fCrullColor = kGreen;
        doc.Fontname2 = doc.FrontFont = QStringLiteral("DejaVu Sans");
        doc.Contents = QStringLiteral("Disc %c of the set\r\nSecond line");
        doc.FrontText2 = QStringLiteral("Front %c");
        doc.sfText = 1;
        doc.CountFrom = doc.CountFrom2 = QStringLiteral("41");
    }
    bool write(Sheet sheet, int copies, const PrinterCalibration& calibration = PrinterCalibration())
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && PrintToPdf(doc, sheet, file, copies, QPageSize(QPageSize::A4), calibration);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("cover.pdf"));
};

TEST_F(PdfOutputTest, EachSheetOnItsPaperWithItsMarksAtTheirMillimetres)
{
    // Letter paper is checked through the command line.
    const struct {
        Sheet sheet;
        double width, height;
        std::vector<Mark> marks;
    } rows[] = {
        {Sheet::Back, 210, 297, {{true, true, 5}, {true, true, 155}, {true, false, 11}, {true, false, 149},
                                 {false, true, 5}, {false, true, 123}}},
        {Sheet::Front, 297, 210, {{true, true, 5}, {true, true, 245}, {true, false, 125}, {false, true, 5},
                                  {false, true, 125}}},
    };
    for (const auto& [sheet, width, height, marks] : rows) {
        ASSERT_TRUE(write(sheet, 2));
        EXPECT_EQ(pdf::pageCount(path), 2);
        EXPECT_NEAR(pdf::pageSizeMm(path).width(), width, 0.3);
        EXPECT_NEAR(pdf::pageSizeMm(path).height(), height, 0.3);
        const QImage page = pdf::pageImage(path, 2);
        for (const Mark& m : marks)
            EXPECT_NEAR(markAt(page, m, m.mm), m.mm, 0.1) << m.vertical << " " << m.mm;
    }
}

TEST_F(PdfOutputTest, EachPageCarriesItsCounterAsSearchableTextInEmbeddedFonts)
{
    ASSERT_TRUE(write(Sheet::Back, 3));
    for (int page = 1; page <= 3; ++page) {
        const QString text = pdf::pageText(path, page);
        EXPECT_TRUE(text.contains(QStringLiteral("Disc %1 of the set\nSecond line").arg(40 + page))) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("Crull:W13.8 * H11.8 cm.")));
    }
    const QString fonts = pdf::tool(QStringLiteral("pdffonts"), {path});
    EXPECT_TRUE(fonts.contains(QStringLiteral("DejaVuSans")));
    EXPECT_FALSE(fonts.contains(QRegularExpression(QStringLiteral("Identity-H\\s+no")))) << fonts.toStdString();
    ASSERT_TRUE(write(Sheet::Front, 2));
    EXPECT_TRUE(pdf::pageText(path, 2).contains(QStringLiteral("Front 42")));
    EXPECT_EQ(doc.CountFrom2, QStringLiteral("41"));
}

TEST_F(PdfOutputTest, APictureOnEveryPageIsStoredOnceAndShowsOnlyItsPart)
{
    doc.BackPicture.image = positionPicture(200, 160);
    doc.pCenter = 0;
    // Stretched: the whole picture; cut: a part of it, which must not make a picture per page.
    for (const int method : {0, 1, 2, 3}) {
        doc.pMethod = method;
        ASSERT_TRUE(write(Sheet::Back, 4));
        const QStringList listed = pdf::tool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        ASSERT_EQ(listed.size(), 4) << method;
        for (const QString& line : listed) // the object number, column 11
            EXPECT_EQ(line.simplified().section(QLatin1Char(' '), 10, 10), listed[0].simplified().section(' ', 10, 10));
    }
    // Cut to the crull lines from the picture's corner, as on the preview.
    expectProbes(pdf::pageImage(path, 1), {{12, 6, 1, 1}, {140, 100, 129, 95}, {8, 60, -1, -1}, {152, 60, -1, -1}},
                 kWhite, "cut");
}

TEST_F(PdfOutputTest, ACalibrationMovesAndScalesEveryMarkOnEveryPage)
{
    // The printer puts p at (1 + 1.02 p, -2 + 0.98 p): in the file a mark meant for p lies at
    // (p - offset) / scale, so that it lands on p.
    const PrinterCalibration c = calibrationFromMeasurements(1 + 20 * 1.02, -2 + 20 * 0.98, 102, 98);
    ASSERT_TRUE(write(Sheet::Back, 2, c));
    for (const Mark& m : {Mark{true, true, 5}, Mark{true, true, 155}, Mark{false, true, 5}, Mark{false, true, 123}}) {
        const double expected = m.vertical ? (m.mm - 1) / 1.02 : (m.mm + 2) / 0.98;
        EXPECT_NEAR(markAt(pdf::pageImage(path, 2), m, expected), expected, 0.1) << m.vertical << " " << m.mm;
    }
}

} // namespace
