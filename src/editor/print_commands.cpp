// The editor's printing commands: print, preview and calibrate through the installed printer.

#include "editor/editor_window.h"

#include "platform/print_device.h"
#include "platform/printers.h"
#include "render/calibration_dialog.h"
#include "render/print_preview.h"

#include <QPagedPaintDevice>

bool EditorWindow::currentSheetPrintable() const
{
    return currentSheet() == Sheet::Back ? backPrintable() : frontPrintable();
}

void EditorWindow::printCommand()
{
    if (PrintDevice* printer = installedPrintDevice())
        PrintCommand(m_document, *printer, printHooks(), currentSheet() == Sheet::Back, backPrintable(),
                     frontPrintable());
}

void EditorWindow::printPreviewCommand()
{
    PrintDevice* printer = installedPrintDevice();
    if (!printer || !currentSheetPrintable())
        return;
    PrintPreviewWindow preview(m_document, currentSheet(), printer->pages().pageLayout(), printer->copies(), this);
    if (preview.exec() == QDialog::Accepted)
        printCommand();
}

void EditorWindow::calibrationCommand()
{
    // A PDF file has no printer to correct.
    QStringList printers = m_printers.printerNames();
    printers.removeAll(kPdfPrinterName);
    CalibrationDialog dialog(printers, &PrintCalibrationSheet, this);
    dialog.exec();
}
