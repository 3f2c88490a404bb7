#pragma once

#include <QStringList>

// The installed printers and the fonts they print with, behind an interface so that
// tests can stand for a machine without printers.
class PrinterCatalog {
public:
    virtual ~PrinterCatalog() = default;
    virtual QStringList printerNames() const = 0;
    // The font families a cover can be printed with, sorted.
    virtual QStringList fontFamilies() const = 0;
};

// The name under which the PDF file printer is listed.
inline const QString kPdfPrinterName = QStringLiteral("Print to PDF");

// The printers of this machine plus the PDF file printer, which always exists.
class SystemPrinters final : public PrinterCatalog {
public:
    QStringList printerNames() const override;
    QStringList fontFamilies() const override;
};

// Fixed lists, for tests.
class ListedPrinters final : public PrinterCatalog {
public:
    ListedPrinters(QStringList printers, QStringList fonts)
        : m_printers(std::move(printers))
        , m_fonts(std::move(fonts))
    {
    }
    QStringList printerNames() const override { return m_printers; }
    QStringList fontFamilies() const override { return m_fonts; }

private:
    QStringList m_printers;
    QStringList m_fonts;
};
