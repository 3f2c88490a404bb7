#include "editor/settings_widgets.h"

#include "document/cover_document.h"
#include "editor/captions.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

ColorSwatch::ColorSwatch(QWidget* parent) : QToolButton(parent)
{
    setIconSize(QSize(32, 14));
    setValue(0);
}

void ColorSwatch::setValue(int color)
{
    if (m_value == color)
        return;
    m_value = color;
    QPixmap chip(iconSize());
    chip.fill(colorFromValue(color));
    QPainter painter(&chip);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawRect(chip.rect().adjusted(0, 0, -1, -1));
    painter.end();
    setIcon(QIcon(chip));
    // The colour is what a screen reader tells, beside the caption.
    setAccessibleDescription(colorFromValue(color).name());
}

namespace {

// A settings list as a screen reader meets it: named by its caption, its choice as its
// value. (Qt names lists by their current entry on this platform, so "Font size" would be
// heard as "16".)
class CaptionedListAccessible final : public QAccessibleWidget {
public:
    explicit CaptionedListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return static_cast<QComboBox*>(widget())->currentText();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return QStringList(showMenuAction()) << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (action == showMenuAction())
            static_cast<QComboBox*>(widget())->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }
};

constexpr const char* kCaptionedList = "captionedList";

QAccessibleInterface* captionedLists(const QString& className, QObject* object)
{
    if (className == QLatin1String("QComboBox") && object->property(kCaptionedList).toBool())
        return new CaptionedListAccessible(static_cast<QComboBox*>(object));
    return nullptr;
}

} // namespace

namespace settingsui {

namespace {

template <typename W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QString captionOf(const char* name)
{
    return designedCaption(QString::fromLatin1(name));
}

} // namespace

QGroupBox* group(const char* name)
{
    return named(new QGroupBox(captionOf(name)), name);
}

QCheckBox* check(const char* name)
{
    return named(new QCheckBox(captionOf(name)), name);
}

QRadioButton* option(const char* name)
{
    return named(new QRadioButton(captionOf(name)), name);
}

QComboBox* list(const char* name)
{
    static const bool factory = (QAccessible::installFactory(captionedLists), true);
    Q_UNUSED(factory);
    auto* box = named(new QComboBox, name);
    box->setProperty(kCaptionedList, true);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
    return box;
}

QLineEdit* field(const char* name)
{
    auto* edit = named(new QLineEdit, name);
    edit->setAccessibleName(captionOf(name));
    return edit;
}

ColorSwatch* swatch(const char* name)
{
    return named(new ColorSwatch, name);
}

QSpinBox* marginSpin(const char* name)
{
    auto* spin = named(new QSpinBox, name);
    spin->setRange(0, kMarginMax);
    spin->setSuffix(QStringLiteral(" mm"));
    return spin;
}

QSpinBox* spacingSpin(const char* name)
{
    auto* spin = named(new QSpinBox, name);
    spin->setRange(kLineSpaceMin, kLineSpaceMax);
    spin->setSuffix(QStringLiteral(" mm"));
    return spin;
}

void addRow(QFormLayout* form, QWidget* control)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control); button && button->isCheckable()) {
        form->addRow(control);
        return;
    }
    auto* label = new QLabel(designedCaption(control->objectName()));
    label->setObjectName(control->objectName() + QStringLiteral("Label"));
    label->setBuddy(control);
    control->setAccessibleName(label->text());
    form->addRow(label, control);
}

QWidget* form(std::initializer_list<QWidget*> controls)
{
    auto* widget = new QWidget;
    auto* rows = new QFormLayout(widget);
    rows->setContentsMargins(0, 0, 0, 0);
    for (QWidget* control : controls)
        addRow(rows, control);
    return widget;
}

QGroupBox* formGroup(const char* name, std::initializer_list<QWidget*> controls)
{
    QGroupBox* box = group(name);
    auto* rows = new QFormLayout(box);
    for (QWidget* control : controls)
        addRow(rows, control);
    return box;
}

QGroupBox* stackGroup(const char* name, std::initializer_list<QWidget*> widgets)
{
    QGroupBox* box = group(name);
    auto* stack = new QVBoxLayout(box);
    for (QWidget* widget : widgets)
        stack->addWidget(widget);
    return box;
}

QWidget* page(const char* name, std::initializer_list<std::initializer_list<QWidget*>> columns)
{
    auto* widget = named(new QWidget, name);
    auto* row = new QHBoxLayout(widget);
    QList<QWidget*> reading;
    for (const auto& column : columns) {
        auto* stack = new QVBoxLayout;
        row->addLayout(stack);
        for (QWidget* w : column) {
            stack->addWidget(w);
            reading << w << w->findChildren<QWidget*>();
        }
        stack->addStretch();
    }
    row->addStretch();
    // Tab goes down each column, then on to the next, as the page reads.
    QWidget* previous = nullptr;
    for (QWidget* w : reading) {
        const QWidget* parent = w->parentWidget();
        const bool inner = qobject_cast<const QAbstractSpinBox*>(parent) || qobject_cast<const QComboBox*>(parent);
        // A list's pop-up is a window of its own.
        if (inner || w->window() != widget || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    return widget;
}

QTabWidget* tabs(const char* name, std::initializer_list<QWidget*> pages)
{
    auto* widget = named(new QTabWidget, name);
    for (QWidget* p : pages)
        widget->addTab(p, designedCaption(p->objectName()));
    return widget;
}

} // namespace settingsui
