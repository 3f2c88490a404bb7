#include "shell/command_session.h"

#include "document/font_matching.h"
#include "document/legacy_cover.h"
#include "render/counter_text.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/user_settings.h"
#include "toolbox/stale_temporaries.h"

#include <cstdio>

namespace {

// More pages than anyone cuts covers from, and few enough for a PDF to stay small.
constexpr int kMaxCopies = 9999;

} // namespace

int commandFailure(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    return kCommandFailed;
}

CommandSession::CommandSession() : m_work(commandFolderTemplate())
{
    RemoveStaleTemporaries();
    if (m_work.isValid())
        app::setWorkingFolder(m_work.path());
    QString language = settings::language();
    LoadLanguage(language);
    app::viewEnabled = true;
    m_ctx.fontList = standardFontList();
}

CommandSession::~CommandSession()
{
    app::setWorkingFolder(QString());
}

bool CommandSession::open(const QString& path)
{
    if (isLegacyCoverName(path))
        return ImportLegacyFile(m_ctx, path);
    const OpenResult opened = OpenSub(m_ctx, path);
    // A command must not pass off what it could read of a damaged cover as the cover.
    if (opened.status == OpenResult::Incomplete)
        commandFailure(QStringLiteral("%1 could not be read completely; nothing was written.").arg(path));
    return opened.status == OpenResult::Opened;
}

bool CommandSession::saveAs(const QString& name)
{
    return isLegacyCoverName(name) ? ExportLegacyFile(m_ctx, name) : SaveAsFile(m_ctx, coverSaveName(name));
}

int openForPrinting(CommandSession& session, const QString& cover, bool back)
{
    if (!session.ready())
        return commandFailure(QStringLiteral("No temporary working folder could be made."));
    if (!session.open(cover))
        return kCommandFailed;
    const CoverDocument& doc = session.doc();
    if (!isNumericText(back ? doc.CountFrom : doc.CountFrom2))
        return commandFailure(Lang(LangSection::Messages, 5));
    return 0;
}

QString parseCommandArgs(const QStringList& args, const QStringList& valued, const QStringList& flags,
                         CommandArgs& parsed)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (valued.contains(a)) {
            if (i + 1 >= args.size())
                return a + QStringLiteral(" needs a value");
            parsed.values.insert(a, args.at(++i));
        } else if (flags.contains(a)) {
            parsed.flags << a;
        } else if (a.startsWith(QLatin1String("--")) || !parsed.cover.isEmpty()) {
            return QStringLiteral("unexpected argument \"%1\"").arg(a);
        } else {
            parsed.cover = a;
        }
    }
    return parsed.cover.isEmpty() ? QStringLiteral("a cover file is needed") : QString();
}

QString parseSideOption(const CommandArgs& parsed, bool& back)
{
    const QString side = parsed.values.value(QStringLiteral("--side"));
    if (side != QLatin1String("back") && side != QLatin1String("front"))
        return QStringLiteral("--side must be back or front");
    back = side == QLatin1String("back");
    return QString();
}

QString parseCopiesOption(const CommandArgs& parsed, int& copies)
{
    copies = 1;
    if (!parsed.values.contains(QStringLiteral("--copies")))
        return QString();
    bool ok = false;
    copies = parsed.values.value(QStringLiteral("--copies")).toInt(&ok);
    if (!ok || copies < 1 || copies > kMaxCopies)
        return QStringLiteral("--copies takes a whole number from 1 to %1").arg(kMaxCopies);
    return QString();
}
