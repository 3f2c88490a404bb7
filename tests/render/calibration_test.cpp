#include "render/calibration.h"

#include "gtest_qt.h"
#include "pdf_pages.h"
#include "render/drawing_surface.h"
#include "render_test_support.h"

#include <QPageSize>
#include <QPdfWriter>

namespace {

// The middle of a run of pixels, in mm.
double middleMm(int first, int last) { return (first + last + 1) / 2.0 / kPxPerMm; }

TEST(Calibration, FollowsFromWhatTheRulerShows)
{
    // The cross landed 1.5 mm right and 0.5 mm up; the square came out 101 x 99 mm.
    const PrinterCalibration c = calibrationFromMeasurements(21.5, 19.5, 101, 99);
    EXPECT_DOUBLE_EQ(c.scaleX, 1.01);
    EXPECT_DOUBLE_EQ(c.scaleY, 0.99);
    EXPECT_NEAR(c.offsetX, 21.5 - 20 * 1.01, 1e-9);
    EXPECT_NEAR(c.offsetY, 19.5 - 20 * 0.99, 1e-9);
    double x, y, w, h;
    measurementsOf(c, x, y, w, h);
    EXPECT_NEAR(x, 21.5, 1e-9);
    EXPECT_NEAR(y, 19.5, 1e-9);
    EXPECT_NEAR(w, 101, 1e-9);
    EXPECT_NEAR(h, 99, 1e-9);
    EXPECT_TRUE(calibrationFromMeasurements(20, 20, 100, 100).isNone());
}

TEST(Calibration, TheCorrectionPutsEveryPointWhereItWasMeant)
{
    const PrinterCalibration c = calibrationFromMeasurements(21.5, 18, 102, 97);
    const double dpi = 600;
    const QTransform t = correctionTransform(c, dpi, dpi);
    const double px = dpi / 25.4;
    for (const QPointF meant : {QPointF(0, 0), QPointF(5, 5), QPointF(155, 123), QPointF(245, 125)}) {
        const QPointF drawn = t.map(meant * px) / px;
        // What the printer then does to it.
        const QPointF landed(c.offsetX + c.scaleX * drawn.x(), c.offsetY + c.scaleY * drawn.y());
        EXPECT_NEAR(landed.x(), meant.x(), 1e-9);
        EXPECT_NEAR(landed.y(), meant.y(), 1e-9);
    }
}

TEST(Calibration, IsKeptPerPrinterName)
{
    const PrinterCalibration office = calibrationFromMeasurements(21.5, 20, 100, 100);
    const PrinterCalibration home = calibrationFromMeasurements(19, 21, 99.5, 100.5);
    // Names with separators the settings store would otherwise read as groups.
    const QString odd = QStringLiteral("Büro/Etage 2\\Drucker %20");
    saveCalibration(QStringLiteral("office"), office);
    saveCalibration(odd, home);
    EXPECT_EQ(loadCalibration(QStringLiteral("office")), office);
    EXPECT_EQ(loadCalibration(odd), home);
    EXPECT_TRUE(loadCalibration(QStringLiteral("Büro")).isNone());
    EXPECT_TRUE(loadCalibration(QStringLiteral("never calibrated")).isNone());
    // Storing none forgets the printer.
    saveCalibration(QStringLiteral("office"), PrinterCalibration());
    EXPECT_TRUE(loadCalibration(QStringLiteral("office")).isNone());
    EXPECT_EQ(loadCalibration(odd), home);
}

TEST(Calibration, ImplausibleStoredValuesAreIgnored)
{
    for (const PrinterCalibration& wild : {calibrationFromMeasurements(20, 20, 150, 100),
                                          calibrationFromMeasurements(60, 20, 100, 100),
                                          calibrationFromMeasurements(20, 20, 100, -100)}) {
        saveCalibration(QStringLiteral("wild"), wild);
        EXPECT_TRUE(loadCalibration(QStringLiteral("wild")).isNone());
    }
}

TEST(Calibration, TheSheetShowsTheCrossTheSquareAndTheRulers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sheet.pdf"));
    {
        QPdfWriter writer(path);
        writer.setPageSize(QPageSize(QPageSize::A4));
        PrinterSurface surface(writer);
        DrawCalibrationSheet(surface, QStringLiteral("Desk printer"));
    }
    const QImage page = pdf::pageImage(path, 1);
    ASSERT_FALSE(page.isNull());
    // The cross's arms meet at (20, 20).
    const QRect across = inkBox(page, mmRect(13, 18, 27, 22), isBlackInk);
    const QRect down = inkBox(page, mmRect(18, 13, 22, 27), isBlackInk);
    EXPECT_NEAR(middleMm(across.top(), across.bottom()), 20, 0.1);
    EXPECT_NEAR(middleMm(down.left(), down.right()), 20, 0.1);
    // The square's outer edges are 100 mm apart, give or take its line width.
    const QRect square = inkBox(page, mmRect(35, 45, 145, 155), isBlackInk);
    EXPECT_NEAR(square.width() / kPxPerMm, 100, 0.3);
    EXPECT_NEAR(square.height() / kPxPerMm, 100, 0.3);
    // Rulers run along both edges from the corner, numbered every 10 mm.
    EXPECT_FALSE(inkBox(page, mmRect(99.5, 0, 100.5, 5), isBlackInk).isEmpty());
    EXPECT_FALSE(inkBox(page, mmRect(0, 199.5, 5, 200.5), isBlackInk).isEmpty());
    const QString text = pdf::pageText(path, 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Desk printer")));
    EXPECT_TRUE(text.contains(QStringLiteral("150")));
}

} // namespace
