#include "editor/settings_pages.h"

#include "editor/settings_widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

using namespace settingsui;

namespace {

QWidget* globalPage()
{
    return page("FrontGlobalTab",
                {{check("Counter2"), form({field("CountFrom2")})},
                 {formGroup("FrontLineColorFrame", {swatch("fCutColor"), swatch("fCrullColor")})}});
}

// The font frames of the two sides carry no caption: no language entry names them.
QWidget* innerPage()
{
    return page("InnerTab",
                {{check("sfText2"),
                  formGroup("InnerFontFrame", {list("FrontFont2"), list("FrontFontSize2"), check("fFontBold2"),
                                               check("fFontItalic2"), swatch("fFontColor2"), swatch("fBackColor2")})},
                 {formGroup("InnerMarginsFrame", {marginSpin("fTMargin2"), marginSpin("fLMargin2")}),
                  stackGroup("InnerPictureFrame", {option("InnerStretch"), option("InnerCut"), check("fCenter1")})},
                 {check("WriteLines"), check("LineNumbers"), form({spacingSpin("LineSpace")}),
                  check("EditInnerText")}});
}

QWidget* outerPage()
{
    return page("OuterTab",
                {{check("sfText"), check("fFontCenter"),
                  formGroup("OuterFontFrame", {list("FrontFont"), list("FrontFontSize"), check("fFontBold"),
                                               check("fFontItalic"), swatch("fFontColor"), swatch("fBackColor")})},
                 {formGroup("OuterMarginsFrame", {marginSpin("fTMargin"), marginSpin("fLMargin")}),
                  stackGroup("OuterPictureFrame", {option("OuterStretch"), option("OuterCut"), check("fCenter")})},
                 {check("EditOuterText")}});
}

} // namespace

QTabWidget* buildFrontSettings()
{
    return tabs("FrontSettingsTabs", {globalPage(), innerPage(), outerPage()});
}
