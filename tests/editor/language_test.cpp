#include "toolbox/ini_file.h"

#include "editor_fixture.h"

namespace {

const char* const kSections[] = {"Menu", "BackCover", "FrontCover"};

// Every caption of the editor by the element that shows it.
std::map<const QObject*, QString> captions(const QWidget* root)
{
    std::map<const QObject*, QString> shown;
    for (const QAction* a : root->findChildren<QAction*>())
        shown[a] = a->text();
    for (const QGroupBox* g : root->findChildren<QGroupBox*>())
        shown[g] = g->title();
    for (const QLabel* l : root->findChildren<QLabel*>())
        shown[l] = l->text();
    for (const QAbstractButton* b : root->findChildren<QAbstractButton*>())
        shown[b] = b->text();
    for (const QTabWidget* tabs : root->findChildren<QTabWidget*>()) {
        for (int i = 0; i < tabs->count(); ++i)
            shown[tabs->widget(i)] = tabs->tabText(i);
    }
    return shown;
}

class Language : public EditorTest {
protected:
    // The values of a language file's keys that hold text in English.
    std::set<QString> translations(const QString& language, const QString& english) const
    {
        std::set<QString> values;
        for (const char* section : kSections) {
            for (int n = 1; n <= 50; ++n) {
                const QString key = QStringLiteral("V%1").arg(n);
                if (ReadINI(path("language/english.ini"), section, key) == english)
                    values.insert(ReadINI(path("language/" + language + ".ini"), section, key));
            }
        }
        return values;
    }
};

TEST_F(Language, GermanChangesEveryCaptionWhileRunning)
{
    const std::map<const QObject*, QString> english = captions(editor.get());
    chooseLanguage("German");
    const std::map<const QObject*, QString> german = captions(editor.get());
    int translated = 0;
    for (const auto& [element, text] : english) {
        const std::set<QString> expected = translations("german", text);
        if (expected.empty())
            continue; // not a caption of the language tables: a font, a language name
        EXPECT_TRUE(expected.count(german.at(element))) << text.toStdString() << " became "
                                                        << german.at(element).toStdString();
        ++translated;
    }
    // The menus, both tabs and all their pages, frames, labels, boxes and options.
    EXPECT_GE(translated, 110);
    EXPECT_EQ(editor->windowTitle(), ReadINI(path("language/german.ini"), "Messages", "V27") + "[*]");

    chooseLanguage("English");
    EXPECT_EQ(captions(editor.get()), english);
}

TEST_F(Language, AShortSectionLeavesTheCaptionsItLacks)
{
    write("language/short.ini", "[Menu]\r\nV1=Fichier\r\n[BackCover]\r\nV1=Dos\r\nV2=Etiquette\r\nV3=Texte\r\n"
               "[FrontCover]\r\nV1=Face\r\n[Messages]\r\nV1=x\r\n[GetContents]\r\nV1=x\r\n"
               "[Common]\r\nV1=x\r\n[Preset]\r\nV1=x\r\n");
    editor->GetLanguages();
    chooseLanguage("Short");
    auto* mainTabs = control<QTabWidget>("MainTabs");
    EXPECT_EQ(QStringList({control<QMenu>("mFile")->title(), mainTabs->tabText(0), mainTabs->tabText(1)}),
              QStringList({"Fichier", "Dos", "Face"}));
    EXPECT_EQ(control<QGroupBox>("LabelTextFrame")->title(), "Texte");
    // What the file does not name keeps the text it had.
    EXPECT_EQ(control<QLabel>("FontnameLabel")->text(), "Font face");
    EXPECT_EQ(control<QLabel>("LabelHint")->text(), "Use spaces to align the text.");
    EXPECT_EQ(control<QMenu>("mSettings")->title(), "&Settings");
}

TEST_F(Language, ControlsAreKnownByTheirCaptionsNotTheirValues)
{
    const auto name = [](QObject* object) {
        return QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name);
    };
    auto* size = control<QComboBox>("Fontsize");
    EXPECT_EQ(name(size), "Font size");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(size)->text(QAccessible::Value), "16");
    EXPECT_EQ(control<QLabel>("FontsizeLabel")->buddy(), size);
    // A swatch, a spin box, a field and a preview.
    EXPECT_EQ(QStringList({name(control("CutColor")), name(control("topmargin")), name(control("Text")),
                           name(backPreview())}),
              QStringList({"Cut-lines", "Top", "Text", "Back cover"}));
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(frontPreview())->text(QAccessible::Description).isEmpty());
    // Every control of the settings has a name a screen reader can say.
    int controls = 0;
    for (QWidget* widget : control("MainTabs")->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget)
            || qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget);
        if (!control || widget->objectName().startsWith("qt_") || qobject_cast<QTabBar*>(widget->parent()))
            continue;
        EXPECT_FALSE(name(widget).isEmpty()) << widget->objectName().toStdString();
        ++controls;
    }
    EXPECT_GE(controls, 59); // the bound ones and the three edit switches

    chooseLanguage("German");
    EXPECT_EQ(name(size), ReadINI(path("language/german.ini"), "BackCover", "V10"));
}

} // namespace
