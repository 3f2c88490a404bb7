#pragma once

#include "editor/editor_window.h"
#include "editor/preview_widget.h"
#include "fake_dialogs.h"
#include "platform/printers.h"
#include "render/drawing_surface.h"
#include "shell/app_state.h"
#include "shell/language.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

#include "gtest_qt.h"

// An editor started as the program starts it, in a program folder of its own holding the
// installed language files, with fonts this machine has (and Verdana, which it lacks).
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        for (const char* folder : {"language", "help", "tmp"})
            QDir(home.path()).mkpath(QString::fromLatin1(folder));
        for (const QString file : {"language/english.ini", "language/german.ini"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(CASELEAF_BUILD_DIR "/") + file, path(file)));
        app::setWorkingFolder(QString());
        app::editorReady = app::viewEnabled = false;
        QString language = QStringLiteral("english");
        ASSERT_TRUE(LoadLanguage(language));
        editor = std::make_unique<EditorWindow>(printers);
        editor->load();
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
    }

    void TearDown() override
    {
        editor->document().saved = true;
        editor.reset();
        qunsetenv("CASELEAF_HOME");
    }

    QString path(const QString& relative) const { return home.filePath(relative); }
    CoverDocument& doc() { return editor->document(); }

    template <typename W = QWidget>
    W* control(const QString& name) const
    {
        W* widget = editor->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    PreviewWidget* backPreview() const { return control<PreviewWidget>(QStringLiteral("BackPreview")); }
    PreviewWidget* frontPreview() const { return control<PreviewWidget>(QStringLiteral("FrontPreview")); }

    // Marks both previews as they stand; a sheet that is redrawn loses its mark.
    void scribbleOnPreviews() const
    {
        for (PreviewWidget* preview : {backPreview(), frontPreview()}) {
            preview->image();
            preview->surface().deviceContext().fillRect(QRect(0, 0, 4, 4), Qt::red);
            preview->image();
        }
    }
    static bool redrawn(PreviewWidget* preview) { return preview->image().pixelColor(1, 1) != QColor(Qt::red); }

    QTemporaryDir home;
    QTemporaryDir config;
    FakeDialogs dialogs;
    ListedPrinters printers{{"Office laser"},
                            {"DejaVu Sans", "DejaVu Serif", "Liberation Mono", "Liberation Sans", "Verdana"}};
    std::unique_ptr<EditorWindow> editor;
};
