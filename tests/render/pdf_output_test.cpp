#include "render/printing.h"

#include "gtest_qt.h"
#include "pdf_pages.h"
#include "render/calibration.h"
#include "render_test_support.h"

#include <QFile>
#include <QPageSize>

#include <tuple>

namespace {

bool isBlueInk(QColor c) { return c.blue() > 200 && c.red() < 80 && c.green() < 80; }
bool isGreenInk(QColor c) { return c.green() > 200 && c.red() < 80 && c.blue() < 80; }

// Where a thin vertical line crosses the row at y (mm), searched between two x (mm).
double verticalLineAt(const QImage& page, double fromX, double toX, double y, const Ink& ink)
{
    return inkBox(page, mmRect(fromX, y, toX, y + 0.1), ink).center().x() / kPxPerMm;
}

double horizontalLineAt(const QImage& page, double x, double fromY, double toY, const Ink& ink)
{
    return inkBox(page, mmRect(x, fromY, x + 0.1, toY), ink).center().y() / kPxPerMm;
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

    // Writes the PDF file; false when that failed.
    bool write(Sheet sheet, int copies, QPageSize::PageSizeId paper = QPageSize::A4,
               const PrinterCalibration& calibration = PrinterCalibration())
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && PrintToPdf(doc, sheet, file, copies, QPageSize(paper), calibration);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("cover.pdf"));
};

TEST_F(PdfOutputTest, PaperAndOrientationFollowTheSheet)
{
    // Sheet, paper, and the page's width and height in mm.
    const std::tuple<Sheet, QPageSize::PageSizeId, double, double> cases[] = {
        {Sheet::Back, QPageSize::A4, 210, 297},
        {Sheet::Front, QPageSize::A4, 297, 210},
        {Sheet::Back, QPageSize::Letter, 215.9, 279.4},
        {Sheet::Front, QPageSize::Letter, 279.4, 215.9},
    };
    for (const auto& [sheet, paper, width, height] : cases) {
        ASSERT_TRUE(write(sheet, 2, paper));
        EXPECT_EQ(pdf::pageCount(path), 2);
        EXPECT_NEAR(pdf::pageSizeMm(path).width(), width, 0.3);
        EXPECT_NEAR(pdf::pageSizeMm(path).height(), height, 0.3);
    }
}

TEST_F(PdfOutputTest, TheBacksCutAndCrullLinesLieAtTheirMillimetresFromTheCorner)
{
    ASSERT_TRUE(write(Sheet::Back, 1));
    const QImage page = pdf::pageImage(path, 1);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(verticalLineAt(page, 3, 7, 60, isBlueInk), 5, 0.1);
    EXPECT_NEAR(verticalLineAt(page, 153, 157, 60, isBlueInk), 155, 0.1);
    EXPECT_NEAR(verticalLineAt(page, 9, 13, 60, isGreenInk), 11, 0.1);
    EXPECT_NEAR(verticalLineAt(page, 147, 151, 60, isGreenInk), 149, 0.1);
    EXPECT_NEAR(horizontalLineAt(page, 80, 3, 7, isBlueInk), 5, 0.1);
    EXPECT_NEAR(horizontalLineAt(page, 80, 121, 125, isBlueInk), 123, 0.1);
    // The marks end with the sheet, at 128 mm.
    EXPECT_TRUE(inkBox(page, mmRect(4, 129, 6, 140), isBlueInk).isEmpty());
}

TEST_F(PdfOutputTest, TheFrontsCutAndFoldLinesLieAtTheirMillimetresFromTheCorner)
{
    ASSERT_TRUE(write(Sheet::Front, 1));
    const QImage page = pdf::pageImage(path, 1);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(verticalLineAt(page, 3, 7, 60, isBlueInk), 5, 0.1);
    EXPECT_NEAR(verticalLineAt(page, 243, 247, 60, isBlueInk), 245, 0.1);
    EXPECT_NEAR(verticalLineAt(page, 123, 127, 60, isGreenInk), 125, 0.1);
    EXPECT_NEAR(horizontalLineAt(page, 80, 3, 7, isBlueInk), 5, 0.1);
    EXPECT_NEAR(horizontalLineAt(page, 80, 123, 127, isBlueInk), 125, 0.1);
}

TEST_F(PdfOutputTest, EachPageCarriesItsCounterAsSearchableText)
{
    ASSERT_TRUE(write(Sheet::Back, 3));
    for (int page = 1; page <= 3; ++page) {
        const QString text = pdf::pageText(path, page);
        EXPECT_TRUE(text.contains(QStringLiteral("Disc %1 of the set").arg(40 + page))) << page;
        EXPECT_TRUE(text.contains(QStringLiteral("Second line")));
        EXPECT_TRUE(text.contains(QStringLiteral("Crull:W13.8 * H11.8 cm.")));
    }
    ASSERT_TRUE(write(Sheet::Front, 2));
    EXPECT_TRUE(pdf::pageText(path, 2).contains(QStringLiteral("Front 42")));
    // Fonts travel with the file.
    const QString fonts = QString::fromUtf8(pdf::tool(QStringLiteral("pdffonts"), {path}));
    EXPECT_TRUE(fonts.contains(QStringLiteral("DejaVuSans")));
    EXPECT_FALSE(fonts.contains(QRegularExpression(QStringLiteral("Identity-H\\s+no")))) << fonts.toStdString();
    EXPECT_EQ(doc.CountFrom2, QStringLiteral("41"));
}

TEST_F(PdfOutputTest, APictureOnEveryPageIsStoredOnce)
{
    doc.BackPicture.image = positionPicture(200, 160);
    // Stretched: the whole picture; cut and centred: a part of it.
    for (const int method : {0, 1, 2, 3}) {
        SCOPED_TRACE(method);
        doc.pMethod = method;
        ASSERT_TRUE(write(Sheet::Back, 4));
        const QStringList objects = pdf::pictureObjects(path);
        ASSERT_EQ(objects.size(), 4);
        EXPECT_EQ(objects.count(objects.first()), 4);
    }
    // The cut placement shows only its part, as on the preview.
    doc.pMethod = 3;
    doc.pCenter = 0;
    ASSERT_TRUE(write(Sheet::Back, 1));
    const QImage page = pdf::pageImage(path, 1);
    expectProbes(page, {{12, 6, 1, 1}, {140, 100, 129, 95}, {8, 60, -1, -1}, {152, 60, -1, -1}}, kWhite, "cut");
}

TEST_F(PdfOutputTest, ACalibrationMovesAndScalesEveryMark)
{
    // The printer puts p at (1 + 1.02 p, -2 + 0.98 p): drawn corrected, the marks land where
    // a correct printer would put them, so in the file they lie at (p - offset) / scale.
    PrinterCalibration c;
    c.offsetX = 1;
    c.offsetY = -2;
    c.scaleX = 1.02;
    c.scaleY = 0.98;
    ASSERT_TRUE(write(Sheet::Back, 2, QPageSize::A4, c));
    for (int pageNumber = 1; pageNumber <= 2; ++pageNumber) {
        const QImage page = pdf::pageImage(path, pageNumber);
        EXPECT_NEAR(verticalLineAt(page, 1, 6, 60, isBlueInk), (5 - 1) / 1.02, 0.1);
        EXPECT_NEAR(verticalLineAt(page, 148, 155, 60, isBlueInk), (155 - 1) / 1.02, 0.1);
        EXPECT_NEAR(horizontalLineAt(page, 80, 5, 9, isBlueInk), (5 + 2) / 0.98, 0.1);
        EXPECT_NEAR(horizontalLineAt(page, 80, 124, 130, isBlueInk), (123 + 2) / 0.98, 0.1);
    }
}

} // namespace
