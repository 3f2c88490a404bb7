#pragma once

#include "gtest_qt.h"
#include "platform/print_device.h"

// A printer whose dialog answers from a script, whose pages go into a PDF file and which
// counts the page breaks asked of it.
class ScriptedPrinter final : public PrintDevice, public QPdfWriter {
public:
    ScriptedPrinter(const QString& pdf, bool portrait) : QPdfWriter(pdf)
    {
        setPageOrientation(portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    }
    bool acceptDialog = true;
    int chosenCopies = 1;
    SingleCopyResult singleCopy = SingleCopyResult::Done;
    PrinterCalibration correction;
    int newPages = 0;

    bool showPrintDialog() override { return acceptDialog; }
    int copies() const override { return chosenCopies; }
    void abort() override {}
    SingleCopyResult setSingleCopy(QString* error) override
    {
        *error = QStringLiteral("Out of paper");
        return singleCopy;
    }
    bool isPortrait() const override { return pageLayout().orientation() == QPageLayout::Portrait; }
    void setLandscape() override { setPageOrientation(QPageLayout::Landscape); }
    QString deviceName() const override { return QStringLiteral("Desk printer"); }
    PrinterCalibration calibration() const override { return correction; }
    QPagedPaintDevice& pages() override { return *this; }
    bool newPage() override
    {
        ++newPages;
        return QPdfWriter::newPage();
    }
};
