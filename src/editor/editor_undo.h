#pragma once

#include "editor/edit_modes.h"

#include <QObject>
#include <QString>

#include <functional>

struct Binding;
struct CoverDocument;
class QAction;
class QTimer;
class QUndoStack;

// What undoing and redoing change: the editor restores the document and what shows it.
class UndoTarget {
public:
    virtual ~UndoTarget() = default;
    // A setting takes a value: its control shows it, its effects follow, its sheet is redrawn.
    virtual void restoreSetting(const Binding& row, const QString& value) = 0;
    // A text takes a value: its box shows it and its sheet is redrawn.
    virtual void restoreText(TextSlot slot, const QString& text) = 0;
    // The whole cover takes a former state (its file and the saved flag stay).
    virtual void restoreDocument(const CoverDocument& doc) = 0;
};

// The history of the cover's edits. Consecutive changes of one text box, one text field or
// one spin box make one step until the focus moves on or the typing pauses; every other
// change is a step of its own. The cover is saved exactly when the history stands where
// it stood at the last save.
class EditorUndo final : public QObject {
    Q_OBJECT
public:
    EditorUndo(UndoTarget& target, QObject* parent);

    // The user changed a setting, a text, or the cover as a whole (pictures, a preset).
    void setting(const Binding& row, const QString& before, const QString& after, const QString& caption);
    void text(TextSlot slot, const QString& before, const QString& after, const QString& caption, bool typed);
    void document(const CoverDocument& before, const CoverDocument& after, const QString& caption);

    // The cover was saved where the history stands.
    void markSaved();
    // A fresh history for another cover; saved tells whether it stands saved.
    void restart(bool saved);
    bool isClean() const;

    // The "Undo" and "Redo" entries, captioned with what they undo and redo.
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }
    // The captions before what is undone ("Undo") and redone ("Redo").
    void setPrefixes(const QString& undo, const QString& redo);

    QUndoStack* stack() const { return m_stack; }

    // The undo and redo keys, pressed in any text field, spin box or text box under root,
    // undo and redo the cover's edits, not the field's own typing.
    void takeUndoKeys(QWidget* root);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // Where the history stands now: at the last save (saved) or not.
    void savedChanged(bool saved);

private:
    void endTyping();
    void showCaptions();

    UndoTarget& m_target;
    QUndoStack* m_stack;
    QAction* m_undo;
    QAction* m_redo;
    QTimer* m_pause;
    QString m_undoPrefix;
    QString m_redoPrefix;
    int m_typing = 0; // the run of typing that edits may merge into
};
