#include "capture/capture_overlay.h"
#include "capture/capture_state.h"
#include "capture/capture_window.h"
#include "capture/color_capture.h"
#include "fake_dialogs.h"
#include "fake_portal.h"
#include "platform/screen_grab.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

// A frameless window over the whole screen, its left half one colour and its right
// half another: the "screen" the picker copies.
class PaintedScreen final : public QWidget {
public:
    PaintedScreen(QColor left, QColor right) : QWidget(nullptr, Qt::FramelessWindowHint), left(left), right(right)
    {
        setGeometry(QGuiApplication::primaryScreen()->geometry());
    }
    QColor left;
    QColor right;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(QRect(0, 0, width() / 2, height()), left);
        p.fillRect(QRect(width() / 2, 0, width() - width() / 2, height()), right);
    }
};

// A mouse move without buttons, as the pointer passing over the overlay.
void hover(QWidget* w, QPoint pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

// A desktop that will not give a copy of its screen.
struct NoScreen final : ScreenReader {
    NoScreen() { setScreenReader(this); }
    ~NoScreen() override { setScreenReader(nullptr); }
    QImage grab(QScreen*) override { return QImage(); }
};

// A Wayland desktop whose portal lives on a private bus.
struct PortalScreen final : ScreenReader {
    explicit PortalScreen(PrivateBus& bus) : bus(bus) { setScreenReader(this); }
    ~PortalScreen() override { setScreenReader(nullptr); }
    ScreenAccess access() override { return ScreenAccess::Portal; }
    QImage grab(QScreen*) override
    {
        ++grabs;
        return QImage();
    }
    PortalColorPicker* portalPicker(QObject* parent) override
    {
        return new PortalColorPicker(bus.connection("picker"), parent);
    }
    PrivateBus& bus;
    int grabs = 0;
};

QString text(QWidget* w, const char* box) { return w->findChild<QLineEdit*>(box)->text(); }

CaptureOverlay* shownOverlay()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* o = qobject_cast<CaptureOverlay*>(w); o && o->isVisible())
            return o;
    }
    return nullptr;
}

CaptureOverlay* waitForOverlay()
{
    (void)QTest::qWaitFor([] { return shownOverlay() != nullptr; }, 5000);
    return shownOverlay();
}

class ColourCaptureTest : public ::testing::Test {
protected:
    FakeDialogs dialogs;
    QMainWindow frame;
    ColorCaptureWindow* window = nullptr;

    void SetUp() override
    {
        captureState() = CaptureState{};
        frame.resize(300, 200);
        frame.showMaximized();
        window = ColorCaptureWindow::showFor(&frame);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    }
    void TearDown() override { delete window; }

    ColorCapture* control() const { return window->control(); }
    // Clicks "Capture now" and waits for the overlay.
    CaptureOverlay* startCapture()
    {
        window->findChild<QPushButton*>("captureNow")->click();
        EXPECT_TRUE(control()->capturing());
        return waitForOverlay();
    }
};

TEST_F(ColourCaptureTest, PicksTheColourUnderTheClickFromTheScreenAsItWas)
{
    PaintedScreen screen(QColor(255, 0, 0), QColor(12, 34, 56));
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QSignalSpy done(control(), &ColorCapture::CaptureDone);
    CaptureOverlay* overlay = startCapture();
    ASSERT_NE(overlay, nullptr);
    // Both windows stepped out of the way.
    EXPECT_TRUE(frame.windowState() & Qt::WindowMinimized);
    EXPECT_TRUE(window->windowState() & Qt::WindowMinimized);

    // The info window follows the mouse.
    hover(overlay, QPoint(100, 300));
    EXPECT_EQ(overlay->info()->shownColour(), 255);
    // What is on the real screen now does not matter: the overlay shows the copy.
    screen.right = Qt::white;
    screen.repaint();
    QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(700, 300));
    ASSERT_TRUE(done.wait(5000));

    EXPECT_EQ(text(control(), "hexBox"), "#0C2238");
    EXPECT_EQ(text(control(), "longBox"), "3678732");
    EXPECT_EQ(text(control(), "rgbBox"), "12,34,56");
    EXPECT_EQ(control()->findChild<QWidget*>("swatch")->palette().color(QPalette::Window), QColor(12, 34, 56));
    EXPECT_EQ(done.takeFirst(), QVariantList({12, 34, 56, "#0C2238", 3678732}));
    // Both come back, the frame in the state it had.
    EXPECT_EQ(frame.windowState(), Qt::WindowMaximized);
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(control()->capturing());
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ColourCaptureTest, AKeyCancelsAndTheBoxesKeepTheirValues)
{
    PaintedScreen screen(Qt::black, Qt::green);
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QSignalSpy done(control(), &ColorCapture::CaptureDone);
    QTest::mouseClick(startCapture(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(done.takeFirst(), QVariantList({0, 0, 0, "#000000", 0}));

    CaptureOverlay* overlay = startCapture();
    ASSERT_NE(overlay, nullptr);
    hover(overlay, QPoint(700, 10));
    QTest::keyClick(overlay, Qt::Key_Escape);
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(captureState().capturedColor, -1);
    EXPECT_EQ(text(control(), "hexBox"), "#000000");
    EXPECT_EQ(text(control(), "rgbBox"), "0,0,0");
    EXPECT_EQ(done.takeFirst(), QVariantList({0, 0, 0, "#000000", 0}));
    EXPECT_EQ(frame.windowState(), Qt::WindowMaximized);
}

TEST_F(ColourCaptureTest, AScreenThatCannotBeCopiedIsSaidNotShownBlack)
{
    NoScreen reader;
    QSignalSpy done(control(), &ColorCapture::CaptureDone);
    window->findChild<QPushButton*>("captureNow")->click();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(shownOverlay(), nullptr);
    EXPECT_TRUE(text(control(), "hexBox").isEmpty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains("could not be copied"));
    EXPECT_EQ(frame.windowState(), Qt::WindowMaximized);
}

TEST_F(ColourCaptureTest, OnWaylandThePortalPicksTheColour)
{
    PrivateBus bus;
    if (!bus.running())
        GTEST_SKIP() << "no dbus-daemon to run a private bus";
    PortalScreen wayland(bus);
    FakePortal portal(bus.connection("portal"));
    ASSERT_TRUE(portal.publish());
    portal.red = 0.0;
    portal.green = 1.0;
    portal.blue = 1.0;
    QSignalSpy done(control(), &ColorCapture::CaptureDone);
    window->findChild<QPushButton*>("captureNow")->click();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(done.takeFirst(), QVariantList({0, 255, 255, "#00FFFF", 255 * 256 + 255 * 65536}));
    EXPECT_EQ(wayland.grabs, 0); // no copy of the screen is even tried
    EXPECT_EQ(shownOverlay(), nullptr);
    EXPECT_EQ(frame.windowState(), Qt::WindowMaximized);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ColourCaptureTest, OnWaylandWithoutAPortalThePickerSaysWhy)
{
    PrivateBus bus;
    if (!bus.running())
        GTEST_SKIP() << "no dbus-daemon to run a private bus";
    PortalScreen wayland(bus);
    QSignalSpy done(control(), &ColorCapture::CaptureDone);
    window->findChild<QPushButton*>("captureNow")->click();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_TRUE(text(control(), "hexBox").isEmpty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("Picking a colour from the screen is not available here"));
    EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
}

TEST_F(ColourCaptureTest, SetResReadsTheBoxesBack)
{
    QSignalSpy done(control(), &ColorCapture::CaptureDone);
    captureState().capturedColor = 0x00FF80; // red 128, green 255, blue 0
    control()->SetRes();
    EXPECT_EQ(done.takeFirst(), QVariantList({128, 255, 0, "#80FF00", 0x00FF80}));
    // A cancelled capture reads back whatever the user typed into the boxes.
    captureState().capturedColor = -1;
    control()->findChild<QLineEdit*>("rgbBox")->setText("12, 300x,abc");
    control()->findChild<QLineEdit*>("longBox")->setText("99999999999");
    control()->SetRes();
    EXPECT_EQ(done.takeFirst(), QVariantList({12, 300, 0, "#80FF00", 2147483647}));
}

TEST_F(ColourCaptureTest, WindowCaptionsAndNames)
{
    EXPECT_EQ(window->windowTitle(), "Twk Color Capture");
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(ColorCaptureWindow::showFor(&frame), window); // one window at a time
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (qobject_cast<QLabel*>(w) || !w->focusPolicy())
            continue;
        const auto* button = qobject_cast<QPushButton*>(w);
        EXPECT_FALSE(w->objectName().isEmpty());
        EXPECT_TRUE(!w->accessibleName().isEmpty() || (button && !button->text().isEmpty())) << w->objectName().toStdString();
    }
}

} // namespace
