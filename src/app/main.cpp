#include "platform/printers.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_printer.h"
#include "platform/single_instance.h"
#include "shell/app_state.h"
#include "shell/command_line.h"
#include "shell/main_frame.h"
#include "shell/progress_window.h"
#include "shell/startup.h"
#include "shell/window_system.h"
#include "shell/working_folder.h"

#include <QApplication>

int main(int argc, char** argv)
{
    // Names the per-user data folder for the window and the commands alike.
    QCoreApplication::setApplicationName(QStringLiteral("Caseleaf"));
    // The window-less commands run before any window or display exists.
    if (isCommandLine(argc, argv))
        return runCommandLine(argc, argv);
    // Without a window system only those commands can run: say so rather than abort.
    const std::unique_ptr<QApplication> application = startWindowSystem(argc, argv);
    if (!application)
        return 1;
    const QStringList arguments = QApplication::arguments().mid(1);
    app::debugMode = hasDebugSwitch(arguments);
    const QString coverPath = coverPathArgument(arguments);

    // A second start hands its cover over to the running program and ends.
    SingleInstance instance;
    if (instance.handOver(coverPath))
        return 0;
    instance.listen();

    QtDialogs qtDialogs;
    setDialogs(&qtDialogs);
    installProgressWindows();

    SystemPrinters printers;
    // One printer for the program's life: its print dialog offers the last setup again.
    QtPrinter printer;
    installPrintDevice(&printer);
    MainFrame frame(printers);
    qtDialogs.setOwner(&frame);
    printer.setOwner(&frame);
    QObject::connect(&instance, &SingleInstance::executeRequested, &frame, &MainFrame::execute);
    QObject::connect(&instance, &SingleInstance::activationRequested, &frame, &MainFrame::bringToFront);
    QObject::connect(&frame, &MainFrame::ended, application.get(), &QCoreApplication::quit, Qt::QueuedConnection);
    // A cover named on the command line opens like one handed over by a later start.
    if (!coverPath.isEmpty())
        frame.execute(coverPath);
    frame.load();
    const int result = QApplication::exec();
    releaseWorkingFolder();
    installPrintDevice(nullptr);
    setDialogs(nullptr);
    return result;
}
