#pragma once

#include <QMainWindow>
#include <QString>

class EditorWindow;
class PrinterCatalog;
class QTimer;

// The program's frame: runs the start-up, hosts the editor window and ends the program.
class MainFrame final : public QMainWindow {
    Q_OBJECT
public:
    explicit MainFrame(const PrinterCatalog& printers, QWidget* parent = nullptr);

    // The first stage of start-up. On success the frame shows and Timer1 brings up the
    // editor; on failure UnloadTimer ends the program.
    void load();
    // The execute request of a later start: opens path now, or once the editor is ready.
    void execute(const QString& path);
    // A later start asked for this window: restore it and bring it to the front.
    void bringToFront();

    EditorWindow* editor() const { return m_editor; }

signals:
    // The frame has closed; the program ends.
    void ended();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Timer1: the second stage of start-up.
    void showEditor();
    void showTitle();
    void fitToScreen();
    void unloadTick();

    const PrinterCatalog& m_printers;
    QTimer* m_timer1;
    QTimer* m_unloadTimer;
    EditorWindow* m_editor = nullptr;
    QString m_pendingOpenPath;
    bool m_ended = false;
};
