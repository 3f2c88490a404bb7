#pragma once

#include <QWidget>

class QPushButton;

// Covers the contents dialog while folder sizes are measured: a drawing area naming
// the folder at hand, and "Stop!".
class SizePanel final : public QWidget {
    Q_OBJECT
public:
    explicit SizePanel(QWidget* dialog);

    void setCaptions(const QString& title, const QString& folderPrefix, const QString& stop);
    // Shows folder as the one being measured.
    void PrintDisplay(const QString& folder);
    QPushButton* stopButton() const { return m_stop; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Drawing;
    Drawing* m_drawing;
    QPushButton* m_stop;
};
