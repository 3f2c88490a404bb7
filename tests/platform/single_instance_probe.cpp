// A stand-in program for the single-instance tests: the first start listens and prints
// every request it receives; a later start hands its argument over and ends.
#include "platform/single_instance.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return 2;
    SingleInstance instance(args[1]);
    if (instance.handOver(args.value(2))) {
        say(QStringLiteral("handed over"));
        return 0;
    }
    if (!instance.listen())
        return 3;
    QObject::connect(&instance, &SingleInstance::activationRequested, [] { say(QStringLiteral("activate")); });
    QObject::connect(&instance, &SingleInstance::executeRequested,
                     [](const QString& path) { say(QStringLiteral("execute:") + path); });
    say(QStringLiteral("listening"));
    return QCoreApplication::exec();
}
