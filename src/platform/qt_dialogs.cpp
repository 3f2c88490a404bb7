#include "platform/qt_dialogs.h"

#include "document/cover_document.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QString titleOr(const QString& title) { return title.isEmpty() ? QStringLiteral("Caseleaf") : title; }

} // namespace

MsgResult QtDialogs::message(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons)
{
    QMessageBox box(m_owner);
    box.setWindowTitle(titleOr(title));
    box.setText(text);
    switch (icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    switch (buttons) {
    case MsgButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::Ok;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    default: return buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Cancel;
    }
}

QString QtDialogs::input(const QString& prompt, const QString& title, const QString& initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_owner, titleOr(title), prompt, QLineEdit::Normal, initial, &ok);
    return ok ? text : QString();
}

QString QtDialogs::file(const FileDialogRequest& request)
{
    const QString start = request.fileName.isEmpty() ? request.folder : request.folder + request.fileName;
    const QFileDialog::Options options =
        request.confirmOverwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
    const QString path = request.save
        ? QFileDialog::getSaveFileName(m_owner, titleOr(request.title), start, request.filter, nullptr, options)
        : QFileDialog::getOpenFileName(m_owner, titleOr(request.title), start, request.filter);
    return path.trimmed();
}

int QtDialogs::color(int initial)
{
    const QColor c = QColorDialog::getColor(colorFromValue(initial), m_owner);
    return c.isValid() ? colorValue(c) : -1;
}
