#pragma once

#include "shell/language.h"

#include <QString>

#include <vector>

struct CoverDocument;

// The sheets a change redraws.
enum class Redraw { Back, Front, Both };

// What kind of control edits a setting, and so how its value is read and shown.
enum class ControlKind {
    Check,    // check box: a flag, 0 or 1
    Option,   // one option of a group: writes its option value when chosen
    FontFace, // list of the font families
    FontSize, // list of the 22 point sizes
    Line,     // one-line text field, the text as typed
    Swatch,   // colour swatch: the colour dialog's choice, 0x00BBGGRR
    Margin,   // spin box of whole millimetres, 0 to 10
    Spacing,  // spin box of the note-line spacing, 1 to 60 mm
};

// What a change does besides writing its key and redrawing its sheet.
enum class Effect {
    None,
    Enables,      // other controls are enabled by its value (enableRules)
    TextBoxLook,  // a text box takes the font or colour of its text
    TextBoxPlace, // a text box moves to its text area
};

// A caption: the language entry that names it, and its designed English text, shown
// until a language is applied and wherever the loaded language lacks the entry.
struct Caption {
    LangSection section;
    int entry;
    const char* designed;
};

// One control of the editor and the setting it edits. The control's object name is the
// key's, except for options, which share their key. The caption is the control's own
// (boxes and options) or that of the label beside it.
struct Binding {
    const char* control;
    const char* key;
    ControlKind kind;
    Redraw redraw;
    Effect effect;
    Caption caption;
    int CoverDocument::*number; // the field of flags, options and colours
    QString CoverDocument::*text; // the field of texts, fonts, sizes and number texts
    int option;                 // the value an option writes
};

// Every control of both sheets, back first, each tab's in the order of its page.
const std::vector<Binding>& bindings();
// The row of a control, or nullptr.
const Binding* bindingOf(const QString& control);

// A row's setting as text: flags and options as their number, colours in decimal.
QString bindingValue(const CoverDocument& doc, const Binding& row);
void setBindingValue(CoverDocument& doc, const Binding& row, const QString& value);
// Whether an option row is the chosen one of its group.
bool isChosen(const CoverDocument& doc, const Binding& row);

// Controls that are usable only in some states of the document: the counter fields
// with their counter, "Center" with a cut placement, spacing and numbers with note lines.
struct EnableRule {
    const char* control;
    bool (*enabled)(const CoverDocument& doc);
};
const std::vector<EnableRule>& enableRules();
