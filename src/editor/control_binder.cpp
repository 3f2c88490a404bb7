#include "editor/control_binder.h"

#include "document/cover_document.h"
#include "document/font_matching.h"
#include "editor/bindings.h"
#include "editor/settings_widgets.h"
#include "platform/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cmath>

namespace {

// Marks the entry a font list shows for a cover font that is not installed.
constexpr int kStandInRole = Qt::UserRole + 1;

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The list entry equal to name without regard to case; otherwise a first entry standing
// in for the name, which the cover keeps: it names a font this system lacks.
void showFontFace(QComboBox* box, const QString& name)
{
    const int standIn = box->findData(true, kStandInRole);
    if (standIn >= 0)
        box->removeItem(standIn);
    if (name.isEmpty())
        return;
    QStringList entries;
    for (int i = 0; i < box->count(); ++i)
        entries << box->itemText(i);
    const int found = matchFontName(entries, name);
    if (found >= 0 && entries[found].compare(name, Qt::CaseInsensitive) == 0) {
        box->setCurrentIndex(found);
        return;
    }
    box->insertItem(0, name);
    box->setItemData(0, true, kStandInRole);
    QFont italic = box->font();
    italic.setItalic(true);
    box->setItemData(0, italic, Qt::FontRole);
    box->setItemData(0, QStringLiteral("Not installed: drawn with %1").arg(QFontInfo(QFont(name)).family()),
                     Qt::ToolTipRole);
    box->setCurrentIndex(0);
}

// The entry of that text, else the last of the same number; otherwise the selection stays.
void showFontSize(QComboBox* box, const QString& size)
{
    int found = box->findText(size, Qt::MatchFixedString);
    for (int i = 0; found < 0 && i < box->count(); ++i) {
        if (leadingNumber(box->itemText(i)) == leadingNumber(size))
            found = i;
    }
    if (found >= 0)
        box->setCurrentIndex(found);
}

void showOption(QRadioButton* option, bool chosen)
{
    if (chosen) {
        option->setChecked(true);
    } else if (option->isChecked()) {
        // An exclusive option cannot be cleared on its own: a value no option stands for.
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

} // namespace

ControlBinder::ControlBinder(QWidget* root) : QObject(root), m_root(root)
{
    for (const Binding& row : bindings()) {
        QWidget* control = root->findChild<QWidget*>(QString::fromLatin1(row.control));
        m_controls.push_back(control);
        if (control)
            connectRow(row, control);
    }
}

QWidget* ControlBinder::control(const Binding& row) const
{
    const size_t i = size_t(&row - bindings().data());
    return i < m_controls.size() ? m_controls[i] : nullptr;
}

QString ControlBinder::caption(const Binding& row) const
{
    QWidget* widget = control(row);
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable())
        return button->text().remove(QLatin1Char('&'));
    return widget ? widget->accessibleName() : QString();
}

void ControlBinder::connectRow(const Binding& row, QWidget* control)
{
    const Binding* r = &row;
    switch (row.kind) {
    case ControlKind::Check:
        connect(static_cast<QCheckBox*>(control), &QCheckBox::toggled, this,
                [this, r](bool on) { emit edited(*r, flagText(on)); });
        break;
    case ControlKind::Option:
        connect(static_cast<QRadioButton*>(control), &QRadioButton::toggled, this, [this, r](bool on) {
            if (on)
                emit edited(*r, QString::number(r->option));
        });
        break;
    case ControlKind::FontFace:
    case ControlKind::FontSize: {
        auto* box = static_cast<QComboBox*>(control);
        connect(box, &QComboBox::currentIndexChanged, this, [this, r, box] { emit edited(*r, box->currentText()); });
        break;
    }
    case ControlKind::Line:
        connect(static_cast<QLineEdit*>(control), &QLineEdit::textChanged, this,
                [this, r](const QString& text) { emit edited(*r, text); });
        break;
    case ControlKind::Swatch: {
        auto* swatch = static_cast<ColorSwatch*>(control);
        connect(swatch, &ColorSwatch::clicked, this, [this, r, swatch] {
            const int color = dialogs().color(swatch->value());
            if (color >= 0)
                emit edited(*r, QString::number(color));
        });
        break;
    }
    case ControlKind::Margin:
    case ControlKind::Spacing:
        connect(static_cast<QSpinBox*>(control), &QSpinBox::valueChanged, this,
                [this, r](int value) { emit edited(*r, QString::number(value)); });
        break;
    }
}

void ControlBinder::show(const CoverDocument& doc)
{
    for (const Binding& row : bindings())
        showRow(doc, row);
    applyEnableRules(doc);
}

void ControlBinder::showRow(const CoverDocument& doc, const Binding& row)
{
    QWidget* widget = control(row);
    if (!widget)
        return;
    const QSignalBlocker quiet(widget);
    const QString value = bindingValue(doc, row);
    switch (row.kind) {
    case ControlKind::Check:
        static_cast<QCheckBox*>(widget)->setChecked(doc.*row.number != 0);
        break;
    case ControlKind::Option:
        showOption(static_cast<QRadioButton*>(widget), isChosen(doc, row));
        break;
    case ControlKind::FontFace:
        showFontFace(static_cast<QComboBox*>(widget), value);
        break;
    case ControlKind::FontSize:
        showFontSize(static_cast<QComboBox*>(widget), value);
        break;
    case ControlKind::Line:
        if (auto* edit = static_cast<QLineEdit*>(widget); edit->text() != value)
            edit->setText(value);
        break;
    case ControlKind::Swatch:
        static_cast<ColorSwatch*>(widget)->setValue(doc.*row.number);
        break;
    case ControlKind::Margin:
    case ControlKind::Spacing:
        static_cast<QSpinBox*>(widget)->setValue(int(std::nearbyint(leadingNumber(value))));
        break;
    }
}

void ControlBinder::applyEnableRules(const CoverDocument& doc)
{
    for (const EnableRule& rule : enableRules()) {
        if (auto* widget = m_root->findChild<QWidget*>(QString::fromLatin1(rule.control)))
            widget->setEnabled(rule.enabled(doc));
    }
}
