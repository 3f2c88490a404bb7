#pragma once

#include "archive/zip_fixtures.h"
#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "fake_dialogs.h"
#include "shell/app_state.h"
#include "shell/language.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "gtest_qt.h"

// A program folder with English and the shipped "default" preset, a per-user data folder
// and profile of their own, scripted dialogs and one cover.
class PresetFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        QSettings(QSettings::UserScope, "Caseleaf", "VORN").clear();
        ASSERT_TRUE(QDir(home.path()).mkpath("language") && QDir(home.path()).mkpath("presets"));
        for (const char* f : {"language/english.ini", "presets/default.ini"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/") + f, home.filePath(f)));
        QString english = "english";
        ASSERT_TRUE(LoadLanguage(english));
        app::viewEnabled = true;
        ctx.fontList = {"DejaVu Sans", "Liberation Serif", "Verdana"};
    }
    void TearDown() override { qunsetenv("CASELEAF_HOME"); }

    static QString text(int n) { return Lang(LangSection::Preset, n); }
    QString shipped(const QString& name) const { return home.filePath("presets/" + name); }
    static bool writeFile(const QString& path, const QByteArray& content) { return fixtures::writeFile(path, content); }

    QTemporaryDir home, data;
    FakeDialogs dialogs;
    CoverDocument doc;
    CoverFileContext ctx{doc};
};
