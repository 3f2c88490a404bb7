#pragma once

#include "document/cover_archive.h"
#include "document/cover_document.h"

#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

// What the window-less commands share: exit codes, messages, the open cover, the options.

constexpr int kCommandFailed = 1;
constexpr int kCommandUsageError = 2;

// Writes the message to standard error; returns kCommandFailed.
int commandFailure(const QString& text);

// A command's own working folder and language, set up once the application exists, so a
// command can run beside an open program.
class CommandSession {
public:
    CommandSession();
    ~CommandSession();
    CommandSession(const CommandSession&) = delete;
    CommandSession& operator=(const CommandSession&) = delete;

    bool ready() const { return m_work.isValid(); }
    // A cover archive, or a legacy ".vrc" set. True only when the whole cover was read;
    // the open messages have gone to standard error already.
    bool open(const QString& path);
    // A ".vrc" name writes a legacy set, anything else a cover archive.
    bool saveAs(const QString& name);
    CoverDocument& doc() { return m_doc; }

private:
    QTemporaryDir m_work;
    CoverDocument m_doc;
    CoverFileContext m_ctx{m_doc};
};

// Opens a cover to print one of its sheets: 0, or the exit code after the message (no
// working folder, a cover that cannot be opened, a counter start that is no number).
int openForPrinting(CommandSession& session, const QString& cover, bool back);

// One cover file and options: "--name value" for the names in valued, "--name" alone for
// those in flags.
struct CommandArgs {
    QString cover;
    QMap<QString, QString> values;
    QStringList flags;
};
// The usage problem, or an empty text when every argument was understood.
QString parseCommandArgs(const QStringList& args, const QStringList& valued, const QStringList& flags,
                         CommandArgs& parsed);
// --side back|front; the usage problem or an empty text.
QString parseSideOption(const CommandArgs& parsed, bool& back);
// --copies N, 1 when absent; the usage problem or an empty text.
QString parseCopiesOption(const CommandArgs& parsed, int& copies);
