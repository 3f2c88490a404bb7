#include "shell/window_system.h"

#include "built_program.h"
#include "gtest_qt.h"

using program::withoutDisplay;

namespace {

TEST(WindowSystem, IsNamedByADisplayOrAnExplicitPlatform)
{
    // A variable set (if any) and its value, the arguments, and whether a window system is named.
    const std::tuple<const char*, const char*, QStringList, bool> cases[] = {
        {"", "", {}, false},
        {"", "", {"/debug", "cover.vrz"}, false},
        {"DISPLAY", ":0", {}, true},
        {"DISPLAY", "", {}, false},
        {"WAYLAND_DISPLAY", "wayland-0", {}, true},
        {"QT_QPA_PLATFORM", "offscreen", {}, true},
        {"", "", {"-platform", "offscreen"}, true},
        {"XDG_SESSION_TYPE", "x11", {}, false},
    };
    for (const auto& [variable, value, arguments, named] : cases) {
        QProcessEnvironment env;
        if (*variable)
            env.insert(variable, value);
        EXPECT_EQ(windowSystemNamed(env, arguments), named) << variable << " " << arguments.join(' ').toStdString();
    }
}

// A display number no X server listens on.
QString silentDisplay()
{
    int n = 97;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
        ++n;
    return QStringLiteral(":%1").arg(n);
}

// Instead of the toolkit's abort (status 134 and several lines): one line and status 1,
// whether no display is named or the named one does not answer; the commands still run.
TEST(WindowSystem, MissingSaysOneLineAndEndsWithStatusOne)
{
    const QByteArray line = "no display available; the commands render, convert, contents, thumbnail run without one\n";
    QProcessEnvironment silent = withoutDisplay();
    silent.insert("DISPLAY", silentDisplay());
    // The environment, the arguments, and the exit status: the line for 1, the usage for 0.
    const std::tuple<QProcessEnvironment, QStringList, int> cases[] = {
        {withoutDisplay(), {}, 1},
        {withoutDisplay(), {"/debug", "cover.vrz"}, 1},
        {withoutDisplay(), {"unknown-command"}, 1},
        {silent, {}, 1},
        {withoutDisplay(), {"--help"}, 0},
    };
    for (const auto& [env, args, code] : cases) {
        const fixtures::RunResult r = program::run(args, QString(), env);
        EXPECT_EQ(r.exitCode, code) << args.join(' ').toStdString() << env.value("DISPLAY").toStdString();
        EXPECT_TRUE(code ? r.err == line : r.out.contains("caseleaf render COVER.vrz")) << r.err.constData();
    }
}

} // namespace
