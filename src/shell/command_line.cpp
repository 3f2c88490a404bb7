#include "shell/command_line.h"

#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "document/font_matching.h"
#include "render/back_renderer.h"
#include "render/drawing_surface.h"
#include "render/front_renderer.h"
#include "render/sheet_geometry.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/user_settings.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;
constexpr int kDefaultDpi = 300;
// 1200 dpi keeps the front sheet under 300 MB of pixels.
constexpr int kMaxDpi = 1200;

const char* const kUsage =
    "Usage:\n"
    "  caseleaf render COVER.vrz --side back|front --out FILE.png [--dpi N]\n"
    "      Draws the back (160 x 128 mm) or front (250 x 130 mm) sheet of a cover\n"
    "      at N dots per inch (default 300, at most 1200) into a picture file.\n"
    "  caseleaf convert IN.vrz OUT.vrz\n"
    "      Opens a cover and saves it again as OUT (\".vrz\" is added when missing).\n"
    "  caseleaf --help\n"
    "      Shows this text.\n"
    "Exit status: 0 on success, 1 when the cover could not be read or written,\n"
    "2 for a usage error.\n";

int usageError(const QString& problem)
{
    std::fprintf(stderr, "caseleaf: %s\n%s", problem.toLocal8Bit().constData(), kUsage);
    return kUsageError;
}

int failure(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return kFailed;
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

// The commands' own working folder and language, set up once the application exists.
class Session {
public:
    Session()
    {
        if (m_work.isValid())
            app::setWorkingFolder(m_work.path());
        QString language = settings::language();
        LoadLanguage(language);
        app::viewEnabled = true;
        m_ctx.fontList = standardFontList();
    }
    ~Session() { app::setWorkingFolder(QString()); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    bool ready() const { return m_work.isValid(); }
    // The open messages have gone to standard error already.
    bool open(const QString& path) { return OpenSub(m_ctx, path); }
    bool saveAs(const QString& name) { return SaveAsFile(m_ctx, coverSaveName(name)); }
    CoverDocument& doc() { return m_doc; }

private:
    QTemporaryDir m_work;
    CoverDocument m_doc;
    CoverFileContext m_ctx{m_doc};
};

int render(const RenderRequest& r)
{
    Session session;
    if (!session.ready())
        return failure(QStringLiteral("No temporary working folder could be made."));
    if (!session.open(r.cover))
        return kFailed;
    const QSizeF size = r.back ? QSizeF(backsheet::kWidth, backsheet::kHeight)
                               : QSizeF(frontsheet::kWidth, frontsheet::kHeight);
    ImageSurface surface(size, r.dpi);
    if (surface.image().isNull())
        return failure(QStringLiteral("Not enough memory for the picture at %1 dpi.").arg(r.dpi));
    surface.clear();
    if (r.back)
        UpdateBack(session.doc(), surface, false);
    else
        UpdateFront(session.doc(), surface, false);
    QImageWriter writer(r.out);
    if (!writer.write(surface.image()))
        return failure(QStringLiteral("The picture could not be written to %1: %2").arg(r.out, writer.errorString()));
    return 0;
}

int convert(const QString& in, const QString& out)
{
    Session session;
    if (!session.ready())
        return failure(QStringLiteral("No temporary working folder could be made."));
    if (!session.open(in) || !session.saveAs(out))
        return kFailed;
    return 0;
}

} // namespace

bool isCommandLine(int argc, char** argv)
{
    if (argc < 2)
        return false;
    const char* first = argv[1];
    return std::strcmp(first, "render") == 0 || std::strcmp(first, "convert") == 0
           || std::strcmp(first, "--help") == 0;
}

int runCommandLine(int argc, char** argv)
{
    // No display: the sheets are drawn into images.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);
    if (command == QLatin1String("--help")) {
        if (args.size() != 1)
            return usageError(QStringLiteral("--help takes no arguments"));
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == QLatin1String("render")) {
        RenderRequest request;
        const QString problem = parseRender(args.mid(1), request);
        return problem.isEmpty() ? render(request) : usageError(problem);
    }
    if (args.size() != 3)
        return usageError(QStringLiteral("convert needs an input and an output file"));
    return convert(args.at(1), args.at(2));
}
