#include "render/calibration.h"

#include "gtest_qt.h"
#include "pdf_pages.h"
#include "render/drawing_surface.h"
#include "render_test_support.h"

#include <QPdfWriter>

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
