#pragma once

#include "shell/progress.h"

#include <QWidget>

class QLabel;
class QTimer;

// The small window shown during start-up (picture, name, version, status line) and
// during the long file operations (one centred word on a coloured panel).
class ProgressWindow final : public QWidget, public ProgressView {
    Q_OBJECT
public:
    explicit ProgressWindow(ProgressMode mode, QWidget* parent = nullptr);
    ~ProgressWindow() override;

    // Shows the window, marks it open and lets it paint once.
    void load();
    void setStatus(const QString& text) override;

    // The start-up picture, 220 x 230 pixels.
    static QPixmap startupPicture();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void bringToFront();

    ProgressMode m_mode;
    QLabel* m_picture;
    QLabel* m_version;
    QLabel* m_status;
    QTimer* m_focusTimer;
};

// Installs the host that opens the progress and log windows for the core.
void installProgressWindows();
