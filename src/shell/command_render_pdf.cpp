#include "shell/command_render_pdf.h"

#include "render/calibration.h"
#include "render/printing.h"
#include "shell/command_session.h"

#include <QPageSize>
#include <QSaveFile>

namespace {

const QString kOut = QStringLiteral("--out");

} // namespace

bool rendersPdf(const QStringList& args)
{
    const int out = args.indexOf(kOut);
    return out >= 0 && out + 1 < args.size() && args.at(out + 1).endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

int renderPdfCommand(const QStringList& args, QString& problem)
{
    CommandArgs parsed;
    bool back = true;
    int copies = 1;
    problem = parseCommandArgs(args, {QStringLiteral("--side"), kOut, QStringLiteral("--copies"), QStringLiteral("--paper")},
                               {}, parsed);
    if (problem.isEmpty())
        problem = parseSideOption(parsed, back);
    if (problem.isEmpty())
        problem = parseCopiesOption(parsed, copies);
    QPageSize paper(QPageSize::A4);
    const QString paperName = parsed.values.value(QStringLiteral("--paper"), QStringLiteral("A4"));
    if (paperName.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
        paper = QPageSize(QPageSize::Letter);
    else if (problem.isEmpty() && paperName.compare(QLatin1String("A4"), Qt::CaseInsensitive) != 0)
        problem = QStringLiteral("--paper must be A4 or Letter");
    if (!problem.isEmpty())
        return kCommandUsageError;

    CommandSession session;
    if (const int failed = openForPrinting(session, parsed.cover, back))
        return failed;
    CoverDocument& doc = session.doc();
    const QString out = parsed.values.value(kOut);
    // The file appears whole or not at all.
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly))
        return commandFailure(QStringLiteral("The PDF could not be written to %1: %2").arg(out, file.errorString()));
    // PDF files are for any printer: never corrected for one.
    if (!PrintToPdf(doc, back ? Sheet::Back : Sheet::Front, file, copies, paper, PrinterCalibration())
        || !file.commit())
        return commandFailure(QStringLiteral("The PDF could not be written to %1: %2").arg(out, file.errorString()));
    return 0;
}
