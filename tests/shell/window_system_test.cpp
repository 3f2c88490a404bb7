#include "archive/zip_fixtures.h"
#include "gtest_qt.h"
#include "shell/window_system.h"

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

const QString kProgram = QStringLiteral(CASELEAF_BUILD_DIR "/caseleaf");

QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "QT_DEBUG_PLUGINS"})
        env.remove(name);
    return env;
}

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
// whether no display is named or the named one does not answer.
TEST(WindowSystem, MissingSaysOneLineAndEndsWithStatusOne)
{
    const QByteArray line = QByteArray(kNoDisplayText) + '\n';
    EXPECT_TRUE(line.contains("no display available; the commands render, convert, contents, thumbnail"));
    QProcessEnvironment silent = withoutDisplay();
    silent.insert("DISPLAY", silentDisplay());
    const std::pair<QProcessEnvironment, QStringList> cases[] = {
        {withoutDisplay(), {}},
        {withoutDisplay(), {"/debug", "cover.vrz"}},
        {withoutDisplay(), {"unknown-command"}},
        {silent, {}},
    };
    for (const auto& [env, args] : cases) {
        const RunResult r = run(kProgram, args, QString(), env);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString() << env.value("DISPLAY").toStdString();
        EXPECT_EQ(r.err, line) << env.value("DISPLAY").toStdString();
    }
}

TEST(WindowSystem, MissingLeavesTheCommandsWorking)
{
    const RunResult help = run(kProgram, {"--help"}, QString(), withoutDisplay());
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains("caseleaf render COVER.vrz"));
}

} // namespace
