#include "shell/startup.h"

#include "platform/dialogs.h"
#include "platform/printers.h"
#include "shell/about_text.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "shell/progress.h"
#include "shell/user_settings.h"
#include "shell/working_folder.h"
#include "toolbox/paths.h"
#include "toolbox/program_folder.h"
#include "toolbox/stale_temporaries.h"

#include <QFileInfo>

namespace {

QString g_aboutText;

const QString kDebugSwitch = QStringLiteral("/debug");

bool acceptFirstUseNotice()
{
    if (!settings::notFirstUse())
        return true;
    const QString notice = QStringLiteral(
        "Welcome to Caseleaf!\n\n"
        "Caseleaf designs and prints the covers of CD jewel cases: the back inlay with its "
        "spine labels and contents list, and the folded front booklet.\n\n"
        "Covers are printed at true size. Check a test print on plain paper before you print "
        "on expensive paper.\n\n"
        "Choose OK to start Caseleaf. Choose Cancel to quit; this notice is then shown again "
        "at the next start.");
    if (MsgBox(notice, MsgIcon::Information, MsgButtons::OkCancel, app::title()) != MsgResult::Ok)
        return false;
    settings::setNotFirstUse(false);
    return true;
}

bool readAboutText()
{
    const AboutTextCheck check = checkAboutText(ReadWholeFile(programPath(ProgramPath::Help) + QStringLiteral("abouttext.txt")));
    if (!check.valid) {
        MsgBox(QStringLiteral("ERROR IN \"ABOUTTEXT.TXT\" PLEASE RE-INSTALL CASELEAF!"), MsgIcon::Critical,
               MsgButtons::Ok, QStringLiteral("ERROR!"));
        MsgBox(check.decoded.left(2));
        MsgBox(check.decoded.right(2));
        return false;
    }
    g_aboutText = check.body;
    return true;
}

bool requirePrinter(const PrinterCatalog& printers)
{
    if (!printers.printerNames().isEmpty())
        return true;
    MsgBox(QStringLiteral("This software needs minimum one priner installed. Please install a printer, and then "
                          "start Caseleaf again."),
           MsgIcon::Exclamation, MsgButtons::Ok, QStringLiteral("No printers installed !"));
    return false;
}

bool loadStartLanguage()
{
    QString name = settings::language();
    if (LoadLanguage(name))
        return true;
    UnloadProgressWindow();
    MsgBox(QStringLiteral("ERROR! Unable to load default languagefile, quitting !"), MsgIcon::Critical);
    return false;
}

void makeWorkingFolder()
{
    // A folder that cannot be created shows up when a cover is opened or saved.
    claimWorkingFolder();
}

} // namespace

bool hasDebugSwitch(const QStringList& arguments)
{
    return arguments.join(QLatin1Char(' ')).contains(kDebugSwitch, Qt::CaseInsensitive);
}

QString coverPathArgument(const QStringList& arguments)
{
    for (const QString& a : arguments) {
        if (a.isEmpty() || a.startsWith(QLatin1Char('-')) || a.compare(kDebugSwitch, Qt::CaseInsensitive) == 0)
            continue;
        // The running program may have another current folder.
        return QFileInfo(a).absoluteFilePath();
    }
    return QString();
}

bool RunFirstStage(const PrinterCatalog& printers)
{
    if (!acceptFirstUseNotice() || !readAboutText() || !requirePrinter(printers))
        return false;
    ShowProgressWindow(ProgressMode::Startup);
    if (!loadStartLanguage())
        return false;
    makeWorkingFolder();
    // What a killed run left behind goes now, before anything new is written.
    RemoveStaleTemporaries();
    RemoveStaleUnpackFolders(app::workingFolder());
    return true;
}

QString aboutText() { return g_aboutText; }
