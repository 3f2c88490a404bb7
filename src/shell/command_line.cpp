#include "shell/command_line.h"

#include "document/cover_document.h"
#include "render/back_renderer.h"
#include "render/drawing_surface.h"
#include "render/front_renderer.h"
#include "render/sheet_file.h"
#include "render/sheet_geometry.h"
#include "shell/command_contents.h"
#include "shell/command_print.h"
#include "shell/command_render_pdf.h"
#include "shell/command_session.h"
#include "shell/command_thumbnail.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kDefaultDpi = 300;
// 1200 dpi keeps the front sheet under 300 MB of pixels.
constexpr int kMaxDpi = 1200;

const char* const kUsage =
    "Usage:\n"
    "  caseleaf render COVER.vrz --side back|front --out FILE.png [--dpi N]\n"
    "      Draws the back (160 x 128 mm) or front (250 x 130 mm) sheet of a cover\n"
    "      at N dots per inch (default 300, at most 1200) into a picture file.\n"
    "  caseleaf render COVER.vrz --side back|front --out FILE.pdf [--copies N]\n"
    "                  [--paper A4|Letter]\n"
    "      Writes N copies (default 1) of the sheet as a PDF document, a page each, at\n"
    "      true size from the paper's top-left corner, the counter %c stepping from\n"
    "      copy to copy. A4 unless Letter is asked for; portrait paper for the back,\n"
    "      landscape for the front.\n"
    "  caseleaf print COVER.vrz --side back|front [--printer NAME] [--copies N]\n"
    "                 [--no-calibration]\n"
    "      Prints N copies (default 1) of the sheet on the print queue NAME (the\n"
    "      default queue without --printer), as printing in the window does, with\n"
    "      the printer's calibration unless --no-calibration is given.\n"
    "  caseleaf convert IN OUT\n"
    "      Opens a cover and saves it again as OUT: a legacy set when OUT ends in\n"
    "      \".vrc\" (OUT.txt and the pictures are written beside it), otherwise a\n"
    "      cover archive (\".vrz\" is added when missing).\n"
    "      IN, and the COVER of render and print, may also be a legacy cover (.vrc,\n"
    "      with its .vrc.txt and pictures beside it).\n"
    "  caseleaf thumbnail IN.vrz OUT.png SIZE\n"
    "      Writes the cover's preview picture, at most SIZE pixels wide and high, as a\n"
    "      PNG file (file managers show covers with it).\n"
    "  caseleaf contents FOLDER [--sizes] [--spacing 22|32|42]\n"
    "      Prints the folder's listing as the contents dialog copies it: its subfolders\n"
    "      (with their total sizes when --sizes is given), then its files with their\n"
    "      sizes, names padded to the spacing column (default 42).\n"
    "  caseleaf --help\n"
    "      Shows this text.\n"
    "Exit status: 0 on success, 1 when the cover or folder could not be read (a cover\n"
    "also only in part: nothing is written then) or written or the printer did not take\n"
    "the job, 2 for a usage error.\n";

int usageError(const QString& problem)
{
    std::fprintf(stderr, "caseleaf: %s\n%s", problem.toLocal8Bit().constData(), kUsage);
    return kCommandUsageError;
}

struct RenderRequest {
    QString cover;
    bool back = true;
    QString out;
    int dpi = kDefaultDpi;
};

// The usage problem, or an empty text when the request is complete.
QString parseRender(const QStringList& args, RenderRequest& r)
{
    QString side;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--side") || a == QLatin1String("--out") || a == QLatin1String("--dpi")) {
            if (!hasValue)
                return a + QStringLiteral(" needs a value");
            const QString value = args.at(++i);
            if (a == QLatin1String("--side")) {
                side = value;
            } else if (a == QLatin1String("--out")) {
                r.out = value;
            } else {
                bool ok = false;
                r.dpi = value.toInt(&ok);
                if (!ok || r.dpi < 1 || r.dpi > kMaxDpi)
                    return QStringLiteral("--dpi takes a whole number from 1 to %1").arg(kMaxDpi);
            }
        } else if (a == QLatin1String("--copies") || a == QLatin1String("--paper")) {
            return a + QStringLiteral(" needs a PDF output (--out FILE.pdf)");
        } else if (a.startsWith(QLatin1String("--")) || !r.cover.isEmpty()) {
            return QStringLiteral("unexpected argument \"%1\"").arg(a);
        } else {
            r.cover = a;
        }
    }
    if (r.cover.isEmpty())
        return QStringLiteral("render needs a cover file");
    if (side != QLatin1String("back") && side != QLatin1String("front"))
        return QStringLiteral("--side must be back or front");
    if (r.out.isEmpty())
        return QStringLiteral("render needs --out FILE");
    r.back = side == QLatin1String("back");
    return QString();
}

int render(const RenderRequest& r)
{
    CommandSession session;
    if (!session.ready())
        return commandFailure(QStringLiteral("No temporary working folder could be made."));
    if (!session.open(r.cover))
        return kCommandFailed;
    const QSizeF size = r.back ? QSizeF(backsheet::kWidth, backsheet::kHeight)
                               : QSizeF(frontsheet::kWidth, frontsheet::kHeight);
    ImageSurface surface(size, r.dpi);
    if (surface.image().isNull())
        return commandFailure(QStringLiteral("Not enough memory for the picture at %1 dpi.").arg(r.dpi));
    surface.clear();
    if (r.back)
        UpdateBack(session.doc(), surface, false);
    else
        UpdateFront(session.doc(), surface, false);
    QString problem;
    if (!writeSheetFile(surface.image(), r.out, &problem))
        return commandFailure(QStringLiteral("The picture could not be written to %1: %2").arg(r.out, problem));
    return 0;
}

int convert(const QString& in, const QString& out)
{
    CommandSession session;
    if (!session.ready())
        return commandFailure(QStringLiteral("No temporary working folder could be made."));
    if (!session.open(in) || !session.saveAs(out))
        return kCommandFailed;
    return 0;
}

} // namespace

bool isCommandLine(int argc, char** argv)
{
    if (argc < 2)
        return false;
    const char* first = argv[1];
    return std::strcmp(first, "render") == 0 || std::strcmp(first, "convert") == 0
           || std::strcmp(first, "print") == 0 || std::strcmp(first, "thumbnail") == 0
           || std::strcmp(first, "contents") == 0
           || std::strcmp(first, "--help") == 0;
}

int runCommandLine(int argc, char** argv)
{
    // No display: the sheets are drawn into images. A thumbnail draws nothing, so it starts
    // no platform at all; file managers run it often, and in a sandbox.
    std::unique_ptr<QCoreApplication> application;
    if (std::strcmp(argv[1], "thumbnail") == 0) {
        application = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);
    if (command == QLatin1String("--help")) {
        if (args.size() != 1)
            return usageError(QStringLiteral("--help takes no arguments"));
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == QLatin1String("render") && rendersPdf(args.mid(1))) {
        QString problem;
        const int result = renderPdfCommand(args.mid(1), problem);
        return problem.isEmpty() ? result : usageError(problem);
    }
    if (command == QLatin1String("print")) {
        QString problem;
        const int result = printCommand(args.mid(1), problem);
        return problem.isEmpty() ? result : usageError(problem);
    }
    if (command == QLatin1String("render")) {
        RenderRequest request;
        const QString problem = parseRender(args.mid(1), request);
        return problem.isEmpty() ? render(request) : usageError(problem);
    }
    if (command == QLatin1String("thumbnail")) {
        ThumbnailRequest request;
        const QString problem = parseThumbnail(args.mid(1), request);
        return problem.isEmpty() ? writeThumbnail(request) : usageError(problem);
    }
    if (command == QLatin1String("contents")) {
        ContentsRequest request;
        const QString problem = parseContents(args.mid(1), request);
        return problem.isEmpty() ? listContents(request) : usageError(problem);
    }
    if (args.size() != 3)
        return usageError(QStringLiteral("convert needs an input and an output file"));
    return convert(args.at(1), args.at(2));
}
