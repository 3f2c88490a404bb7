#pragma once

#include "archive/zip_fixtures.h"

// The built program started as a script or a file manager starts it: without a display.
namespace program {

inline QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "QT_DEBUG_PLUGINS"})
        env.remove(name);
    return env;
}

inline fixtures::RunResult run(const QStringList& args, const QString& workDir = QString(),
                               const QProcessEnvironment& env = withoutDisplay())
{
    return fixtures::run(QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf"), args, workDir, env);
}

} // namespace program
