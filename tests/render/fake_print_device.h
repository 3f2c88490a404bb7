#pragma once

#include "platform/print_device.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

// A PDF writer that counts the page breaks asked of it.
class CountingPdfWriter final : public QPdfWriter {
public:
    using QPdfWriter::QPdfWriter;
    bool newPage() override
    {
        ++newPages;
        return QPdfWriter::newPage();
    }
    int newPages = 0;
};

// A printer whose dialog answers from a script and whose pages go into a PDF file.
class FakePrintDevice final : public PrintDevice {
public:
    explicit FakePrintDevice(const QString& pdf)
        : writer(pdf)
    {
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Portrait);
    }

    // The script.
    bool acceptDialog = true;
    int chosenCopies = 1;
    SingleCopyResult singleCopy = SingleCopyResult::Done;
    QString failure = QStringLiteral("Out of paper");
    PrinterCalibration correction;
    // What happened.
    int dialogs = 0;
    int aborts = 0;
    CountingPdfWriter writer;

    bool showPrintDialog() override
    {
        ++dialogs;
        return acceptDialog;
    }
    int copies() const override { return chosenCopies; }
    void abort() override { ++aborts; }
    SingleCopyResult setSingleCopy(QString* error) override
    {
        if (singleCopy == SingleCopyResult::Failed && error)
            *error = failure;
        return singleCopy;
    }
    bool isPortrait() const override { return writer.pageLayout().orientation() == QPageLayout::Portrait; }
    void setLandscape() override { writer.setPageOrientation(QPageLayout::Landscape); }
    QString deviceName() const override { return QStringLiteral("Desk printer"); }
    PrinterCalibration calibration() const override { return correction; }
    QPagedPaintDevice& pages() override { return writer; }
};
