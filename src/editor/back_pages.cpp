#include "editor/settings_pages.h"

#include "editor/captions.h"
#include "editor/settings_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

using namespace settingsui;

namespace {

QWidget* globalPage()
{
    return page("BackGlobalTab", {{check("Counter"), form({field("CountFrom")})},
                                  {formGroup("LineColorFrame", {swatch("CutColor"), swatch("CrullColor")})}});
}

QWidget* labelPage()
{
    auto* hint = new QLabel(designedCaption(QStringLiteral("LabelHint")));
    hint->setObjectName(QStringLiteral("LabelHint"));
    hint->setWordWrap(true);
    QLineEdit* label = field("Text");
    label->setMinimumWidth(200);
    return page("LabelTab",
                {{stackGroup("LabelTextFrame", {label, hint}), check("FlipLabels")},
                 {formGroup("LabelFontFrame",
                            {list("Fontname"), list("Fontsize"), check("FontBold"), check("FontItalic")}),
                  formGroup("LabelColorFrame", {swatch("ForeColor")})}});
}

QWidget* textPage()
{
    // "Bold" writes FontItalic2 and "Italic" FontBold2 (see the binding table).
    return page("TextTab",
                {{formGroup("TextFontFrame",
                            {list("Fontname2"), list("Fontsize2"), check("FontItalic2"), check("FontBold2")}),
                  formGroup("TextColorFrame", {swatch("BackColor"), swatch("ForeColor2")})},
                 {stackGroup("PictureFrame", {option("StretchToCutLines"), option("StretchToCrullLines"),
                                              option("CutToCutLines"), option("CutToCrullLines"), check("pCenter")}),
                  formGroup("MarginsFrame", {marginSpin("topmargin"), marginSpin("leftmargin")})}});
}

} // namespace

QTabWidget* buildBackSettings()
{
    return tabs("BackSettingsTabs", {globalPage(), labelPage(), textPage()});
}
