#include "shell/window_system.h"

#include "built_program.h"
#include "gtest_qt.h"

#include <gtest/gtest.h>

#include <tuple>

using program::withoutDisplay;

namespace {

TEST(WindowSystem, IsNamedByADisplayOrAnExplicitPlatform)
{
    struct Case {
        const char* variable;
        const char* value;
        QStringList arguments;
        bool named;
    };
    const Case cases[] = {
        {nullptr, nullptr, {}, false},
        {nullptr, nullptr, {"/debug", "cover.vrz"}, false},
        {"DISPLAY", ":0", {}, true},
        {"DISPLAY", "", {}, false},
        {"WAYLAND_DISPLAY", "wayland-0", {}, true},
        {"QT_QPA_PLATFORM", "offscreen", {}, true},
        {nullptr, nullptr, {"-platform", "offscreen"}, true},
        {"XDG_SESSION_TYPE", "x11", {}, false},
    };
    for (const Case& c : cases) {
        QProcessEnvironment env;
        if (c.variable)
            env.insert(c.variable, c.value);
        EXPECT_EQ(windowSystemNamed(env, c.arguments), c.named)
            << (c.variable ? c.variable : "") << " " << c.arguments.join(' ').toStdString();
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
