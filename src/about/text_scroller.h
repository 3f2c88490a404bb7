#pragma once

#include <QElapsedTimer>
#include <QFrame>
#include <QStringList>

class QTimer;

// A text scrolling through a view, upwards line by line or leftwards as one line,
// one pixel a step, with an optional drop shadow under the letters. Colours are colour
// values (red + 256 × green + 65536 × blue).
//
// Only the lines inside the view are drawn at each step; the text is laid out once,
// on a picture that exists only as its size, so a long text costs no memory.
class TextScroller final : public QFrame {
    Q_OBJECT
public:
    explicit TextScroller(QWidget* parent = nullptr);

    int BackColor() const { return m_backColor; }
    void setBackColor(int colour);
    // 1 opaque (the view is filled with BackColor), 0 transparent.
    int BackStyle() const { return m_backStyle; }
    void setBackStyle(int style);
    // 0 no border, 1 a single border.
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);
    // Lines separated by "|".
    QString Text() const { return m_text; }
    void setText(const QString& text);
    int FontColor() const { return m_fontColor; }
    void setFontColor(int colour);
    int ShadowColor() const { return m_shadowColor; }
    void setShadowColor(int colour);
    // Copies of the shadow, one pixel apart; 0 for none.
    int ShadowSize() const { return m_shadowSize; }
    void setShadowSize(int size);
    // The shadow's step: 0 and 4 up-left, 1 down-right, 2 down-left, 3 up-right.
    int ShadowDirection() const { return m_shadowDirection; }
    void setShadowDirection(int direction);
    // 0 or 1 upwards, 2 leftwards (see ScrollDirection in scroll_lines.h).
    int ScrollDirection() const { return m_scrollDirection; }
    void setScrollDirection(int direction);
    // Milliseconds a one-pixel step.
    int ScrollSpeed() const { return m_nominalPeriod; }
    void setScrollSpeed(int milliseconds);
    // Complete passes before scrolling stops; 0 scrolls on and on.
    float ScrollRepeatCount() const { return m_repeatCount; }
    void setScrollRepeatCount(float count);
    // 0 or 3 left, 1 centred, 2 right.
    int TextAlign() const { return m_textAlign; }
    void setTextAlign(int align);
    // Wraps lines wider than the view (upward scrolling only).
    bool WordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);
    bool IsScrolling() const;

    // Starts from the beginning: the text enters the view from its edge.
    void StartScroll();
    // Stops and puts the text back at its start.
    void StopScroll();
    // Sets Text to the file's text with its line breaks as "|"; false, and nothing
    // changes, when the file cannot be read.
    bool LoadFromFile(const QString& strFilePath);
    // Slows the text down to a stop in steps of 15 ms, or lets it run again at once.
    void Pause();

    // The lines as laid out, and where the text picture stands in the view.
    const QStringList& lines() const { return m_lines; }
    QPoint picturePosition() const;
    QSize pictureSize() const { return m_picture; }
    // The step period now in force (it differs from ScrollSpeed while pausing).
    int currentPeriod() const { return m_period; }

signals:
    void Click();
    void DblClick();
    // At the end of every complete pass.
    void ScrollFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void render();
    void stepTick();
    bool step();
    void endOfPass();
    void pauseTick();
    void setPeriod(int milliseconds);
    void startStepping();
    int lineStep() const;
    int lineX(int lineWidth) const;
    void drawLine(QPainter& painter, const QString& line, QPoint origin) const;

    int m_backColor;
    int m_backStyle = 1;
    int m_borderStyle = 1;
    QString m_text;
    int m_fontColor = 255;
    int m_shadowColor = 65535;
    int m_shadowSize = 1;
    int m_shadowDirection = 4;
    int m_scrollDirection = 1;
    int m_nominalPeriod = 10;
    float m_repeatCount = 0;
    int m_textAlign = 1;
    bool m_wordWrap = false;

    QStringList m_lines;
    QSize m_picture;
    QPoint m_placement; // across the scroll direction
    int m_vertical = 0;
    int m_horizontal = 0;
    int m_passes = 0;
    int m_period = 10;
    bool m_pausing = false;

    QTimer* m_stepTimer;
    QTimer* m_pauseTimer;
    // Steps are paced by the clock, not counted from timer ticks, so a late tick is
    // made up for instead of slowing the text down.
    QElapsedTimer m_clock;
    qint64 m_stepsDone = 0;
};
