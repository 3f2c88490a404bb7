#include "shell/window_system.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <vector>

const char* const kNoDisplayText =
    "no display available; the commands render, convert, contents, thumbnail run without one";

namespace {

void sayNoDisplay()
{
    std::fprintf(stderr, "%s\n", kNoDisplayText);
    std::fflush(stderr);
}

struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};

std::vector<HeldMessage> g_held;
QtMessageHandler g_previous = nullptr;
bool g_passOn = false;

void holdWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    // The toolkit's only fatal error while it starts is a platform it cannot open.
    if (type == QtFatalMsg) {
        sayNoDisplay();
        std::_Exit(1);
    }
    if (g_passOn) {
        g_previous(type, context, text);
        return;
    }
    g_held.push_back({type, context.file, context.function, context.category, context.line, text});
}

void passOnHeld()
{
    for (const HeldMessage& m : g_held) {
        const QMessageLogContext context(m.file.constData(), m.line, m.function.constData(), m.category.constData());
        qt_message_output(m.type, context, m.text);
    }
    g_held.clear();
}

} // namespace

bool windowSystemNamed(const QProcessEnvironment& environment, const QStringList& arguments)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!environment.value(QLatin1String(name)).isEmpty())
            return true;
    }
    return arguments.contains(QLatin1String("-platform"));
#else
    Q_UNUSED(environment);
    Q_UNUSED(arguments);
    return true;
#endif
}

std::unique_ptr<QApplication> startWindowSystem(int& argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!windowSystemNamed(QProcessEnvironment::systemEnvironment(), arguments)) {
        sayNoDisplay();
        return nullptr;
    }
    g_passOn = qEnvironmentVariableIsSet("QT_DEBUG_PLUGINS");
    g_previous = qInstallMessageHandler(holdWhileStarting);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(g_previous);
    passOnHeld();
    return application;
}
