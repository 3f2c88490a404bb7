#include "about/text_scroller.h"

#include "archive/zip_fixtures.h"
#include "document/cover_document.h"

#include "gtest_qt.h"

namespace {

constexpr int kBack = 0x204060;
constexpr int kFont = 0xFFFFFF;
constexpr int kShadow = 0x0000FF;

// A borderless scroller of 200 × 100 pixels and known colours, shown, not scrolling.
struct Scroller {
    TextScroller w;
    explicit Scroller(const QString& text)
    {
        w.setBorderStyle(0);
        w.setFixedSize(200, 100);
        w.setBackColor(kBack);
        w.setFontColor(kFont);
        w.setShadowColor(kShadow);
        w.setText(text);
        w.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    int pixels(int colour)
    {
        const QImage shot = w.grab().toImage();
        int n = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                n += colorValue(shot.pixelColor(x, y)) == colour;
        return n;
    }
    // Scrolls fast until the text stands in the upper part of the view, then freezes it.
    bool scrollIntoView()
    {
        w.setScrollSpeed(1);
        w.StartScroll();
        const bool moved = QTest::qWaitFor([this] { return w.picturePosition().y() < 30; }, 5000);
        w.setScrollSpeed(100000);
        return moved;
    }
};

TEST(TextScroller, ScrollsUpFromBelowTheViewWithItsShadow)
{
    // The text, the shadow's size, whether letters and shadow show once scrolled.
    const std::tuple<const char*, int, bool, bool> cases[] = {
        {"", 1, false, false}, {"WWW|MMM|www", 2, true, true}, {"WWW|MMM", 0, true, false}};
    for (const auto& [text, shadow, font, shadowShown] : cases) {
        Scroller s(text);
        s.w.setShadowSize(shadow);
        EXPECT_EQ(s.pixels(kBack), 200 * 100) << text; // starting below the view
        if (*text) {
            ASSERT_TRUE(s.scrollIntoView());
        }
        EXPECT_EQ(s.pixels(kFont) > 0, font) << text;
        EXPECT_EQ(s.pixels(kShadow) > 0, shadowShown) << text;
    }
}

TEST(TextScroller, RepeatCountStopsAfterThePassesAtTheStart)
{
    Scroller s("x");
    s.w.setFixedSize(60, 20);
    QTest::qWait(1);
    s.w.setScrollSpeed(1);
    s.w.setScrollRepeatCount(2);
    QSignalSpy finished(&s.w, &TextScroller::ScrollFinished);
    s.w.StartScroll();
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 2; }, 5000));
    EXPECT_FALSE(s.w.IsScrolling());
    EXPECT_EQ(s.w.picturePosition().y(), 20);
}

// Steps follow the clock, so a late tick makes up for those it missed; a pause slows the
// scrolling to a stop and resuming restores the speed.
TEST(TextScroller, LateTicksCatchUpAndPauseSlowsToAStop)
{
    Scroller s("a|b|c");
    s.w.setScrollSpeed(10);
    s.w.StartScroll();
    ASSERT_TRUE(QTest::qWaitFor([&s] { return s.w.picturePosition().y() < 100; }, 5000));
    const int before = s.w.picturePosition().y();
    // Busy for 60 ms: a timer counting ticks would move one pixel; six steps are due.
    QThread::msleep(60);
    QTest::qWait(1);
    EXPECT_LE(s.w.picturePosition().y(), before - 4);

    s.w.Pause();
    ASSERT_TRUE(QTest::qWaitFor([&s] { return !s.w.IsScrolling(); }, 5000));
    EXPECT_EQ(s.w.currentPeriod(), 70); // 10, 25, 40, 55, 70: at least 60 ms, then stopped
    const QPoint stopped = s.w.picturePosition();
    QTest::qWait(50);
    EXPECT_EQ(s.w.picturePosition(), stopped);
    s.w.Pause();
    EXPECT_TRUE(s.w.IsScrolling());
    ASSERT_TRUE(QTest::qWaitFor([&] { return s.w.currentPeriod() == 10 && s.w.picturePosition() != stopped; }, 5000));
}

TEST(TextScroller, LoadFromFileTakesLinesOrKeepsTheText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(fixtures::writeFile(dir.filePath("credits.txt"), "first\r\nsecond\r\nthird\xe9\n"));
    Scroller s("old");
    EXPECT_FALSE(s.w.LoadFromFile(dir.filePath("missing.txt")));
    EXPECT_FALSE(s.w.LoadFromFile(dir.path()));
    EXPECT_EQ(s.w.Text(), "old");
    EXPECT_TRUE(s.w.LoadFromFile(dir.filePath("credits.txt")));
    EXPECT_EQ(s.w.Text(), QString::fromUtf8("first|second|third\u00e9|"));
}

} // namespace
