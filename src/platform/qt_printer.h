#pragma once

#include "platform/print_device.h"

#include <QPrinter>

class QWidget;

// The window program's one printer, kept for the program's life, and its print dialog:
// the printer, paper, orientation and copies chosen are offered again the next time.
class QtPrinter final : public PrintDevice {
public:
    explicit QtPrinter(QWidget* owner = nullptr);
    void setOwner(QWidget* owner) { m_owner = owner; }

    bool showPrintDialog() override;
    int copies() const override { return m_copies; }
    void abort() override;
    SingleCopyResult setSingleCopy(QString* error) override;
    bool isPortrait() const override;
    void setLandscape() override;
    QString deviceName() const override;
    PrinterCalibration calibration() const override;
    QPagedPaintDevice& pages() override { return m_printer; }

private:
    QWidget* m_owner;
    QPrinter m_printer{QPrinter::HighResolution};
    // The copies chosen the last time; the printer itself is set to one copy for printing.
    int m_copies = 0;
};

// Points the printer at the machine's printer of that name; false when there is none.
bool selectPrinter(QPrinter& printer, const QString& name);
