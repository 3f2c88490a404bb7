#pragma once

#include "shell/progress.h"

#include <QWidget>

class QPlainTextEdit;

// "Trace-Log": collects the trace lines of a debug run. Closing it discards the log.
class LogWindow final : public QWidget, public TraceLog {
    Q_OBJECT
public:
    explicit LogWindow(QWidget* parent = nullptr);
    ~LogWindow() override;

    void append(const QString& line) override;
    QString text() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPlainTextEdit* m_text;
    // Until closed, this window receives the trace lines.
    bool m_installed = true;
};
