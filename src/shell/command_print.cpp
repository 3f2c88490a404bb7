#include "shell/command_print.h"

#include "render/calibration.h"
#include "render/printing.h"
#include "shell/command_session.h"
#include "shell/language.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <cstdio>

namespace {

// The print queue of that name, or the default one for an empty name; empty when there
// is no such queue.
QString findQueue(const QString& name)
{
    const QByteArray wanted = name.toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : wanted.constData(), nullptr);
    if (!dest)
        return QString();
    const QString found = QString::fromLocal8Bit(dest->name);
    cupsFreeDests(1, dest);
    return found;
}

// True-size pages must not be shrunk to the printer's printable area on the way.
int sendToQueue(const QString& queue, const QString& pdf, const QString& title)
{
    cups_option_t* options = nullptr;
    int count = cupsAddOption("print-scaling", "none", 0, &options);
    count = cupsAddOption("fit-to-page", "false", count, &options);
    const int job = cupsPrintFile(queue.toLocal8Bit().constData(), QFile::encodeName(pdf).constData(),
                                  title.toLocal8Bit().constData(), count, options);
    cupsFreeOptions(count, options);
    return job;
}

} // namespace

int printCommand(const QStringList& args, QString& problem)
{
    CommandArgs parsed;
    bool back = true;
    int copies = 1;
    const QString noCalibration = QStringLiteral("--no-calibration");
    problem = parseCommandArgs(args, {QStringLiteral("--side"), QStringLiteral("--printer"), QStringLiteral("--copies")},
                               {noCalibration}, parsed);
    if (problem.isEmpty())
        problem = parseSideOption(parsed, back);
    if (problem.isEmpty())
        problem = parseCopiesOption(parsed, copies);
    if (!problem.isEmpty())
        return kCommandUsageError;

    // The session loads the language the messages come from.
    CommandSession session;
    const QString wanted = parsed.values.value(QStringLiteral("--printer"));
    const QString queue = findQueue(wanted);
    if (queue.isEmpty())
        return commandFailure(wanted.isEmpty() ? Lang(LangSection::Messages, 51)
                                               : QStringLiteral("There is no printer \"%1\".").arg(wanted));
    if (const int failed = openForPrinting(session, parsed.cover, back))
        return failed;
    CoverDocument& doc = session.doc();

    const QPageSize queuePaper = QPrinterInfo::printerInfo(queue).defaultPageSize();
    const QPageSize paper = queuePaper.isValid() ? queuePaper : QPageSize(QPageSize::A4);
    const PrinterCalibration calibration =
        parsed.flags.contains(noCalibration) ? PrinterCalibration() : loadCalibration(queue);
    QTemporaryFile pdf;
    if (!pdf.open() || !PrintToPdf(doc, back ? Sheet::Back : Sheet::Front, pdf, copies, paper, calibration)
        || !pdf.flush())
        return commandFailure(QStringLiteral("The pages could not be made ready for printing: %1").arg(pdf.errorString()));
    const QString title = QFileInfo(parsed.cover).completeBaseName() + (back ? QStringLiteral(" (back)")
                                                                             : QStringLiteral(" (front)"));
    const int job = sendToQueue(queue, pdf.fileName(), title);
    if (job == 0)
        return commandFailure(QStringLiteral("The printer \"%1\" did not take the job: %2")
                                  .arg(queue, QString::fromLocal8Bit(cupsLastErrorString())));
    std::printf("%s\n", QStringLiteral("%1 page(s) sent to \"%2\" as job %3.").arg(copies).arg(queue).arg(job)
                            .toLocal8Bit().constData());
    return 0;
}
