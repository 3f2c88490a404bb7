#include "render/printing.h"

#include "document/cover_document.h"
#include "platform/dialogs.h"
#include "platform/print_device.h"
#include "render/back_renderer.h"
#include "render/calibration.h"
#include "render/counter_text.h"
#include "render/drawing_surface.h"
#include "render/front_renderer.h"
#include "shell/language.h"
#include "shell/progress.h"

#include <QFileInfo>
#include <QPagedPaintDevice>
#include <QPdfWriter>

namespace {

// The error number of a printer that fails outside the copies property.
constexpr int kPrinterError = 482;

QString& counterStart(CoverDocument& doc, Sheet sheet)
{
    return sheet == Sheet::Back ? doc.CountFrom : doc.CountFrom2;
}

int counterOn(const CoverDocument& doc, Sheet sheet)
{
    return sheet == Sheet::Back ? doc.Counter : doc.Counter2;
}

void trace(const char* line)
{
    ShowInLog(QString::fromLatin1(line));
}

// Printing leaves the cover as it found it, however it ends: the counter start text (which
// the copies step) and the saved flag (which every drawing clears).
class CoverRestore {
public:
    CoverRestore(CoverDocument& doc, Sheet sheet, const std::function<void(Sheet)>& changed)
        : m_doc(doc), m_sheet(sheet), m_changed(changed), m_text(counterStart(doc, sheet)), m_saved(doc.saved)
    {
    }
    ~CoverRestore()
    {
        QString& text = counterStart(m_doc, m_sheet);
        if (text != m_text) {
            text = m_text;
            if (m_changed)
                m_changed(m_sheet);
        }
        m_doc.saved = m_saved;
    }
    CoverRestore(const CoverRestore&) = delete;
    CoverRestore& operator=(const CoverRestore&) = delete;

private:
    CoverDocument& m_doc;
    Sheet m_sheet;
    const std::function<void(Sheet)>& m_changed;
    QString m_text;
    bool m_saved;
};

QString errorText(int number, const QString& description)
{
    return Lang(LangSection::Messages, 4) + QString::number(number) + QStringLiteral("\n") + description;
}

// The message of a printer that failed; the back's title has a space before the error word.
void showPrinterFailure(const QString& text, const QString& device, bool spacedTitle)
{
    const QString title = QStringLiteral("Device : ") + device + (spacedTitle ? QStringLiteral(" ") : QString())
                          + Lang(LangSection::Messages, 14);
    MsgBox(text, MsgIcon::Critical, MsgButtons::Ok, title);
}

// Asks the printer for single pages, the program making the copies; false when printing
// is to stop.
bool setSingleCopy(PrintDevice& printer, Sheet sheet)
{
    const bool back = sheet == Sheet::Back;
    QString description;
    switch (printer.setSingleCopy(&description)) {
    case SingleCopyResult::Done:
        return true;
    case SingleCopyResult::NotSupported:
        trace("Error \"Unable to set copies property, driver don't support it!\"");
        trace("Skipping \"Set Printer Copies\" and continues..");
        return true;
    case SingleCopyResult::Cancelled:
        if (back)
            trace("Printing was canceled");
        return false;
    case SingleCopyResult::Failed:
        break;
    }
    const QString restart = QStringLiteral("You may need to restart Caseleaf to initialize another printer!");
    const QString text = errorText(kPrinterError, description) + QStringLiteral("\n\n") + restart;
    if (back) {
        trace("************ HALT *************");
        ShowInLog(text + QStringLiteral(" Device : ") + printer.deviceName() + QLatin1Char(' ')
                  + Lang(LangSection::Messages, 14));
    }
    showPrinterFailure(text, printer.deviceName(), back);
    printer.abort();
    return false;
}

// The numeric check of the counter start, done before anything else.
bool counterStartAccepted(CoverDocument& doc, Sheet sheet, const PrintHooks& hooks)
{
    if (isNumericText(counterStart(doc, sheet)))
        return true;
    MsgBox(Lang(LangSection::Messages, 5), MsgIcon::Exclamation, MsgButtons::Ok, Lang(LangSection::Messages, 32));
    if (hooks.refuseCounterStart)
        hooks.refuseCounterStart(sheet);
    return false;
}

// The pages of the job, from opening the printer to ending the document.
void printJob(CoverDocument& doc, Sheet sheet, PrintDevice& printer, int copies, const PrintHooks& hooks)
{
    const bool back = sheet == Sheet::Back;
    PrinterSurface surface(printer.pages());
    if (!surface.isActive()) {
        showPrinterFailure(errorText(kPrinterError, QStringLiteral("The printer \"%1\" could not be opened for printing.")
                                                        .arg(printer.deviceName())),
                           printer.deviceName(), back);
        printer.abort();
        return;
    }
    const PrinterCalibration calibration = printer.calibration();
    if (!calibration.isNone())
        surface.setCorrection(correctionTransform(calibration, printer.pages().logicalDpiX(),
                                                  printer.pages().logicalDpiY()));
    const bool allPages = PrintPages(doc, sheet, surface, copies, hooks.counterChanged);
    if (back)
        trace("Printer EndDoc");
    if (!allPages || !surface.end()) {
        printer.abort();
        showPrinterFailure(errorText(kPrinterError, QStringLiteral("The printer \"%1\" did not take the whole job.")
                                                        .arg(printer.deviceName())),
                           printer.deviceName(), back);
    }
}

void printSheet(CoverDocument& doc, Sheet sheet, PrintDevice& printer, const PrintHooks& hooks)
{
    const bool back = sheet == Sheet::Back;
    if (!counterStartAccepted(doc, sheet, hooks))
        return;
    const CoverRestore restore(doc, sheet, hooks.counterChanged);
    if (back)
        trace("Reset printer object");
    ProcessPendingEvents();
    if (!printer.showPrintDialog())
        return;
    ProcessPendingEvents();
    trace("Reset printer object");
    printer.abort();
    if (!back && printer.isPortrait()) {
        // The front sheet is 250 mm wide: it fits only across landscape paper.
        const MsgResult answer = MsgBox(Lang(LangSection::Messages, 6), MsgIcon::Exclamation,
                                        MsgButtons::YesNoCancel, Lang(LangSection::Messages, 7));
        if (answer == MsgResult::Cancel)
            return;
        if (answer == MsgResult::Yes)
            printer.setLandscape();
    }
    if (back)
        trace("Get Dlg copies");
    const int copies = printer.copies();
    if (back)
        trace("Set Printer copies");
    if (!setSingleCopy(printer, sheet))
        return;
    printJob(doc, sheet, printer, copies, hooks);
}

} // namespace

bool PrintPages(CoverDocument& doc, Sheet sheet, PrinterSurface& surface, int copies,
                const std::function<void(Sheet)>& counterChanged)
{
    const CoverRestore restore(doc, sheet, counterChanged);
    for (int k = 1; k <= copies; ++k) {
        if (sheet == Sheet::Back)
            UpdateBack(doc, surface, true);
        else
            UpdateFront(doc, surface, true);
        if (counterOn(doc, sheet)) {
            QString& start = counterStart(doc, sheet);
            start = nextCounterText(start);
            if (counterChanged)
                counterChanged(sheet);
        }
        if (copies > 1 && sheet == Sheet::Back)
            trace("Printer Newpage");
        // A new page after the last copy would come out as an empty sheet.
        if (k < copies && !surface.newPage())
            return false;
    }
    return true;
}

void PrintBack(CoverDocument& doc, PrintDevice& printer, const PrintHooks& hooks)
{
    printSheet(doc, Sheet::Back, printer, hooks);
}

void PrintFront(CoverDocument& doc, PrintDevice& printer, const PrintHooks& hooks)
{
    printSheet(doc, Sheet::Front, printer, hooks);
}

void PrintCommand(CoverDocument& doc, PrintDevice& printer, const PrintHooks& hooks, bool backTabActive,
                  bool backPrintable, bool frontPrintable)
{
    if (backTabActive) {
        if (backPrintable)
            PrintBack(doc, printer, hooks);
    } else if (frontPrintable) {
        PrintFront(doc, printer, hooks);
    }
}

bool PrintToPdf(CoverDocument& doc, Sheet sheet, QIODevice& out, int copies, const QPageSize& paper,
                const PrinterCalibration& calibration)
{
    QPdfWriter writer(&out);
    writer.setCreator(QStringLiteral("Caseleaf"));
    writer.setTitle(doc.currentFile.isEmpty() ? QStringLiteral("Cover") : QFileInfo(doc.currentFile).completeBaseName());
    writer.setPageLayout(QPageLayout(paper, sheet == Sheet::Back ? QPageLayout::Portrait : QPageLayout::Landscape,
                                     QMarginsF()));
    PrinterSurface surface(writer);
    if (!surface.isActive())
        return false;
    if (!calibration.isNone())
        surface.setCorrection(correctionTransform(calibration, writer.logicalDpiX(), writer.logicalDpiY()));
    return PrintPages(doc, sheet, surface, copies) && surface.end();
}
