#pragma once

#include "gtest_qt.h"
#include "platform/dialogs.h"

#include <deque>

// Answers dialogs from a script and records every message shown.
class FakeDialogs final : public Dialogs {
public:
    struct Shown {
        QString text;
        QString title;
        MsgIcon icon;
        MsgButtons buttons;
    };

    FakeDialogs() { setDialogs(this); }
    ~FakeDialogs() override { setDialogs(nullptr); }

    std::deque<MsgResult> answers;    // next message answers; Ok (or Yes) when empty
    std::deque<QString> inputs;       // next input box texts; cancelled when empty
    std::deque<QString> files;        // next file dialog results; cancelled when empty
    std::deque<int> colors;           // next colour dialog results; cancelled when empty
    std::vector<Shown> shown;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::pair<QString, QString>> inputRequests; // prompt, title

    MsgResult message(const QString& text, const QString& title, MsgIcon icon, MsgButtons buttons) override
    {
        shown.push_back({text, title, icon, buttons});
        if (!answers.empty())
            return take(answers);
        return buttons == MsgButtons::Ok || buttons == MsgButtons::OkCancel ? MsgResult::Ok : MsgResult::Yes;
    }
    QString input(const QString& prompt, const QString& title, const QString&) override
    {
        inputRequests.emplace_back(prompt, title);
        return take(inputs);
    }
    QString file(const FileDialogRequest& request) override
    {
        fileRequests.push_back(request);
        return take(files);
    }
    int color(int) override { return colors.empty() ? -1 : take(colors); }

    QStringList texts() const
    {
        QStringList t;
        for (const Shown& s : shown)
            t << s.text;
        return t;
    }
    // The texts shown since the last call.
    QStringList takeTexts()
    {
        const QStringList t = texts();
        shown.clear();
        return t;
    }

private:
    // The next scripted answer; a default one (a cancelled dialog's) when none is left.
    template <typename T>
    static T take(std::deque<T>& q)
    {
        if (q.empty())
            return T();
        T next = q.front();
        q.pop_front();
        return next;
    }
};
