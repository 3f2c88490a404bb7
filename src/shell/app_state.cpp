#include "shell/app_state.h"

#include "toolbox/paths.h"

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

QString workingFolder()
{
    return GetAppPath() + QStringLiteral("tmp/");
}

} // namespace app
