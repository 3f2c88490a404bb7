#pragma once

#include <QString>

// Message boxes and common dialogs. The core asks through this interface; the
// window program installs the Qt dialogs, the command line a console answerer,
// and tests a scripted one.

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgResult { Ok, Cancel, Yes, No };

struct FileDialogRequest {
    bool save = false;
    QString folder;   // where the dialog opens
    QString title;    // the program title when empty
    QString filter;   // Qt form: "Cover (*.vrz);;All files (*)"
    QString fileName; // proposed name
    // A save dialog asks before replacing a file, unless the caller asks itself.
    bool confirmOverwrite = true;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // An empty title shows the program title.
    virtual MsgResult message(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) = 0;
    // The entered text, or a null text when cancelled.
    virtual QString input(const QString& prompt, const QString& title, const QString& initial) = 0;
    // The chosen path, or an empty text when cancelled.
    virtual QString file(const FileDialogRequest& request) = 0;
    // The chosen colour (0x00BBGGRR), or -1 when cancelled.
    virtual int color(int initial) = 0;
};

// The installed dialogs; until one is installed, messages go to standard error and
// every question is answered with Cancel (or No).
Dialogs& dialogs();
// Installs d (not owned); nullptr restores the console answerer.
void setDialogs(Dialogs* d);

// Shorthand for the common message box.
MsgResult MsgBox(const QString& text, MsgIcon icon = MsgIcon::None, MsgButtons buttons = MsgButtons::Ok,
                 const QString& title = QString());
