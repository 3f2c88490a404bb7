#include "platform/dialogs.h"

#include <cstdio>

namespace {

class ConsoleDialogs final : public Dialogs {
public:
    MsgResult message(const QString& text, const QString& title, MsgIcon, MsgButtons buttons) override
    {
        const QString line = title.isEmpty() ? text : title + QStringLiteral(": ") + text;
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        switch (buttons) {
        case MsgButtons::Ok: return MsgResult::Ok;
        case MsgButtons::OkCancel: return MsgResult::Cancel;
        case MsgButtons::YesNo: return MsgResult::No;
        case MsgButtons::YesNoCancel: return MsgResult::Cancel;
        }
        return MsgResult::Cancel;
    }
    QString input(const QString&, const QString&, const QString&) override { return QString(); }
    QString file(const FileDialogRequest&) override { return QString(); }
    int color(int) override { return -1; }
};

ConsoleDialogs g_console;
Dialogs* g_dialogs = &g_console;

} // namespace

Dialogs& dialogs() { return *g_dialogs; }

void setDialogs(Dialogs* d) { g_dialogs = d ? d : &g_console; }

MsgResult MsgBox(const QString& text, MsgIcon icon, MsgButtons buttons, const QString& title)
{
    return dialogs().message(text, title, icon, buttons);
}
