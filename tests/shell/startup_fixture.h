#pragma once

#include "fake_dialogs.h"
#include "platform/printers.h"
#include "platform/settings_store.h"
#include "shell/about_text.h"
#include "shell/app_state.h"
#include "shell/progress.h"
#include "shell/progress_window.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "gtest_qt.h"

// A program folder with the installed language files and a sound about text, and a
// per-user profile that has seen the first-use notice.
struct ProgramFolder {
    QTemporaryDir home;
    QTemporaryDir config;
    FakeDialogs dialogs;
    ListedPrinters printers{{"Office laser"}, {"Arial", "Courier New", "Verdana"}};

    ProgramFolder()
    {
        qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        QDir(home.path()).mkpath("language");
        QDir(home.path()).mkpath("help");
        for (const QString file : {"language/english.ini", "language/german.ini"})
            EXPECT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/") + file, path(file)));
        write("help/abouttext.txt", encipherAboutText("|Credits|Thanks"));
        writeSetting("NotFirstUse", "False");
        app::debugMode = app::editorReady = app::viewEnabled = false;
        installProgressWindows();
    }
    ~ProgramFolder()
    {
        UnloadProgressWindow();
        setProgressWindowHost(nullptr);
        qunsetenv("CASELEAF_HOME");
    }

    QString path(const QString& relative) const { return home.filePath(relative); }
    void write(const QString& relative, const QByteArray& bytes) const
    {
        QFile file(path(relative));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

class Startup : public ::testing::Test, protected ProgramFolder {};
