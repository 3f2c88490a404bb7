#pragma once

#include "document/cover_archive.h"
#include "document/settings_file.h"
#include "editor/bindings.h"
#include "editor/editor_window.h"
#include "editor/preview_widget.h"
#include "editor/text_box.h"
#include "fake_dialogs.h"
#include "platform/printers.h"
#include "program_home.h"
#include "render/drawing_surface.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "test_pictures.h"

#include "gtest_qt.h"

// The three texts edited in place: the switch of the edit mode, the text box, the box that
// prints the text (if any), the pop-up menu and the settings page of the text.
struct EditedText {
    const char* mode;
    const char* box;
    const char* enable;
    const char* popup;
    const char* page;
    QString CoverDocument::*text;
    bool back;
};
inline const EditedText kEditedTexts[] = {
    {"EditContents", "ContentsBox", nullptr, "BackPopup", "TextTab", &CoverDocument::Contents, true},
    {"EditInnerText", "InnerTextBox", "sfText2", "InnerPopup", "InnerTab", &CoverDocument::FrontText1, false},
    {"EditOuterText", "OuterTextBox", "sfText", "OuterPopup", "OuterTab", &CoverDocument::FrontText2, false}};

// An editor started as the program starts it, in a program folder of its own holding the
// installed language files, with fonts this machine has (and Verdana, which it lacks).
class EditorTest : public ::testing::Test, protected ProgramHome {
protected:
    EditorTest() : ProgramHome({"language/english.ini", "language/german.ini"}) {}

    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, config.path());
        for (const char* folder : {"help", "tmp"})
            QDir(home.path()).mkpath(QString::fromLatin1(folder));
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
    }

    CoverDocument& doc() { return editor->document(); }
    // A file of the program folder holding bytes; its path.
    QString written(const QString& relative, const QByteArray& bytes) const
    {
        write(relative, bytes);
        return path(relative);
    }
    // A cover archive whose settings file holds lines, made without the editor; its path.
    QString coverArchive(const QString& name, const QByteArray& lines, const QString& contents = QString()) const
    {
        CoverDocument cover;
        LoadIniFile(cover, written(name + ".ini", "[LastCover]\r\n" + lines), false, printers.fontFamilies());
        cover.Contents = contents;
        CoverFileContext ctx(cover);
        EXPECT_TRUE(SaveAsFile(ctx, path(name)));
        return path(name);
    }
    QString picture(const QString& name) const
    {
        EXPECT_TRUE(savePlainPicture(path(name), Qt::blue));
        return path(name);
    }

    template <typename W = QWidget>
    W* control(const QString& name) const
    {
        W* widget = editor->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QAction* action(const char* name) const { return control<QAction>(name); }
    QAction* popupEntry(const char* popup, const char* entry) const
    {
        return control<QMenu>(popup)->findChild<QAction*>(entry);
    }
    SheetTextBox* box(const char* name) const { return control<SheetTextBox>(name); }
    PreviewWidget* backPreview() const { return control<PreviewWidget>(QStringLiteral("BackPreview")); }
    PreviewWidget* frontPreview() const { return control<PreviewWidget>(QStringLiteral("FrontPreview")); }
    // Chooses a language of the Language menu by its caption.
    void chooseLanguage(const QString& caption) const
    {
        for (QAction* entry : editor->findChildren<QAction*>()) {
            if (entry->text() == caption && entry->objectName().startsWith("mLang"))
                return entry->trigger();
        }
        ADD_FAILURE() << "no language " << caption.toStdString();
    }

    // Triggers entry; look runs on the Window it opens modally, which is closed afterwards.
    // False when no such window opened.
    template <typename Window>
    bool runModal(QAction* entry, const std::function<void(Window&)>& look)
    {
        bool seen = false;
        QTimer timer; // gone with this call, so it never fires into a later test
        timer.setSingleShot(true);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (auto* window = qobject_cast<Window*>(modal); (seen = window != nullptr))
                look(*window);
            if (modal && modal->isVisible())
                modal->reject();
        });
        timer.start(0);
        entry->trigger();
        return seen;
    }

    // Marks both previews as they stand; a sheet that is redrawn loses its mark.
    void scribbleOnPreviews() const
    {
        for (PreviewWidget* preview : {backPreview(), frontPreview()}) {
            preview->image();
            preview->surface().deviceContext().fillRect(QRect(0, 0, 4, 4), Qt::red);
            preview->image();
        }
    }
    // The sheets redrawn since they were marked: "none", "back", "front" or "both".
    QString redrawn() const
    {
        const auto lost = [](PreviewWidget* p) { return p->image().pixelColor(1, 1) != QColor(Qt::red); };
        const bool back = lost(backPreview());
        const bool front = lost(frontPreview());
        return back && front ? "both" : back ? "back" : front ? "front" : "none";
    }

    // Laid out at size and each tab and settings page shown in turn: every control of the
    // cover and every edit switch lies inside the window, not cut off by anything.
    void expectEveryControlShowsWhole(const QSize& size) const
    {
        editor->resize(size);
        QStringList names = {"EditContents", "EditInnerText", "EditOuterText"};
        for (const Binding& row : bindings())
            names << QString::fromLatin1(row.control);
        int seen = 0;
        for (int sheet = 0; sheet < 2; ++sheet) {
            control<QTabWidget>("MainTabs")->setCurrentIndex(sheet);
            auto* settings = control<QTabWidget>(sheet == 0 ? "BackSettingsTabs" : "FrontSettingsTabs");
            for (int page = 0; page < settings->count(); ++page) {
                settings->setCurrentIndex(page);
                QCoreApplication::processEvents();
                for (const QString& name : names) {
                    QWidget* widget = control(name);
                    if (!widget->isVisible())
                        continue;
                    ++seen;
                    EXPECT_TRUE(editor->rect().contains(QRect(widget->mapTo(editor.get(), QPoint()), widget->size())))
                        << name.toStdString();
                    EXPECT_EQ(widget->visibleRegion(), QRegion(widget->rect())) << name.toStdString() << " cut off";
                }
            }
        }
        EXPECT_EQ(seen, names.size() + 2); // the contents switch shows beside all three back pages
    }

    QTemporaryDir config;
    FakeDialogs dialogs;
    ListedPrinters printers{{"Office laser"},
                            {"DejaVu Sans", "DejaVu Serif", "Liberation Mono", "Liberation Sans", "Verdana"}};
    std::unique_ptr<EditorWindow> editor;
};
