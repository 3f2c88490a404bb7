#include "editor/edit_modes.h"

#include "document/cover_document.h"
#include "editor/preview_widget.h"
#include "editor/text_box.h"
#include "render/drawing_surface.h"
#include "render/sheet_geometry.h"

#include <QAbstractButton>
#include <QRegularExpression>

namespace {

constexpr TextSlot kSlots[] = {TextSlot::Contents, TextSlot::Inner, TextSlot::Outer};

const char* const kSwitchNames[] = {"EditContents", "EditInnerText", "EditOuterText"};
const char* const kBoxNames[] = {"ContentsBox", "InnerTextBox", "OuterTextBox"};

struct TextLook {
    QFont font;
    int color;
    int background;
    bool centred;
};

// Each text in the font and colours its sheet draws it with. The contents' bold is
// FontItalic2 and its italic FontBold2.
TextLook lookOf(const CoverDocument& d, TextSlot slot)
{
    switch (slot) {
    case TextSlot::Contents:
        return {coverFont(d.Fontname2, leadingNumber(d.Fontsize2), d.FontItalic2 != 0, d.FontBold2 != 0),
                d.ForeColor2, d.BackColor, false};
    case TextSlot::Inner:
        return {coverFont(d.FrontFont2, leadingNumber(d.FrontFontSize2), d.fFontBold2 != 0, d.fFontItalic2 != 0),
                d.fFontColor2, d.fBackColor2, false};
    case TextSlot::Outer:
        break;
    }
    return {coverFont(d.FrontFont, leadingNumber(d.FrontFontSize), d.fFontBold != 0, d.fFontItalic != 0),
            d.fFontColor, d.fBackColor, d.fFontCenter != 0};
}

QRectF areaOf(const CoverDocument& d, TextSlot slot)
{
    switch (slot) {
    case TextSlot::Contents: return contentsTextArea(d);
    case TextSlot::Inner: return innerTextArea(d);
    case TextSlot::Outer: break;
    }
    return outerTextArea(d);
}

const QString& textOf(const CoverDocument& d, TextSlot slot)
{
    switch (slot) {
    case TextSlot::Contents: return d.Contents;
    case TextSlot::Inner: return d.FrontText1;
    case TextSlot::Outer: break;
    }
    return d.FrontText2;
}

QString withCrLf(QString text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return text.replace(lineEnd, QStringLiteral("\r\n"));
}

} // namespace

EditModes::EditModes(PreviewWidget* back, PreviewWidget* front, QWidget* root)
    : QObject(root), m_back(back), m_front(front)
{
    for (TextSlot slot : kSlots) {
        const int i = index(slot);
        auto* box = new SheetTextBox(previewOf(slot));
        box->setObjectName(QString::fromLatin1(kBoxNames[i]));
        box->hide();
        m_boxes[i] = box;
        m_switches[i] = root->findChild<QAbstractButton*>(QString::fromLatin1(kSwitchNames[i]));
        connect(m_switches[i], &QAbstractButton::toggled, this, [this, slot](bool on) { switched(slot, on); });
        connect(box, &SheetTextBox::textEdited, this, [this, slot, box] { emit textEdited(slot, box->text()); });
        connect(box, &SheetTextBox::clicked, this, [this, slot] { emit boxClicked(slot); });
        connect(box, &SheetTextBox::doubleClicked, this, [this, slot] { emit boxDoubleClicked(slot); });
    }
}

PreviewWidget* EditModes::previewOf(TextSlot slot) const
{
    return slot == TextSlot::Contents ? m_back : m_front;
}

bool EditModes::isOn(TextSlot slot) const
{
    return switchOf(slot)->isChecked();
}

void EditModes::toggle(TextSlot slot)
{
    switchOf(slot)->setChecked(!isOn(slot));
}

bool EditModes::backPrintable() const
{
    return !isOn(TextSlot::Contents);
}

bool EditModes::frontPrintable() const
{
    return !isOn(TextSlot::Inner) && !isOn(TextSlot::Outer);
}

void EditModes::switched(TextSlot slot, bool on)
{
    SheetTextBox* editor = box(slot);
    editor->setVisible(on);
    if (on) {
        editor->raise();
        editor->setFocus();
    }
    showFrames(previewOf(slot));
    if (!on)
        emit switchedOff(slot);
}

void EditModes::showFrames(PreviewWidget* preview)
{
    QList<QRectF> frames;
    for (TextSlot slot : kSlots) {
        if (previewOf(slot) == preview && isOn(slot))
            frames << m_areas[index(slot)];
    }
    preview->setFrames(frames);
}

void EditModes::showDocument(const CoverDocument& doc)
{
    for (TextSlot slot : kSlots) {
        const QString text = withCrLf(textOf(doc, slot));
        if (box(slot)->text() != text)
            box(slot)->setText(text);
    }
    showLook(doc);
    place(doc);
}

void EditModes::showLook(const CoverDocument& doc)
{
    for (TextSlot slot : kSlots) {
        const TextLook look = lookOf(doc, slot);
        SheetTextBox* editor = box(slot);
        editor->setColors(colorFromValue(look.color), colorFromValue(look.background));
        editor->setCentred(look.centred);
        editor->setTextLayout(look.font, areaOf(doc, slot).width(), previewOf(slot)->pixelsPerMm());
    }
}

void EditModes::place(const CoverDocument& doc)
{
    for (TextSlot slot : kSlots) {
        const QRectF area = areaOf(doc, slot);
        m_areas[index(slot)] = area;
        box(slot)->setGeometry(previewOf(slot)->toPixels(area));
        box(slot)->setTextLayout(lookOf(doc, slot).font, area.width(), previewOf(slot)->pixelsPerMm());
    }
    showFrames(m_back);
    showFrames(m_front);
}
