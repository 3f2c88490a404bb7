#pragma once

#include <QString>

#include <functional>

struct CoverDocument;
class PrintDevice;
class PrinterSurface;

enum class Sheet { Back, Front };

// The editor's part in printing.
struct PrintHooks {
    // The sheet's counter start is not a number: tick its counter box and select its field.
    std::function<void(Sheet)> refuseCounterStart;
    // The sheet's counter start text changed (stepped for the next copy, or restored
    // afterwards): its field shows the new text and the preview follows.
    std::function<void(Sheet)> counterChanged;
};

// Prints copies of the back or front sheet on the printer chosen in the print dialog, one
// page per copy, the counter stepping from copy to copy. Afterwards the counter start and
// the saved flag are as they were: printing does not change the cover.
void PrintBack(CoverDocument& doc, PrintDevice& printer, const PrintHooks& hooks);
void PrintFront(CoverDocument& doc, PrintDevice& printer, const PrintHooks& hooks);

// File > Print...: the sheet of the active tab, if it may be printed now (not while one
// of its texts is being edited).
void PrintCommand(CoverDocument& doc, PrintDevice& printer, const PrintHooks& hooks, bool backTabActive,
                  bool backPrintable, bool frontPrintable);

// Draws copies of a sheet on a surface that is painting, a page each with no page after
// the last, the counter stepping between copies as printing does. The counter start text
// and the saved flag are restored before it returns. False when the device would not
// start another page (nothing more is drawn then).
bool PrintPages(CoverDocument& doc, Sheet sheet, PrinterSurface& surface, int copies,
                const std::function<void(Sheet)>& counterChanged = {});

struct PrinterCalibration;
class QIODevice;
class QPageSize;

// Writes copies of a sheet as a PDF document into out, a page each at true size from the
// paper's top-left corner: portrait paper for the back, landscape for the front. Text
// stays text and lines stay lines. False when the PDF could not be written.
bool PrintToPdf(CoverDocument& doc, Sheet sheet, QIODevice& out, int copies, const QPageSize& paper,
                const PrinterCalibration& calibration);
