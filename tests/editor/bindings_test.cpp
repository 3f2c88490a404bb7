#include "editor/bindings.h"

#include "archive/zip_engine.h"
#include "document/settings_file.h"
#include "editor/settings_widgets.h"
#include "editor/text_box.h"
#include "toolbox/ini_file.h"
#include "toolbox/win1252.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <map>

#include "editor_fixture.h"

namespace {

// The options of each group and the value each stands for.
const std::map<QString, QString> kOptionValues = {
    {"StretchToCutLines", "0"}, {"StretchToCrullLines", "1"}, {"CutToCutLines", "2"}, {"CutToCrullLines", "3"},
    {"InnerStretch", "1"},      {"InnerCut", "0"},            {"OuterStretch", "1"},  {"OuterCut", "0"}};

class Bindings : public EditorTest {
protected:
    // The value the settings file holds for key after a save.
    QString saved(const QString& key)
    {
        const QString file = path("check.ini");
        EXPECT_TRUE(SaveIniFile(doc(), file, QString(), true));
        return ReadINI(file, "LastCover", key);
    }

    // A cover archive holding the settings lines and the texts, made without the editor.
    QString coverArchive(const QString& name, const QStringList& settings, const QString& contents = QString())
    {
        const QString folder = path(name + ".parts/");
        QDir().mkpath(folder);
        QFile ini(folder + "vorn.ini");
        EXPECT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(toWin1252("[LastCover]\r\n" + settings.join("\r\n") + "\r\n"));
        ini.close();
        QFile texts(folder + name + ".vrz.txt");
        EXPECT_TRUE(texts.open(QIODevice::WriteOnly));
        texts.write(
            toWin1252("// ~contents~=\r\n" + contents + "\r\n// ~fronttext1~=\r\n\r\n// ~fronttext2~=\r\n\r\n"));
        texts.close();
        const QString archive = path(name + ".vrz");
        EXPECT_EQ(CompressArrayFiles({ini.fileName(), texts.fileName()}, archive, 9), 0);
        return archive;
    }

    // The settings file inside a cover archive, unpacked.
    QString settingsIn(const QString& archive)
    {
        const QString folder = path("unpacked/");
        EXPECT_EQ(ExtractFile(archive, folder, false, false), 0);
        return folder + "vorn.ini";
    }

    // What a control shows, written as its setting is.
    static QString shown(QWidget* widget)
    {
        if (auto* swatch = qobject_cast<ColorSwatch*>(widget))
            return QString::number(swatch->value());
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            return button->isChecked() ? "1" : "0";
        if (auto* list = qobject_cast<QComboBox*>(widget))
            return list->currentText();
        if (auto* field = qobject_cast<QLineEdit*>(widget))
            return field->text();
        if (auto* spin = qobject_cast<QSpinBox*>(widget))
            return QString::number(spin->value());
        return "?";
    }

    // Changes a control to another value, as the user would; the value its setting takes.
    QString change(QWidget* widget)
    {
        if (auto* swatch = qobject_cast<ColorSwatch*>(widget)) {
            dialogs.colors = {0x123456};
            swatch->click();
            return QString::number(0x123456);
        }
        if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            EXPECT_FALSE(option->isChecked()) << widget->objectName().toStdString();
            option->setChecked(true);
            return kOptionValues.at(widget->objectName());
        }
        if (auto* box = qobject_cast<QCheckBox*>(widget)) {
            box->setChecked(!box->isChecked());
            return box->isChecked() ? "1" : "0";
        }
        if (auto* list = qobject_cast<QComboBox*>(widget)) {
            list->setCurrentIndex((list->currentIndex() + 1) % list->count());
            return list->currentText();
        }
        if (auto* field = qobject_cast<QLineEdit*>(widget)) {
            field->setText(field->text() + "7");
            return field->text();
        }
        auto* spin = qobject_cast<QSpinBox*>(widget);
        spin->setValue(spin->value() < spin->maximum() ? spin->value() + 1 : spin->value() - 1);
        return QString::number(spin->value());
    }
};

TEST_F(Bindings, EachControlWritesItsKeyAndRedrawsOnlyItsSheet)
{
    const QWidget* backTab = control("BackTab");
    QStringList edited;
    for (const Binding& row : bindings()) {
        const QString key = QString::fromLatin1(row.key);
        QWidget* widget = control(QString::fromLatin1(row.control));
        ASSERT_NE(widget, nullptr);
        const QString before = saved(key);
        scribbleOnPreviews();
        doc().saved = true;
        const QString expected = change(widget);
        EXPECT_NE(expected, before) << row.control;
        EXPECT_EQ(saved(key), expected) << row.control;
        EXPECT_FALSE(doc().saved) << row.control;
        // The line colours show on both sheets; everything else on the sheet of its tab.
        const bool both = key.endsWith("CutColor") || key.endsWith("CrullColor");
        const bool back = backTab->isAncestorOf(widget);
        EXPECT_EQ(redrawn(backPreview()), both || back) << row.control;
        EXPECT_EQ(redrawn(frontPreview()), both || !back) << row.control;
        edited << key;
    }
    // Every setting of the file has its control; only the pictures are set elsewhere.
    QFile file(path("check.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString key = QString::fromLatin1(line.left(line.indexOf('=')));
        if (line.contains('=') && !key.contains("Picture")) {
            EXPECT_TRUE(edited.contains(key)) << key.toStdString();
        }
    }
}

TEST_F(Bindings, ControlsShowWhatAnOpenedCoverHolds)
{
    const std::map<QString, QString> values = {
        {"Fontname", "Liberation Mono"}, {"Fontsize", "72"}, {"FontBold", "1"}, {"FontItalic", "1"},
        {"Fontname2", "DejaVu Serif"}, {"Fontsize2", "8"}, {"FontBold2", "1"}, {"FontItalic2", "0"},
        {"FlipLabels", "1"}, {"Text", "  Side A  "}, {"ForeColor", "255"}, {"ForeColor2", "65280"},
        {"BackColor", "16711680"}, {"CutColor", "1"}, {"CrullColor", "2"}, {"pCenter", "0"}, {"topmargin", "7"},
        {"leftmargin", "0"}, {"Counter", "0"}, {"CountFrom", "12"}, {"Counter2", "0"}, {"CountFrom2", "30"},
        {"fCenter", "1"}, {"fCenter1", "1"}, {"fCutColor", "3"}, {"fCrullColor", "4"}, {"fTMargin", "9"},
        {"fLMargin", "1"}, {"sfText", "1"}, {"FrontFont", "DejaVu Sans"}, {"FrontFontSize", "48"},
        {"fFontBold", "1"}, {"fFontItalic", "0"}, {"fFontCenter", "1"}, {"fFontColor", "5"}, {"fBackColor", "6"},
        {"fTMargin2", "4"}, {"fLMargin2", "5"}, {"sfText2", "1"}, {"FrontFont2", "Liberation Sans"},
        {"FrontFontSize2", "6"}, {"fFontBold2", "0"}, {"fFontItalic2", "1"}, {"fFontColor2", "7"},
        {"fBackColor2", "8"}, {"WriteLines", "1"}, {"LineNumbers", "1"}, {"LineSpace", "12"}};
    QStringList lines = {"pMethod=3", "fStretch=1", "fStretch1=1"};
    for (const auto& [key, value] : values)
        lines << key + "=\"" + value + "\"";
    editor->OpenSub(coverArchive("Album", lines, "01 Intro\r\n02 Outro"));
    ASSERT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();

    for (const auto& [key, value] : values)
        EXPECT_EQ(shown(control(key)), value) << key.toStdString();
    for (const auto& [option, chosen] : std::map<QString, QString>{{"StretchToCutLines", "0"},
                                                                    {"CutToCrullLines", "1"},
                                                                    {"InnerStretch", "1"},
                                                                    {"InnerCut", "0"},
                                                                    {"OuterStretch", "1"},
                                                                    {"OuterCut", "0"}})
        EXPECT_EQ(shown(control(option)), chosen) << option.toStdString();
    // The enabled states follow the cover too.
    EXPECT_FALSE(control("CountFrom")->isEnabled());
    EXPECT_TRUE(control("pCenter")->isEnabled());
    EXPECT_FALSE(control("fCenter")->isEnabled());
    EXPECT_TRUE(control("LineSpace")->isEnabled());
    EXPECT_EQ(control<SheetTextBox>("ContentsBox")->text(), "01 Intro\r\n02 Outro");
    EXPECT_EQ(editor->windowTitle(), "Album.vrz[*]");
    EXPECT_FALSE(editor->isWindowModified());
    EXPECT_TRUE(doc().saved);
}

TEST_F(Bindings, ControlsFollowASettingsLoadAndNewKeepsTheSettings)
{
    const QString preset = path("preset.ini");
    QFile file(preset);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[LastCover]\r\nFontsize=72\r\nFontname2=Liberation Mono\r\nWriteLines=1\r\nLineSpace=9\r\n");
    file.close();
    control<QLineEdit>("Text")->setText("Label");
    LoadIniFile(doc(), preset, true, printers.fontFamilies(), [this] { editor->documentReplaced(); });
    EXPECT_EQ(shown(control("Fontsize")), "72");
    EXPECT_EQ(shown(control("Fontname2")), "Liberation Mono");
    EXPECT_EQ(shown(control("LineSpace")), "9");
    EXPECT_TRUE(control("LineNumbers")->isEnabled());

    doc().Contents = "Tracks";
    editor->documentReplaced();
    EXPECT_EQ(control<SheetTextBox>("ContentsBox")->text(), "Tracks");
    dialogs.answers = {MsgResult::No};
    editor->findChild<QAction*>("mNew")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u); // the unsaved-changes question
    EXPECT_EQ(shown(control("Text")), "");
    EXPECT_EQ(control<SheetTextBox>("ContentsBox")->text(), "");
    EXPECT_EQ(shown(control("Fontsize")), "72");
}

TEST_F(Bindings, ANewCoverSavedAtOnceHoldsTheSelectedFonts)
{
    dialogs.files = {path("new.vrz")};
    editor->findChild<QAction*>("mSaveAs")->trigger();
    const QString ini = settingsIn(path("new.vrz"));
    for (const char* key : {"Fontname", "Fontname2", "FrontFont", "FrontFont2"})
        EXPECT_EQ(ReadINI(ini, "LastCover", key), "Verdana") << key;
    for (const auto& [key, size] : {std::pair{"Fontsize", "16"}, std::pair{"Fontsize2", "12"},
                                    std::pair{"FrontFontSize", "12"}, std::pair{"FrontFontSize2", "12"}})
        EXPECT_EQ(ReadINI(ini, "LastCover", key), size) << key;
}

TEST_F(Bindings, AFontThisSystemLacksKeepsItsNameThroughOpenAndSave)
{
    const QString cover = coverArchive("Windows", {"Fontname2=Arial", "FrontFont=dejavu sans"});
    editor->OpenSub(cover);
    auto* contentsFace = control<QComboBox>("Fontname2");
    EXPECT_EQ(contentsFace->currentText(), "Arial");
    EXPECT_EQ(contentsFace->count(), printers.fontFamilies().size() + 1);
    // Another spelling of a listed font selects it and keeps the cover's spelling.
    EXPECT_EQ(control<QComboBox>("FrontFont")->currentText(), "DejaVu Sans");
    EXPECT_EQ(doc().FrontFont, "dejavu sans");

    control<QCheckBox>("FlipLabels")->setChecked(true);
    editor->findChild<QAction*>("mSave")->trigger();
    const QString ini = settingsIn(cover);
    EXPECT_EQ(ReadINI(ini, "LastCover", "Fontname2"), "Arial");
    EXPECT_EQ(ReadINI(ini, "LastCover", "FrontFont"), "dejavu sans");
    EXPECT_EQ(ReadINI(ini, "LastCover", "FlipLabels"), "1");

    // Choosing an installed font leaves the stand-in behind.
    contentsFace->setCurrentIndex(contentsFace->findText("Liberation Sans"));
    EXPECT_EQ(doc().Fontname2, "Liberation Sans");
    EXPECT_EQ(contentsFace->findText("Arial"), -1);
}

TEST_F(Bindings, ControlsAreEnabledAsTheirSettingsAllow)
{
    struct Rule {
        const char* control;
        QString value; // what the control is set to ("1" ticks a box or chooses an option)
        const char* dependent;
        bool enabled;
    };
    const Rule rules[] = {
        {"Counter", "0", "CountFrom", false},         {"Counter", "1", "CountFrom", true},
        {"Counter2", "0", "CountFrom2", false},       {"Counter2", "1", "CountFrom2", true},
        {"WriteLines", "0", "LineSpace", false},      {"WriteLines", "0", "LineNumbers", false},
        {"WriteLines", "1", "LineSpace", true},       {"WriteLines", "1", "LineNumbers", true},
        {"CutToCutLines", "1", "pCenter", true},      {"StretchToCutLines", "1", "pCenter", false},
        {"CutToCrullLines", "1", "pCenter", true},    {"StretchToCrullLines", "1", "pCenter", false},
        {"InnerStretch", "1", "fCenter1", false},     {"InnerCut", "1", "fCenter1", true},
        {"OuterStretch", "1", "fCenter", false},      {"OuterCut", "1", "fCenter", true},
    };
    for (const Rule& rule : rules) {
        auto* button = control<QAbstractButton>(rule.control);
        button->setChecked(rule.value == "1");
        EXPECT_EQ(control(rule.dependent)->isEnabled(), rule.enabled)
            << rule.control << "=" << rule.value.toStdString();
    }
    // A disabled "Center" keeps its tick for when a cut placement comes back.
    control<QRadioButton>("CutToCutLines")->setChecked(true);
    control<QCheckBox>("pCenter")->setChecked(true);
    control<QRadioButton>("StretchToCutLines")->setChecked(true);
    EXPECT_EQ(doc().pCenter, 1);
    EXPECT_EQ(doc().pMethod, 0);
}

TEST_F(Bindings, TheContentsBoldAndItalicBoxesWriteTheSwappedKeys)
{
    QWidget* textTab = control("TextTab");
    for (const auto& [caption, key, other] : {std::tuple{"Bold", "FontItalic2", "FontBold2"},
                                              std::tuple{"Italic", "FontBold2", "FontItalic2"}}) {
        QCheckBox* box = nullptr;
        for (auto* b : textTab->findChildren<QCheckBox*>())
            box = b->text() == caption ? b : box;
        ASSERT_NE(box, nullptr) << caption;
        box->setChecked(true);
        EXPECT_EQ(saved(key), "1") << caption;
        EXPECT_EQ(saved(other), "0") << caption;
        const QFont font = control<SheetTextBox>("ContentsBox")->font();
        EXPECT_EQ(font.bold(), QString(caption) == "Bold") << caption;
        EXPECT_EQ(font.italic(), QString(caption) == "Italic") << caption;
        box->setChecked(false);
    }
}

TEST_F(Bindings, TypedMarginsAndSpacingStayInTheirRanges)
{
    for (const auto& [name, typed] : {std::pair{"topmargin", "15"}, std::pair{"fLMargin2", "-3"},
                                      std::pair{"LineSpace", "0.001"}, std::pair{"LineSpace", "75"}}) {
        control<QCheckBox>("WriteLines")->setChecked(true);
        auto* spin = control<QSpinBox>(name);
        QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(spin, typed);
        QTest::keyClick(spin, Qt::Key_Enter);
        const double value = leadingNumber(saved(name));
        const bool spacing = QString(name) == "LineSpace";
        EXPECT_GE(value, spacing ? 1 : 0) << name << " typed " << typed;
        EXPECT_LE(value, spacing ? 60 : 10) << name << " typed " << typed;
    }
}

} // namespace
