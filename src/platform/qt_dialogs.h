#pragma once

#include "platform/dialogs.h"

class QWidget;

// The dialogs of the window program: QMessageBox, QInputDialog, QFileDialog, QColorDialog.
class QtDialogs final : public Dialogs {
public:
    explicit QtDialogs(QWidget* owner = nullptr) : m_owner(owner) {}
    void setOwner(QWidget* owner) { m_owner = owner; }

    MsgResult message(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) override;
    QString input(const QString& prompt, const QString& title, const QString& initial) override;
    QString file(const FileDialogRequest& request) override;
    int color(int initial) override;

private:
    QWidget* m_owner;
};
