#include "archive/zip_engine.h"
#include "document/font_matching.h"
#include "editor/settings_widgets.h"
#include "toolbox/ini_file.h"

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
        EXPECT_TRUE(SaveIniFile(doc(), path("check.ini"), QString(), true));
        return ReadINI(path("check.ini"), "LastCover", key);
    }
    // The settings file inside a cover archive, unpacked.
    QString settingsIn(const QString& archive)
    {
        EXPECT_EQ(ExtractFile(archive, path("unpacked/"), false, false), 0);
        return path("unpacked/vorn.ini");
    }
    // The text box over the text whose settings page holds widget, if any.
    SheetTextBox* boxOf(const QWidget* widget) const
    {
        for (const EditedText& t : kEditedTexts) {
            if (control(t.page)->isAncestorOf(widget))
                return box(t.box);
        }
        return nullptr;
    }
    static QString lookOf(const SheetTextBox* box)
    {
        return box->font().toString() + box->palette().color(QPalette::Base).name()
            + box->palette().color(QPalette::Text).name()
            + QString::number(box->document()->firstBlock().blockFormat().alignment());
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
    // Changes a control to another value, as the user would; the value its setting should take.
    QString change(QWidget* widget)
    {
        if (auto* option = qobject_cast<QRadioButton*>(widget)) {
            EXPECT_FALSE(option->isChecked()) << widget->objectName().toStdString();
            option->setChecked(true);
            return kOptionValues.at(widget->objectName());
        }
        dialogs.colors = {0x123456}; // for a swatch
        if (auto* button = qobject_cast<QAbstractButton*>(widget))
            button->click();
        else if (auto* list = qobject_cast<QComboBox*>(widget))
            list->setCurrentIndex((list->currentIndex() + 1) % list->count());
        else if (auto* field = qobject_cast<QLineEdit*>(widget))
            field->setText(field->text() + "7");
        else if (auto* spin = qobject_cast<QSpinBox*>(widget))
            spin->setValue(spin->value() < spin->maximum() ? spin->value() + 1 : spin->value() - 1);
        dialogs.colors.clear();
        return shown(widget);
    }
};

TEST_F(Bindings, EachControlWritesItsKeyRedrawsOnlyItsSheetAndShapesItsTextBox)
{
    const QWidget* backTab = control("BackTab");
    QStringList edited;
    for (const Binding& row : bindings()) {
        const QString key = QString::fromLatin1(row.key);
        QWidget* widget = control(QString::fromLatin1(row.control));
        ASSERT_NE(widget, nullptr);
        SheetTextBox* textBox = boxOf(widget);
        const QString look = textBox ? lookOf(textBox) : QString();
        const QRect place = textBox ? textBox->geometry() : QRect();
        const QString before = saved(key);
        scribbleOnPreviews();
        doc().saved = true;
        const QString expected = change(widget);
        EXPECT_NE(expected, before) << row.control;
        EXPECT_EQ(saved(key), expected) << row.control;
        EXPECT_FALSE(doc().saved) << row.control;
        // The line colours show on both sheets; everything else on the sheet of its tab.
        const bool both = key.endsWith("CutColor") || key.endsWith("CrullColor");
        EXPECT_EQ(redrawn(), both ? "both" : backTab->isAncestorOf(widget) ? "back" : "front") << row.control;
        if (textBox) {
            EXPECT_EQ(lookOf(textBox) != look, row.effect == Effect::TextBoxLook) << row.control;
            EXPECT_EQ(textBox->geometry() != place, row.effect == Effect::TextBoxPlace) << row.control;
        }
        edited << key;
    }
    // Every setting of the file has its control; only the pictures are set elsewhere.
    const QList<QByteArray> lines = fixtures::readFile(path("check.ini")).split('\n');
    ASSERT_GT(lines.size(), 50);
    for (const QByteArray& line : lines) {
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
        {"fBackColor2", "8"}, {"WriteLines", "1"}, {"LineNumbers", "1"}, {"LineSpace", "12"},
        // The options, chosen or not
        {"StretchToCutLines", "0"}, {"CutToCrullLines", "1"}, {"InnerStretch", "1"}, {"InnerCut", "0"},
        {"OuterStretch", "1"}, {"OuterCut", "0"}};
    QByteArray lines = "pMethod=3\r\nfStretch=1\r\nfStretch1=1\r\n";
    for (const auto& [key, value] : values) {
        if (!kOptionValues.count(key))
            lines += (key + "=\"" + value + "\"\r\n").toLatin1();
    }
    editor->OpenSub(coverArchive("Album.vrz", lines, "01 Intro\r\n02 Outro"));
    ASSERT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();

    for (const auto& [name, value] : values)
        EXPECT_EQ(shown(control(name)), value) << name.toStdString();
    // The enabled states follow the cover too.
    EXPECT_FALSE(control("CountFrom")->isEnabled());
    EXPECT_TRUE(control("pCenter")->isEnabled());
    EXPECT_FALSE(control("fCenter")->isEnabled());
    EXPECT_TRUE(control("LineSpace")->isEnabled());
    EXPECT_EQ(box("ContentsBox")->text(), "01 Intro\r\n02 Outro");
    EXPECT_EQ(editor->windowTitle(), "Album.vrz[*]");
    EXPECT_TRUE(doc().saved);
}

// The lists offer the printer's fonts and the sizes; a new cover saved at once holds those selected.
TEST_F(Bindings, ANewCoverSavedAtOnceHoldsTheSelectedFonts)
{
    dialogs.files = {path("new.vrz")};
    action("mSaveAs")->trigger();
    const QString ini = settingsIn(path("new.vrz"));
    for (const auto& [key, value] : std::map<QString, QString>{
             {"Fontname", "Verdana"}, {"Fontname2", "Verdana"}, {"FrontFont", "Verdana"}, {"FrontFont2", "Verdana"},
             {"Fontsize", "16"}, {"Fontsize2", "12"}, {"FrontFontSize", "12"}, {"FrontFontSize2", "12"}}) {
        auto* list = control<QComboBox>(key);
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->itemText(i);
        EXPECT_EQ(entries, key.contains("size", Qt::CaseInsensitive) ? fontSizes() : printers.fontFamilies()) << key.toStdString();
        EXPECT_EQ(QStringList({list->currentText(), ReadINI(ini, "LastCover", key)}), QStringList(2, value)) << key.toStdString();
    }
}

TEST_F(Bindings, AFontThisSystemLacksKeepsItsNameThroughOpenAndSave)
{
    const QString cover = coverArchive("Windows.vrz", "Fontname2=Arial\r\nFrontFont=dejavu sans\r\n");
    editor->OpenSub(cover);
    auto* contentsFace = control<QComboBox>("Fontname2");
    EXPECT_EQ(contentsFace->currentText(), "Arial");
    EXPECT_EQ(contentsFace->count(), printers.fontFamilies().size() + 1);
    // Another spelling of a listed font selects it and keeps the cover's spelling.
    EXPECT_EQ(control<QComboBox>("FrontFont")->currentText(), "DejaVu Sans");
    EXPECT_EQ(doc().FrontFont, "dejavu sans");

    control<QCheckBox>("FlipLabels")->setChecked(true);
    action("mSave")->trigger();
    const QString ini = settingsIn(cover);
    EXPECT_EQ(QStringList({ReadINI(ini, "LastCover", "Fontname2"), ReadINI(ini, "LastCover", "FrontFont"),
                           ReadINI(ini, "LastCover", "FlipLabels")}),
              QStringList({"Arial", "dejavu sans", "1"}));

    // Choosing an installed font leaves the stand-in behind.
    contentsFace->setCurrentIndex(contentsFace->findText("Liberation Sans"));
    EXPECT_EQ(doc().Fontname2, "Liberation Sans");
    EXPECT_EQ(contentsFace->findText("Arial"), -1);
}

TEST_F(Bindings, ControlsAreEnabledAsTheirSettingsAllow)
{
    // The box ticked or the option chosen (or the box cleared), the dependent control's state.
    const struct {
        const char* control;
        bool on;
        const char* dependent;
        bool enabled;
    } rules[] = {
        {"Counter", false, "CountFrom", false},      {"Counter", true, "CountFrom", true},
        {"Counter2", false, "CountFrom2", false},    {"Counter2", true, "CountFrom2", true},
        {"WriteLines", false, "LineSpace", false},   {"WriteLines", false, "LineNumbers", false},
        {"WriteLines", true, "LineSpace", true},     {"WriteLines", true, "LineNumbers", true},
        {"CutToCutLines", true, "pCenter", true},    {"StretchToCutLines", true, "pCenter", false},
        {"CutToCrullLines", true, "pCenter", true},  {"StretchToCrullLines", true, "pCenter", false},
        {"InnerStretch", true, "fCenter1", false},   {"InnerCut", true, "fCenter1", true},
        {"OuterStretch", true, "fCenter", false},    {"OuterCut", true, "fCenter", true},
    };
    for (const auto& rule : rules) {
        control<QAbstractButton>(rule.control)->setChecked(rule.on);
        EXPECT_EQ(control(rule.dependent)->isEnabled(), rule.enabled) << rule.control << "=" << rule.on;
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
    for (const auto& [caption, key, other] : {std::tuple{"Bold", "FontItalic2", "FontBold2"},
                                              std::tuple{"Italic", "FontBold2", "FontItalic2"}}) {
        QCheckBox* check = nullptr;
        for (auto* b : control("TextTab")->findChildren<QCheckBox*>())
            check = b->text() == caption ? b : check;
        ASSERT_NE(check, nullptr) << caption;
        check->setChecked(true);
        EXPECT_EQ(saved(key) + saved(other), "10") << caption;
        const QFont font = box("ContentsBox")->font();
        EXPECT_EQ(QString(font.bold() ? "Bold" : "") + (font.italic() ? "Italic" : ""), caption);
        check->setChecked(false);
    }
}

TEST_F(Bindings, TypedMarginsAndSpacingStayInTheirRanges)
{
    control<QCheckBox>("WriteLines")->setChecked(true);
    for (const auto& [name, typed] : {std::pair{"topmargin", "15"}, std::pair{"fLMargin2", "-3"},
                                      std::pair{"LineSpace", "0.001"}, std::pair{"LineSpace", "75"}}) {
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
