// The program's single-instance part alone, for the two-process test: the first start
// listens and prints every request it receives; a later start hands its argument over.
#include "platform/single_instance.h"

#include <QCoreApplication>

#include <cstdio>

static void say(const QString& line)
{
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    SingleInstance instance(args.value(1));
    if (instance.handOver(args.value(2))) {
        say("handed over");
        return 0;
    }
    if (!instance.listen())
        return 3;
    QObject::connect(&instance, &SingleInstance::activationRequested, [] { say("activate"); });
    QObject::connect(&instance, &SingleInstance::executeRequested, [](const QString& path) { say("execute:" + path); });
    say("listening");
    return QCoreApplication::exec();
}
