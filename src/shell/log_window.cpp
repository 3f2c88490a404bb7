#include "shell/log_window.h"

#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

LogWindow::LogWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_text(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("LogWindow"));
    setWindowTitle(QStringLiteral("Trace-Log"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_text->setObjectName(QStringLiteral("LogText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    resize(480, 320);
    setTraceLog(this);
}

LogWindow::~LogWindow()
{
    if (m_installed)
        setTraceLog(nullptr);
}

void LogWindow::closeEvent(QCloseEvent* event)
{
    // The window is deleted later; a line sent before that opens a fresh log.
    setTraceLog(nullptr);
    m_installed = false;
    QWidget::closeEvent(event);
}

void LogWindow::append(const QString& line)
{
    // Each trace line ends the text, as lines are added one by one while printing.
    m_text->moveCursor(QTextCursor::End);
    m_text->insertPlainText(line + QLatin1Char('\n'));
    m_text->verticalScrollBar()->setValue(m_text->verticalScrollBar()->maximum());
}

QString LogWindow::text() const { return m_text->toPlainText(); }
