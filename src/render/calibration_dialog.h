#pragma once

#include "render/calibration.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;

// Settings > Printer calibration...: pick a printer, print the calibration sheet on it and
// enter what a ruler shows on it; saving stores the printer's offset and scale in the
// per-user settings, where every later print on that printer finds them.
class CalibrationDialog final : public QDialog {
    Q_OBJECT
public:
    // printSheet prints the calibration sheet on the named printer and says whether it could.
    CalibrationDialog(const QStringList& printers, std::function<bool(const QString&)> printSheet,
                      QWidget* parent = nullptr);

private:
    void printerChosen();
    void showCorrection();
    PrinterCalibration entered() const;

    std::function<bool(const QString&)> m_printSheet;
    QComboBox* m_printers;
    QPushButton* m_print;
    QDoubleSpinBox* m_crossX;
    QDoubleSpinBox* m_crossY;
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_height;
    QLabel* m_correction;
    QPushButton* m_save;
};

// Prints the calibration sheet, uncorrected, on the machine's printer of that name.
bool PrintCalibrationSheet(const QString& printer);
