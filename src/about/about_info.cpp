#include "about/about_info.h"

#include "shell/app_state.h"

QString VersionLabel()
{
    return QStringLiteral("%1.%2 rev.%3").arg(app::kVersionMajor).arg(app::kVersionMinor).arg(app::kVersionRevision);
}

QString DisplayLine(int width, int height, int depth)
{
    return QStringLiteral("Current display information: %1 by %2 pixels. %3 bit colours.")
        .arg(width)
        .arg(height)
        .arg(depth);
}
