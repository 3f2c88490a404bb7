#include "render/printing.h"

#include "gtest_qt.h"
#include "pdf_pages.h"
#include "render/calibration.h"
#include "render_test_support.h"

namespace {

bool isGreenInk(QColor c) { return c.green() > 200 && c.red() < 80 && c.blue() < 80; }

// A mark: a vertical line (crossing y = 60 mm) or a horizontal one (crossing x = 80 mm),
// in the blue of the cut lines or the green of the folds, and the millimetre it is meant for.
struct Mark { bool vertical, cut; double mm; };

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

// Each sheet on its paper, a page per copy with its counter as searchable text in embedded
// fonts, and its marks where a printer puts them once corrected. Letter paper is checked
// through the command line.
TEST_F(PdfOutputTest, EachSheetOnItsPaperWithItsMarksAndCounters)
{
    // This printer puts p at (1 + 1.02 p, -2 + 0.98 p): in the file a mark meant for p lies at
    // (p - offset) / scale, so that it lands on p.
    const PrinterCalibration skewed = calibrationFromMeasurements(1 + 20 * 1.02, -2 + 20 * 0.98, 102, 98);
    const std::vector<Mark> backMarks{{true, true, 5},  {true, true, 155}, {true, false, 11},
                                      {true, false, 149}, {false, true, 5}, {false, true, 123}};
    const struct { Sheet sheet; PrinterCalibration calibration; QSizeF paper; std::vector<Mark> marks; const char* text; }
        rows[] = {
        {Sheet::Front, {}, {297, 210}, {{true, true, 5}, {true, true, 245}, {true, false, 125}, {false, true, 5},
                                         {false, true, 125}}, "Front %1"},
        {Sheet::Back, skewed, {210, 297}, backMarks, "Disc %1 of the set\nSecond line"},
        {Sheet::Back, {}, {210, 297}, backMarks, "Disc %1 of the set\nSecond line"},
    };
    for (const auto& [sheet, calibration, paper, marks, text] : rows) {
        ASSERT_TRUE(write(sheet, 2, calibration));
        EXPECT_EQ(pdf::pageCount(path), 2);
        EXPECT_NEAR(pdf::pageSizeMm(path).width(), paper.width(), 0.3);
        EXPECT_NEAR(pdf::pageSizeMm(path).height(), paper.height(), 0.3);
        for (int page = 1; page <= 2; ++page) {
            const QString shown = pdf::pageText(path, page);
            EXPECT_TRUE(shown.contains(QString::fromUtf8(text).arg(40 + page))) << shown.toStdString();
            EXPECT_TRUE(sheet == Sheet::Front || shown.contains(QStringLiteral("Crull:W13.8 * H11.8 cm.")));
        }
        const QImage page = pdf::pageImage(path, 2);
        for (const Mark& m : marks) {
            const double expected = m.vertical ? (m.mm - calibration.offsetX) / calibration.scaleX
                                               : (m.mm - calibration.offsetY) / calibration.scaleY;
            EXPECT_NEAR(markAt(page, m, expected), expected, 0.1) << m.vertical << " " << m.mm;
        }
    }
    const QString fonts = pdf::tool(QStringLiteral("pdffonts"), {path});
    EXPECT_TRUE(fonts.contains(QStringLiteral("DejaVuSans")));
    EXPECT_FALSE(fonts.contains(QRegularExpression(QStringLiteral("Identity-H\\s+no")))) << fonts.toStdString();
    EXPECT_TRUE(doc.CountFrom == "41" && doc.CountFrom2 == "41");
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

TEST(Calibration, TheCorrectionFromWhatTheRulerShowedPutsEveryPointWhereItWasMeant)
{
    // The cross landed 1.5 mm right and 2 mm up; the square came out 102 x 97 mm.
    const PrinterCalibration c = calibrationFromMeasurements(21.5, 18, 102, 97);
    EXPECT_TRUE(calibrationFromMeasurements(20, 20, 100, 100).isNone());
    const double px = 600 / 25.4;
    const QTransform t = correctionTransform(c, 600, 600);
    for (const QPointF meant : {QPointF(0, 0), QPointF(5, 5), QPointF(155, 123), QPointF(245, 125)}) {
        const QPointF drawn = t.map(meant * px) / px;
        // Where this printer puts what is drawn there.
        EXPECT_NEAR(c.offsetX + c.scaleX * drawn.x(), meant.x(), 1e-9);
        EXPECT_NEAR(c.offsetY + c.scaleY * drawn.y(), meant.y(), 1e-9);
    }
}

TEST(Calibration, IsKeptPerPrinterNameAndImplausibleValuesAreIgnored)
{
    const PrinterCalibration office = calibrationFromMeasurements(21.5, 20, 100, 100);
    const PrinterCalibration home = calibrationFromMeasurements(19, 21, 99.5, 100.5);
    // A name with separators the settings store would otherwise read as groups.
    const QString odd = QStringLiteral("Büro/Etage 2\\Drucker %20");
    saveCalibration(QStringLiteral("office"), office);
    saveCalibration(odd, home);
    EXPECT_EQ(loadCalibration(QStringLiteral("office")), office);
    EXPECT_EQ(loadCalibration(odd), home);
    EXPECT_TRUE(loadCalibration(QStringLiteral("Büro")).isNone());
    saveCalibration(QStringLiteral("office"), PrinterCalibration()); // storing none forgets it
    EXPECT_TRUE(loadCalibration(QStringLiteral("office")).isNone());
    for (const PrinterCalibration& wild : {calibrationFromMeasurements(20, 20, 150, 100),
                                          calibrationFromMeasurements(60, 20, 100, 100),
                                          calibrationFromMeasurements(20, 20, 100, -100)}) {
        saveCalibration(odd, wild);
        EXPECT_TRUE(loadCalibration(odd).isNone());
    }
}

TEST(Calibration, TheSheetShowsTheCrossTheSquareAndTheRulers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    {
        QPdfWriter writer(path);
        PrinterSurface surface(writer);
        DrawCalibrationSheet(surface, QStringLiteral("Desk printer"));
    }
    const QImage page = pdf::pageImage(path, 1);
    const auto middleMm = [](int first, int last) { return (first + last + 1) / 2.0 / kPxPerMm; };
    const QRect across = inkBox(page, mmRect(13, 18, 27, 22), isBlackInk);
    const QRect down = inkBox(page, mmRect(18, 13, 22, 27), isBlackInk);
    EXPECT_NEAR(middleMm(across.top(), across.bottom()), 20, 0.1);
    EXPECT_NEAR(middleMm(down.left(), down.right()), 20, 0.1);
    // The square's outer edges are 100 mm apart, give or take its line width.
    const QRect square = inkBox(page, mmRect(35, 45, 145, 155), isBlackInk);
    EXPECT_NEAR(square.width() / kPxPerMm, 100, 0.3);
    EXPECT_NEAR(square.height() / kPxPerMm, 100, 0.3);
    // Rulers along both edges from the corner.
    EXPECT_FALSE(inkBox(page, mmRect(99.5, 0, 100.5, 5), isBlackInk).isEmpty() || inkBox(page, mmRect(0, 199.5, 5, 200.5), isBlackInk).isEmpty());
}

} // namespace
