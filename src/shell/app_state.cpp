#include "shell/app_state.h"

#include "toolbox/program_folder.h"

namespace app {

bool debugMode = false;
bool viewEnabled = false;
bool editorReady = false;

QString title()
{
    QString t = QStringLiteral("Caseleaf v%1.%2 Rev. %3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision);
    if (debugMode)
        t += QStringLiteral(" - (DEBUGMODE!)");
    return t;
}

namespace {
QString g_workingFolder;
}

QString workingFolder()
{
    return g_workingFolder.isEmpty() ? programPath(ProgramPath::WorkingFolder) : g_workingFolder;
}

void setWorkingFolder(const QString& folder)
{
    g_workingFolder = folder;
    if (!g_workingFolder.isEmpty() && !g_workingFolder.endsWith(QLatin1Char('/')))
        g_workingFolder += QLatin1Char('/');
}

} // namespace app
