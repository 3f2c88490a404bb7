#include "platform/qt_printer.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinterInfo>

QtPrinter::QtPrinter(QWidget* owner)
    : m_owner(owner)
{
}

bool QtPrinter::showPrintDialog()
{
    if (m_copies > 0)
        m_printer.setCopyCount(m_copies);
    QPrintDialog dialog(&m_printer, m_owner);
    // A cover is one sheet: there are no pages to choose among.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    m_copies = std::max(1, m_printer.copyCount());
    return true;
}

void QtPrinter::abort()
{
    if (m_printer.printerState() == QPrinter::Active)
        m_printer.abort();
}

SingleCopyResult QtPrinter::setSingleCopy(QString* error)
{
    if (m_printer.printerState() == QPrinter::Aborted)
        return SingleCopyResult::Cancelled;
    if (!m_printer.isValid()) {
        if (error)
            *error = QStringLiteral("The printer \"%1\" is not available.").arg(deviceName());
        return SingleCopyResult::Failed;
    }
    if (!m_printer.supportsMultipleCopies())
        return SingleCopyResult::NotSupported;
    m_printer.setCopyCount(1);
    return SingleCopyResult::Done;
}

bool QtPrinter::isPortrait() const
{
    return m_printer.pageLayout().orientation() == QPageLayout::Portrait;
}

void QtPrinter::setLandscape()
{
    m_printer.setPageOrientation(QPageLayout::Landscape);
}

QString QtPrinter::deviceName() const
{
    return m_printer.outputFormat() == QPrinter::PdfFormat ? m_printer.outputFileName() : m_printer.printerName();
}

PrinterCalibration QtPrinter::calibration() const
{
    // A PDF file has no printer that could misplace its pages.
    if (m_printer.outputFormat() == QPrinter::PdfFormat)
        return PrinterCalibration();
    return loadCalibration(m_printer.printerName());
}

bool selectPrinter(QPrinter& printer, const QString& name)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(name);
    if (info.isNull())
        return false;
    printer.setPrinterName(info.printerName());
    return true;
}
