#include "shell/main_frame.h"

#include "editor/editor_window.h"
#include "platform/cover_drop.h"
#include "shell/app_state.h"
#include "shell/startup.h"
#include "toolbox/paths.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QScreen>
#include <QTimer>

MainFrame::MainFrame(const PrinterCatalog& printers, QWidget* parent)
    : QMainWindow(parent)
    , m_printers(printers)
    , m_timer1(new QTimer(this))
    , m_unloadTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowTitle(app::title());
    setAcceptDrops(true);
    resize(1000, 760);

    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(100);
    connect(m_timer1, &QTimer::timeout, this, &MainFrame::showEditor);
    m_unloadTimer->setObjectName(QStringLiteral("UnloadTimer"));
    m_unloadTimer->setInterval(50);
    connect(m_unloadTimer, &QTimer::timeout, this, &MainFrame::unloadTick);
}

void MainFrame::load()
{
    if (!RunFirstStage(m_printers)) {
        m_unloadTimer->start();
        return;
    }
    m_timer1->start();
    setWindowTitle(app::title());
    show();
}

void MainFrame::showEditor()
{
    m_timer1->stop();
    m_editor = new EditorWindow(m_printers);
    // The editor fills the frame and follows its size.
    setCentralWidget(m_editor);
    // Exit and Esc close the frame; the editor's own close ends the program too. Queued, so
    // the editor's close has finished before the frame asks it again.
    connect(m_editor, &EditorWindow::exitRequested, this, &QWidget::close);
    connect(m_editor, &EditorWindow::unloaded, this, &QWidget::close, Qt::QueuedConnection);
    connect(m_editor, &EditorWindow::titleChanged, this, &MainFrame::showTitle);
    m_editor->load();
    showTitle();
    fitToScreen();
    if (!m_pendingOpenPath.isEmpty()) {
        const QString path = m_pendingOpenPath;
        m_pendingOpenPath.clear();
        m_editor->OpenSub(path);
    }
}

// The cover's name with its unsaved-changes mark, then the program's title.
void MainFrame::showTitle()
{
    setWindowTitle(m_editor->windowTitle() + QStringLiteral(" - ") + app::title());
    setWindowModified(m_editor->isWindowModified());
}

// As large as the editor would like, as far as the screen allows.
void MainFrame::fitToScreen()
{
    QSize wanted = size().expandedTo(sizeHint());
    if (const QScreen* s = screen())
        wanted = wanted.boundedTo(s->availableSize());
    resize(wanted);
}

void MainFrame::execute(const QString& path)
{
    if (app::editorReady && m_editor)
        m_editor->OpenSub(path);
    else
        m_pendingOpenPath = path;
}

void MainFrame::bringToFront()
{
    showNormal();
    raise();
    activateWindow();
}

void MainFrame::unloadTick()
{
    m_unloadTimer->stop();
    close();
}

void MainFrame::closeEvent(QCloseEvent* event)
{
    if (m_editor && !m_editor->close()) {
        event->ignore();
        return;
    }
    event->accept();
    // Closed before Timer1's tick: the editor must not load into a program that is ending.
    m_timer1->stop();
    if (!m_ended) {
        m_ended = true;
        emit ended();
    }
}

void MainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    dragMoveEvent(event);
}

void MainFrame::dragMoveEvent(QDragMoveEvent* event)
{
    acceptCoverDrag(event);
}

void MainFrame::dropEvent(QDropEvent* event)
{
    const QString path = firstDraggedFile(event->mimeData());
    if (!FileExists(path))
        return;
    event->setDropAction(Qt::CopyAction);
    event->accept();
    execute(path);
}
