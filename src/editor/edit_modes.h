#pragma once

#include <QObject>
#include <QRectF>

#include <array>

struct CoverDocument;
class PreviewWidget;
class QAbstractButton;
class QWidget;
class SheetTextBox;

// The three texts edited in place on the previews.
enum class TextSlot { Contents, Inner, Outer };

// The text boxes over the previews and their edit modes. A box lies at its text's area in
// the text's font and colours and shows only while its mode is on; its mode's check box
// ("Edit contents", "Edit text") is the switch. While a mode is on its sheet is not
// printable and a frame marks the area.
class EditModes final : public QObject {
    Q_OBJECT
public:
    // The switches are found under root by name: "EditContents", "EditInnerText",
    // "EditOuterText".
    EditModes(PreviewWidget* back, PreviewWidget* front, QWidget* root);

    SheetTextBox* box(TextSlot slot) const { return m_boxes[index(slot)]; }
    QAbstractButton* switchOf(TextSlot slot) const { return m_switches[index(slot)]; }
    bool isOn(TextSlot slot) const;
    // Turns a mode on when it is off and off when it is on, through its switch.
    void toggle(TextSlot slot);

    // False while "Edit contents" is on.
    bool backPrintable() const;
    // False while either front text is being edited.
    bool frontPrintable() const;

    // The boxes take the document's texts, fonts, colours and areas.
    void showDocument(const CoverDocument& doc);
    void showLook(const CoverDocument& doc);
    void place(const CoverDocument& doc);

signals:
    // A mode ended: its sheet is to be redrawn.
    void switchedOff(TextSlot slot);
    // The user changed a text in its box; text has CR LF line ends.
    void textEdited(TextSlot slot, const QString& text);
    void boxClicked(TextSlot slot);
    void boxDoubleClicked(TextSlot slot);

private:
    static int index(TextSlot slot) { return static_cast<int>(slot); }
    PreviewWidget* previewOf(TextSlot slot) const;
    void switched(TextSlot slot, bool on);
    void showFrames(PreviewWidget* preview);

    PreviewWidget* m_back;
    PreviewWidget* m_front;
    std::array<SheetTextBox*, 3> m_boxes{};
    std::array<QAbstractButton*, 3> m_switches{};
    std::array<QRectF, 3> m_areas{};
};
