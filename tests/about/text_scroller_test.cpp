#include "about/text_scroller.h"

#include "document/cover_document.h"

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

constexpr int kBack = 0x204060;
constexpr int kFont = 0xFFFFFF;
constexpr int kShadow = 0x0000FF;

// A borderless scroller of a known size and colours, not yet scrolling.
struct Scroller {
    TextScroller w;
    Scroller()
    {
        w.setBorderStyle(0);
        w.setFixedSize(200, 100);
        w.setBackColor(kBack);
        w.setFontColor(kFont);
        w.setShadowColor(kShadow);
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    // How many pixels of the view have the colour.
    int count(int colour)
    {
        const QImage shot = w.grab().toImage();
        int n = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                n += colorValue(shot.pixelColor(x, y)) == colour;
        return n;
    }
};

TEST(TextScroller, AnEmptyTextShowsOnlyTheBackground)
{
    Scroller s;
    s.w.setText(QString());
    EXPECT_TRUE(s.w.lines().isEmpty());
    EXPECT_EQ(s.count(kBack), 200 * 100);
}

TEST(TextScroller, StartsBelowTheViewAndScrollsUpOnePixelAStep)
{
    Scroller s;
    s.w.setText("one|two|three");
    s.w.setShadowSize(2);
    const int step = s.w.fontMetrics().height() + 2;
    // Two line steps, the view and a band of 20 pixels: the text leaves the view
    // before the pass ends.
    EXPECT_EQ(s.w.pictureSize().height(), 2 * step + 100 + 20);
    EXPECT_EQ(s.w.picturePosition(), QPoint(0, 100));
    EXPECT_EQ(s.count(kFont), 0); // still below the view
    s.w.setScrollSpeed(1);
    s.w.StartScroll();
    EXPECT_TRUE(s.w.IsScrolling());
    ASSERT_TRUE(QTest::qWaitFor([&s] { return s.w.picturePosition().y() < 30; }, 5000));
    EXPECT_EQ(s.w.picturePosition().x(), 0);
    s.w.setScrollSpeed(100000); // as good as frozen
    EXPECT_GT(s.count(kFont), 0);
    EXPECT_GT(s.count(kShadow), 0);
}

TEST(TextScroller, WithoutShadowTheLettersAreDrawnOnceInTheirColour)
{
    Scroller s;
    s.w.setShadowSize(0);
    s.w.setText("WWW|MMM");
    s.w.setScrollSpeed(1);
    s.w.StartScroll();
    ASSERT_TRUE(QTest::qWaitFor([&s] { return s.w.picturePosition().y() < 30; }, 5000));
    s.w.setScrollSpeed(100000);
    EXPECT_GT(s.count(kFont), 0);
    EXPECT_EQ(s.count(kShadow), 0);
}

TEST(TextScroller, LeftwardTheLinesBecomeOne)
{
    Scroller s;
    s.w.setScrollDirection(2);
    s.w.setText("a|b");
    EXPECT_EQ(s.w.lines(), QStringList({"a    b"}));
    EXPECT_EQ(s.w.picturePosition().x(), 200);
    s.w.setWordWrap(true);
    s.w.setText("a long text that would wrap if it scrolled upwards");
    EXPECT_EQ(s.w.lines().size(), 1);
}

TEST(TextScroller, WordWrapFollowsTheViewWidth)
{
    Scroller s;
    s.w.setShadowSize(0);
    const QString text = "the quick brown fox jumps over the lazy dog again and again";
    s.w.setText(text);
    EXPECT_EQ(s.w.lines(), QStringList{text});
    s.w.setWordWrap(true);
    ASSERT_GT(s.w.lines().size(), 1);
    for (const QString& line : s.w.lines())
        EXPECT_LE(s.w.fontMetrics().horizontalAdvance(line), 200) << line.toStdString();
    EXPECT_EQ(s.w.lines().join(QString()), text);
}

TEST(TextScroller, RepeatCountStopsAfterThePassesAtTheStart)
{
    Scroller s;
    s.w.setFixedSize(60, 20);
    QTest::qWait(1);
    s.w.setText("x");
    s.w.setScrollSpeed(1);
    s.w.setScrollRepeatCount(2);
    QSignalSpy finished(&s.w, &TextScroller::ScrollFinished);
    s.w.StartScroll();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 2; }, 5000));
    EXPECT_FALSE(s.w.IsScrolling());
    EXPECT_EQ(s.w.picturePosition().y(), 20);
    QTest::qWait(50);
    EXPECT_EQ(finished.count(), 2);
}

TEST(TextScroller, PauseSlowsToAStopAndResumingRestoresTheSpeed)
{
    Scroller s;
    s.w.setText("a|b|c");
    s.w.setScrollSpeed(10);
    s.w.StartScroll();
    QSignalSpy click(&s.w, &TextScroller::Click);
    QTest::mouseClick(&s.w, Qt::LeftButton);
    EXPECT_EQ(click.count(), 1);
    s.w.Pause();
    ASSERT_TRUE(QTest::qWaitFor([&s] { return !s.w.IsScrolling(); }, 5000));
    // 10, 25, 40, 55, then 70: at least 60 ms a step, then stopped.
    EXPECT_EQ(s.w.currentPeriod(), 70);
    const QPoint stopped = s.w.picturePosition();
    QTest::qWait(100);
    EXPECT_EQ(s.w.picturePosition(), stopped);
    s.w.Pause();
    EXPECT_TRUE(s.w.IsScrolling());
    ASSERT_TRUE(QTest::qWaitFor([&s] { return s.w.currentPeriod() == 10; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.w.picturePosition() != stopped; }, 5000));
}

TEST(TextScroller, ALateTickMakesUpForTheStepsItMissed)
{
    Scroller s;
    s.w.setText("a");
    s.w.setScrollSpeed(10);
    s.w.StartScroll();
    ASSERT_TRUE(QTest::qWaitFor([&s] { return s.w.picturePosition().y() < 100; }, 5000));
    const int before = s.w.picturePosition().y();
    // The event loop is busy for 60 ms: a timer counting its ticks would move one
    // pixel; the clock says six steps are due.
    QThread::msleep(60);
    QTest::qWait(1);
    EXPECT_LE(s.w.picturePosition().y(), before - 4);
}

TEST(TextScroller, LoadFromFileTakesLinesOrKeepsTheText)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("credits.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("first\r\nsecond\r\nthird\xe9\n");
    file.close();
    Scroller s;
    s.w.setText("old");
    EXPECT_FALSE(s.w.LoadFromFile(dir.filePath("missing.txt")));
    EXPECT_EQ(s.w.Text(), "old");
    EXPECT_FALSE(s.w.LoadFromFile(dir.path()));
    EXPECT_EQ(s.w.Text(), "old");
    EXPECT_TRUE(s.w.LoadFromFile(dir.filePath("credits.txt")));
    EXPECT_EQ(s.w.Text(), QString::fromUtf8("first|second|third\u00e9|"));
}

} // namespace
