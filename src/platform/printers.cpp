#include "platform/printers.h"

#include "document/font_matching.h"

#include <QPrinterInfo>

QStringList SystemPrinters::printerNames() const
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    // Printing to a PDF file needs no installed printer, like the PDF printer of current Windows.
    names << kPdfPrinterName;
    return names;
}

QStringList SystemPrinters::fontFamilies() const
{
    return standardFontList();
}
