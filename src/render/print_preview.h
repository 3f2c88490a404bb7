#pragma once

#include "render/printing.h"

#include <QDialog>

struct CoverDocument;
class QtPrinter;
class QPrinter;
class QPrintPreviewWidget;
class QSpinBox;
class QComboBox;

// File > Print preview...: the pages of a sheet as they will print on the window's printer,
// one per copy with the counter stepping from copy to copy, through Qt's print preview.
// Changing the copies or the orientation here changes them for the next print too.
class PrintPreviewWindow final : public QDialog {
    Q_OBJECT
public:
    PrintPreviewWindow(CoverDocument& doc, Sheet sheet, QtPrinter& printer, QWidget* owner = nullptr);

    // The pages shown.
    int pageCount() const;

signals:
    // "Print..." was clicked; the window has closed and the sheet is to be printed.
    void printRequested();

private:
    void paintPages(QPrinter* printer);
    void orientationChosen(int index);

    CoverDocument& m_doc;
    Sheet m_sheet;
    QtPrinter& m_printer;
    QPrintPreviewWidget* m_view;
    QSpinBox* m_copies;
    QComboBox* m_orientation;
};
