#include "editor/bindings.h"

#include "document/cover_document.h"

#include <cmath>

namespace {

using D = CoverDocument;
constexpr LangSection kBack = LangSection::BackCover;
constexpr LangSection kFront = LangSection::FrontCover;

Binding flag(const char* key, int D::*field, Redraw sheet, Caption caption, Effect effect = Effect::None)
{
    return {key, key, ControlKind::Check, sheet, effect, caption, field, nullptr, 0};
}

Binding option(const char* control, const char* key, int D::*field, int value, Redraw sheet, Caption caption)
{
    return {control, key, ControlKind::Option, sheet, Effect::Enables, caption, field, nullptr, value};
}

Binding color(const char* key, int D::*field, Redraw sheet, Caption caption, Effect effect = Effect::None)
{
    return {key, key, ControlKind::Swatch, sheet, effect, caption, field, nullptr, 0};
}

Binding text(const char* key, ControlKind kind, QString D::*field, Redraw sheet, Caption caption,
             Effect effect = Effect::None)
{
    return {key, key, kind, sheet, effect, caption, nullptr, field, 0};
}

std::vector<Binding> makeBindings()
{
    using K = ControlKind;
    const Redraw back = Redraw::Back;
    const Redraw front = Redraw::Front;
    const Effect look = Effect::TextBoxLook;
    const Effect place = Effect::TextBoxPlace;
    return {
        // Back, "Global"
        flag("Counter", &D::Counter, back, {kBack, 32, "Counter variable (%C)"}, Effect::Enables),
        text("CountFrom", K::Line, &D::CountFrom, back, {kBack, 33, "Count from:"}),
        color("CutColor", &D::CutColor, Redraw::Both, {kBack, 35, "Cut-lines"}),
        color("CrullColor", &D::CrullColor, Redraw::Both, {kBack, 36, "Crull-lines"}),
        // Back, "Label"
        text("Text", K::Line, &D::Text, back, {kBack, 3, "Text"}),
        flag("FlipLabels", &D::FlipLabels, back, {kBack, 41, "Flip labels"}),
        text("Fontname", K::FontFace, &D::Fontname, back, {kBack, 9, "Font face"}),
        text("Fontsize", K::FontSize, &D::Fontsize, back, {kBack, 10, "Font size"}),
        // No language entry names the label's "Bold"; the contents' one serves both.
        flag("FontBold", &D::FontBold, back, {kBack, 25, "Bold"}),
        flag("FontItalic", &D::FontItalic, back, {kBack, 12, "Italic"}),
        color("ForeColor", &D::ForeColor, back, {kBack, 14, "Font"}),
        // Back, "Text"
        color("BackColor", &D::BackColor, back, {kBack, 29, "Background"}, look),
        color("ForeColor2", &D::ForeColor2, back, {kBack, 30, "Text"}, look),
        text("Fontname2", K::FontFace, &D::Fontname2, back, {kBack, 24, "Font face"}, look),
        text("Fontsize2", K::FontSize, &D::Fontsize2, back, {kBack, 27, "Font size"}, look),
        // Stored swapped: the box captioned "Bold" writes FontItalic2, "Italic" FontBold2.
        flag("FontItalic2", &D::FontItalic2, back, {kBack, 25, "Bold"}, look),
        flag("FontBold2", &D::FontBold2, back, {kBack, 26, "Italic"}, look),
        option("StretchToCutLines", "pMethod", &D::pMethod, 0, back, {kBack, 17, "Stretch to cut-lines"}),
        option("StretchToCrullLines", "pMethod", &D::pMethod, 1, back, {kBack, 18, "Stretch to crull-lines"}),
        option("CutToCutLines", "pMethod", &D::pMethod, 2, back, {kBack, 38, "Cut to cut-lines"}),
        option("CutToCrullLines", "pMethod", &D::pMethod, 3, back, {kBack, 39, "Cut to crull-lines"}),
        flag("pCenter", &D::pCenter, back, {kBack, 19, "Center"}),
        text("topmargin", K::Margin, &D::topmargin, back, {kBack, 21, "Top"}, place),
        text("leftmargin", K::Margin, &D::leftmargin, back, {kBack, 22, "Left"}, place),
        // Front, "Global"
        flag("Counter2", &D::Counter2, front, {kFront, 15, "Counter variable (%C)"}, Effect::Enables),
        text("CountFrom2", K::Line, &D::CountFrom2, front, {kFront, 16, "Count from:"}),
        color("fCutColor", &D::fCutColor, Redraw::Both, {kFront, 18, "Cut-lines"}),
        color("fCrullColor", &D::fCrullColor, Redraw::Both, {kFront, 19, "Crull-lines"}),
        // Front, "Inner-side"
        flag("sfText2", &D::sfText2, front, {kFront, 21, "Enable inner-text"}),
        text("FrontFont2", K::FontFace, &D::FrontFont2, front, {kFront, 22, "Font face"}, look),
        text("FrontFontSize2", K::FontSize, &D::FrontFontSize2, front, {kFront, 25, "Font size"}, look),
        flag("fFontBold2", &D::fFontBold2, front, {kFront, 23, "Bold"}, look),
        flag("fFontItalic2", &D::fFontItalic2, front, {kFront, 24, "Italic"}, look),
        color("fFontColor2", &D::fFontColor2, front, {kFront, 26, "Font color"}, look),
        color("fBackColor2", &D::fBackColor2, front, {kFront, 27, "Background color"}, look),
        text("fTMargin2", K::Margin, &D::fTMargin2, front, {kFront, 29, "Top"}, place),
        text("fLMargin2", K::Margin, &D::fLMargin2, front, {kFront, 30, "Left"}, place),
        option("InnerStretch", "fStretch1", &D::fStretch1, 1, front, {kFront, 4, "Stretch"}),
        option("InnerCut", "fStretch1", &D::fStretch1, 0, front, {kFront, 5, "Cut"}),
        flag("fCenter1", &D::fCenter1, front, {kFront, 7, "Center"}),
        flag("WriteLines", &D::WriteLines, front, {kFront, 12, "Note lines"}, Effect::Enables),
        flag("LineNumbers", &D::LineNumbers, front, {kFront, 14, "Numbers"}),
        text("LineSpace", K::Spacing, &D::LineSpace, front, {kFront, 13, "Space:"}),
        // Front, "Outer-side"
        flag("sfText", &D::sfText, front, {kFront, 33, "Enable outer-text"}),
        flag("fFontCenter", &D::fFontCenter, front, {kFront, 37, "Centered"}, look),
        text("FrontFont", K::FontFace, &D::FrontFont, front, {kFront, 34, "Font face"}, look),
        text("FrontFontSize", K::FontSize, &D::FrontFontSize, front, {kFront, 38, "Font size"}, look),
        flag("fFontBold", &D::fFontBold, front, {kFront, 35, "Bold"}, look),
        flag("fFontItalic", &D::fFontItalic, front, {kFront, 36, "Italic"}, look),
        color("fFontColor", &D::fFontColor, front, {kFront, 39, "Font color"}, look),
        color("fBackColor", &D::fBackColor, front, {kFront, 40, "Background color"}, look),
        text("fTMargin", K::Margin, &D::fTMargin, front, {kFront, 42, "Top"}, place),
        text("fLMargin", K::Margin, &D::fLMargin, front, {kFront, 43, "Left"}, place),
        option("OuterStretch", "fStretch", &D::fStretch, 1, front, {kFront, 9, "Stretch"}),
        option("OuterCut", "fStretch", &D::fStretch, 0, front, {kFront, 10, "Cut"}),
        flag("fCenter", &D::fCenter, front, {kFront, 11, "Center"}),
    };
}

} // namespace

const std::vector<Binding>& bindings()
{
    static const std::vector<Binding> rows = makeBindings();
    return rows;
}

const Binding* bindingOf(const QString& control)
{
    for (const Binding& row : bindings()) {
        if (control == QLatin1String(row.control))
            return &row;
    }
    return nullptr;
}

QString bindingValue(const CoverDocument& doc, const Binding& row)
{
    return row.text ? doc.*row.text : QString::number(doc.*row.number);
}

void setBindingValue(CoverDocument& doc, const Binding& row, const QString& value)
{
    if (row.text)
        doc.*row.text = value;
    else
        doc.*row.number = int(std::nearbyint(leadingNumber(value)));
}

bool isChosen(const CoverDocument& doc, const Binding& row)
{
    return row.kind == ControlKind::Option && doc.*row.number == row.option;
}

const std::vector<EnableRule>& enableRules()
{
    static const std::vector<EnableRule> rules = {
        {"CountFrom", [](const D& d) { return d.Counter != 0; }},
        {"CountFrom2", [](const D& d) { return d.Counter2 != 0; }},
        {"pCenter", [](const D& d) { return d.pMethod == 2 || d.pMethod == 3; }},
        {"fCenter1", [](const D& d) { return d.fStretch1 == 0; }},
        {"fCenter", [](const D& d) { return d.fStretch == 0; }},
        {"LineSpace", [](const D& d) { return d.WriteLines != 0; }},
        {"LineNumbers", [](const D& d) { return d.WriteLines != 0; }},
    };
    return rules;
}
