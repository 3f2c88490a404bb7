#include "editor/editor_undo.h"

#include "document/cover_document.h"
#include "editor/bindings.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>
#include <QTimer>
#include <QUndoCommand>
#include <QUndoStack>
#include <QWidget>

namespace {

// Typing that pauses this long starts another step.
constexpr int kTypingPauseMs = 1000;

enum CommandId { kSettingId = 1, kTextId = 2 };

bool typedKind(const Binding& row)
{
    return row.kind == ControlKind::Line || row.kind == ControlKind::Margin || row.kind == ControlKind::Spacing;
}

class SettingCommand final : public QUndoCommand {
public:
    SettingCommand(UndoTarget& target, const Binding& row, QString before, QString after, const QString& caption,
                   int typing)
        : QUndoCommand(caption), m_target(target), m_row(row), m_before(std::move(before)), m_after(std::move(after)),
          m_typing(typing)
    {
    }
    int id() const override { return kSettingId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const SettingCommand*>(other);
        if (&next->m_row != &m_row || next->m_typing != m_typing || !typedKind(m_row))
            return false;
        m_after = next->m_after;
        return true;
    }
    void redo() override { m_target.restoreSetting(m_row, m_after); }
    void undo() override { m_target.restoreSetting(m_row, m_before); }

private:
    UndoTarget& m_target;
    const Binding& m_row;
    QString m_before;
    QString m_after;
    int m_typing;
};

class TextCommand final : public QUndoCommand {
public:
    TextCommand(UndoTarget& target, TextSlot slot, QString before, QString after, const QString& caption, int typing)
        : QUndoCommand(caption), m_target(target), m_slot(slot), m_before(std::move(before)),
          m_after(std::move(after)), m_typing(typing)
    {
    }
    int id() const override { return kTextId; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const TextCommand*>(other);
        if (next->m_slot != m_slot || next->m_typing != m_typing || m_typing < 0)
            return false;
        m_after = next->m_after;
        return true;
    }
    void redo() override { m_target.restoreText(m_slot, m_after); }
    void undo() override { m_target.restoreText(m_slot, m_before); }

private:
    UndoTarget& m_target;
    TextSlot m_slot;
    QString m_before;
    QString m_after;
    int m_typing; // negative: a command of its own (Insert, Clear)
};

// The cover before and after a change made elsewhere; its first redo is the change itself.
class DocumentCommand final : public QUndoCommand {
public:
    DocumentCommand(UndoTarget& target, const CoverDocument& before, const CoverDocument& after,
                    const QString& caption)
        : QUndoCommand(caption), m_target(target), m_before(before), m_after(after)
    {
    }
    void redo() override
    {
        if (m_done)
            m_target.restoreDocument(m_after);
        m_done = true;
    }
    void undo() override { m_target.restoreDocument(m_before); }

private:
    UndoTarget& m_target;
    CoverDocument m_before;
    CoverDocument m_after;
    bool m_done = false;
};

} // namespace

EditorUndo::EditorUndo(UndoTarget& target, QObject* parent)
    : QObject(parent), m_target(target), m_stack(new QUndoStack(this)), m_undo(new QAction(this)),
      m_redo(new QAction(this)), m_pause(new QTimer(this))
{
    m_undo->setObjectName(QStringLiteral("mUndo"));
    m_redo->setObjectName(QStringLiteral("mRedo"));
    m_undo->setShortcuts(QKeySequence::Undo);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)))
        redoKeys << QKeySequence(Qt::CTRL | Qt::Key_Y);
    m_redo->setShortcuts(redoKeys);
    connect(m_undo, &QAction::triggered, this, [this] {
        endTyping();
        m_stack->undo();
    });
    connect(m_redo, &QAction::triggered, this, [this] {
        endTyping();
        m_stack->redo();
    });
    connect(m_stack, &QUndoStack::indexChanged, this, [this] {
        showCaptions();
        emit savedChanged(m_stack->isClean());
    });
    connect(m_stack, &QUndoStack::cleanChanged, this, &EditorUndo::savedChanged);
    m_pause->setSingleShot(true);
    m_pause->setInterval(kTypingPauseMs);
    connect(m_pause, &QTimer::timeout, this, &EditorUndo::endTyping);
    // Leaving a box or a field ends its run of typing.
    connect(qApp, &QApplication::focusChanged, this, &EditorUndo::endTyping);
    showCaptions();
}

void EditorUndo::endTyping()
{
    ++m_typing;
}

void EditorUndo::setting(const Binding& row, const QString& before, const QString& after, const QString& caption)
{
    m_stack->push(new SettingCommand(m_target, row, before, after, caption, m_typing));
    if (typedKind(row))
        m_pause->start();
    else
        endTyping();
}

void EditorUndo::text(TextSlot slot, const QString& before, const QString& after, const QString& caption, bool typed)
{
    m_stack->push(new TextCommand(m_target, slot, before, after, caption, typed ? m_typing : -1));
    if (typed)
        m_pause->start();
    else
        endTyping();
}

void EditorUndo::document(const CoverDocument& before, const CoverDocument& after, const QString& caption)
{
    endTyping();
    m_stack->push(new DocumentCommand(m_target, before, after, caption));
}

void EditorUndo::markSaved()
{
    endTyping();
    m_stack->setClean();
}

void EditorUndo::restart(bool saved)
{
    endTyping();
    m_stack->clear();
    if (!saved)
        m_stack->resetClean();
}

void EditorUndo::takeUndoKeys(QWidget* root)
{
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractSpinBox*>(widget)
            || qobject_cast<QTextEdit*>(widget))
            widget->installEventFilter(this);
    }
}

bool EditorUndo::eventFilter(QObject* watched, QEvent* event)
{
    // A field that claims the keys would undo its own typing behind the history's back.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        for (const QAction* action : {m_undo, m_redo}) {
            if (action->shortcuts().contains(QKeySequence(key->keyCombination()))) {
                event->ignore();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

bool EditorUndo::isClean() const
{
    return m_stack->isClean();
}

void EditorUndo::setPrefixes(const QString& undo, const QString& redo)
{
    m_undoPrefix = undo;
    m_redoPrefix = redo;
    showCaptions();
}

void EditorUndo::showCaptions()
{
    const auto caption = [](const QString& prefix, const QString& what) {
        return what.isEmpty() ? prefix : prefix + QLatin1Char(' ') + what;
    };
    m_undo->setEnabled(m_stack->canUndo());
    m_redo->setEnabled(m_stack->canRedo());
    m_undo->setText(caption(m_undoPrefix, m_stack->undoText()));
    m_redo->setText(caption(m_redoPrefix, m_stack->redoText()));
}
