#pragma once

#include <QString>
#include <QTransform>

class DrawingSurface;

// How a printer misplaces its pages: what is meant for the point p (millimetres from the
// paper's top-left corner) lands at offset + scale * p.
struct PrinterCalibration {
    double offsetX = 0;
    double offsetY = 0;
    double scaleX = 1;
    double scaleY = 1;

    bool isNone() const { return offsetX == 0 && offsetY == 0 && scaleX == 1 && scaleY == 1; }
    bool operator==(const PrinterCalibration& o) const
    {
        return offsetX == o.offsetX && offsetY == o.offsetY && scaleX == o.scaleX && scaleY == o.scaleY;
    }
};

// The calibration sheet: a cross meant for (20, 20) mm and a square of 100 mm sides.
namespace calibrationsheet {
constexpr double kCross = 20;
constexpr double kSquareLeft = 40;
constexpr double kSquareTop = 50;
constexpr double kSquareSide = 100;
// Measurements outside these ranges are typing mistakes, not a printer's error.
constexpr double kMaxCrossError = 15;
constexpr double kMaxScaleError = 0.1;
} // namespace calibrationsheet

// From what a ruler shows on the printed calibration sheet: where the cross landed and
// how long the square's sides came out.
PrinterCalibration calibrationFromMeasurements(double crossX, double crossY, double squareWidth,
                                               double squareHeight);
// Where the cross landed and the square's sides with this calibration: what was entered.
void measurementsOf(const PrinterCalibration& c, double& crossX, double& crossY, double& squareWidth,
                    double& squareHeight);

// The transform of device pixels that undoes the calibration on a device with the given
// resolution: drawn through it, a point meant for p lands at p.
QTransform correctionTransform(const PrinterCalibration& c, double dpiX, double dpiY);

// Per printer name in the per-user settings; a printer never calibrated has none.
PrinterCalibration loadCalibration(const QString& printer);
// Storing no calibration removes the printer's entry.
void saveCalibration(const QString& printer, const PrinterCalibration& c);

// Draws the calibration sheet from the paper's corner: the cross, the square, millimetre
// rulers along the top and left edges and how to measure them.
void DrawCalibrationSheet(DrawingSurface& surface, const QString& printer);
