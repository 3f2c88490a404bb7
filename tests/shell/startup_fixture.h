#pragma once

#include "fake_dialogs.h"
#include "platform/printers.h"
#include "shell/about_text.h"
#include "shell/app_state.h"
#include "shell/progress.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A program folder with the installed language files and a sound about text, and a
// clean per-user profile, for every test.
class ProgramFolder : public ::testing::Test {
protected:
    QTemporaryDir home;
    QTemporaryDir config;
    FakeDialogs dialogs;
    ListedPrinters printers{{QStringLiteral("Office laser")},
                            {QStringLiteral("Arial"), QStringLiteral("Courier New"), QStringLiteral("Verdana")}};

    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(config.isValid());
        qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        QDir(home.path()).mkpath(QStringLiteral("language"));
        QDir(home.path()).mkpath(QStringLiteral("help"));
        for (const char* name : {"english.ini", "german.ini"}) {
            const QString file = QStringLiteral("language/") + QLatin1String(name);
            ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/") + file, path(file)));
        }
        writeFile(QStringLiteral("help/abouttext.txt"), encipherAboutText(QStringLiteral("|Credits|Thanks")));
        app::debugMode = false;
        app::editorReady = false;
        app::viewEnabled = false;
    }

    void TearDown() override
    {
        UnloadProgressWindow();
        qunsetenv("CASELEAF_HOME");
    }

    QString path(const QString& relative) const { return home.filePath(relative); }

    void writeFile(const QString& relative, const QByteArray& bytes) const
    {
        QFile file(path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // Everything in the per-user store.
    static QStringList storedKeys()
    {
        return QSettings(QSettings::UserScope, QStringLiteral("Caseleaf"), QStringLiteral("VORN")).allKeys();
    }
};
