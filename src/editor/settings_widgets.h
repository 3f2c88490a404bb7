#pragma once

#include <QToolButton>

#include <initializer_list>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTabWidget;

// A button showing a colour (0x00BBGGRR); the editor asks for another when it is clicked.
class ColorSwatch final : public QToolButton {
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);
    int value() const { return m_value; }
    void setValue(int color);

private:
    int m_value = -1;
};

// The pieces the settings pages are made of. Each takes the element's object name; its
// caption is the designed one of that name (captions.h) until a language is applied.
namespace settingsui {

QGroupBox* group(const char* name);
QCheckBox* check(const char* name);
QRadioButton* option(const char* name);
QComboBox* list(const char* name);
QLineEdit* field(const char* name);
ColorSwatch* swatch(const char* name);
// Whole millimetres 0 to 10.
QSpinBox* marginSpin(const char* name);
// Note-line spacing, 1 to 60 mm.
QSpinBox* spacingSpin(const char* name);

// Adds a row of a caption label and its control; the label, named after the control with
// "Label" appended, is the control's buddy, so the control is known by the caption. Boxes
// and options carry their caption and take the whole row.
void addRow(QFormLayout* form, QWidget* control);
// The rows of a form, without a frame.
QWidget* form(std::initializer_list<QWidget*> controls);
// A group box holding the rows of a form.
QGroupBox* formGroup(const char* name, std::initializer_list<QWidget*> controls);
// A group box holding the widgets one below the other.
QGroupBox* stackGroup(const char* name, std::initializer_list<QWidget*> widgets);
// A settings page: the columns side by side, each a stack of widgets, top-aligned.
QWidget* page(const char* name, std::initializer_list<std::initializer_list<QWidget*>> columns);
// A tab for each page, captioned with the page's caption.
QTabWidget* tabs(const char* name, std::initializer_list<QWidget*> pages);

} // namespace settingsui
