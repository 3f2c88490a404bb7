#include "platform/printers.h"

#include <QFontDatabase>
#include <QPrinterInfo>

QStringList SystemPrinters::printerNames() const
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    // Printing to a PDF file needs no installed printer, like the PDF printer of current Windows.
    names << QStringLiteral("Print to PDF");
    return names;
}

QStringList SystemPrinters::fontFamilies() const
{
    QStringList families = QFontDatabase::families();
    families.sort(Qt::CaseInsensitive);
    return families;
}
