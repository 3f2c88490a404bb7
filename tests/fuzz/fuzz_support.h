#pragma once

#include "platform/dialogs.h"
#include "shell/app_state.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

// What every harness needs: an application for the image plugins, no display, message
// boxes that answer at once and stay quiet, and a folder for files.
namespace fuzzing {

class QuietDialogs final : public Dialogs {
public:
    MsgResult message(const QString&, const QString&, MsgIcon, MsgButtons) override { return MsgResult::Cancel; }
    QString input(const QString&, const QString&, const QString&) override { return QString(); }
    QString file(const FileDialogRequest&) override { return QString(); }
    int color(int) override { return -1; }
};

inline QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Writes the input to a file of the harness's folder and gives its path.
inline QString inputFile(const uint8_t* data, size_t size, const QString& name)
{
    QFile file(folder().filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes(data, size));
    return file.fileName();
}

} // namespace fuzzing

#define CASELEAF_FUZZ_INIT                                                                                         \
    extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)                                                   \
    {                                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                                   \
        static QGuiApplication app(*argc, *argv);                                                                  \
        static fuzzing::QuietDialogs quiet;                                                                        \
        setDialogs(&quiet);                                                                                        \
        app::setWorkingFolder(fuzzing::folder().filePath(QStringLiteral("work")));                                 \
        app::viewEnabled = true;                                                                                   \
        return 0;                                                                                                  \
    }
