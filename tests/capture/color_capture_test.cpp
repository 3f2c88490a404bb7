#include "capture/capture_overlay.h"
#include "capture/capture_state.h"
#include "capture/capture_window.h"
#include "capture/color_capture.h"
#include "fake_dialogs.h"
#include "fake_portal.h"
#include "platform/screen_grab.h"

#include "gtest_qt.h"

namespace {

// A frameless window over the whole screen, its left half one colour and its right
// half another: the "screen" the picker copies.
class PaintedScreen final : public QWidget {
public:
    PaintedScreen(QColor left, QColor right) : QWidget(nullptr, Qt::FramelessWindowHint), left(left), right(right)
    {
        setGeometry(QGuiApplication::primaryScreen()->geometry());
        show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(this));
    }
    QColor left, right;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), right);
        p.fillRect(QRect(0, 0, width() / 2, height()), left);
    }
};

// A desktop that will not copy its screen, optionally with a portal on a private bus.
struct FakeDesktop final : ScreenReader {
    explicit FakeDesktop(PrivateBus* portalBus = nullptr) : bus(portalBus) { setScreenReader(this); }
    ~FakeDesktop() override { setScreenReader(nullptr); }
    ScreenAccess access() override { return bus ? ScreenAccess::Portal : ScreenAccess::StillImage; }
    QImage grab(QScreen*) override { ++grabs; return {}; }
    PortalColorPicker* portalPicker(QObject* parent) override
    {
        return new PortalColorPicker(bus->connection("picker"), parent);
    }
    PrivateBus* bus;
    int grabs = 0;
};

CaptureOverlay* shownOverlay()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* o = qobject_cast<CaptureOverlay*>(w); o && o->isVisible())
            return o;
    return nullptr;
}

class ColourCaptureTest : public ::testing::Test {
protected:
    FakeDialogs dialogs;
    QMainWindow frame;
    ColorCaptureWindow* window = nullptr;
    std::unique_ptr<QSignalSpy> done;

    void SetUp() override
    {
        captureState() = CaptureState{};
        frame.showMaximized();
        window = ColorCaptureWindow::showFor(&frame);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        done = std::make_unique<QSignalSpy>(window->control(), &ColorCapture::CaptureDone);
    }
    void TearDown() override { delete window; }

    QString box(const char* name) { return window->findChild<QLineEdit*>(name)->text(); }
    void clickCapture() { window->findChild<QPushButton*>("captureNow")->click(); }
    CaptureOverlay* startCapture()
    {
        clickCapture();
        (void)QTest::qWaitFor([] { return shownOverlay() != nullptr; }, 5000);
        return shownOverlay();
    }
    // Waits for CaptureDone; its arguments.
    QVariantList captureDone()
    {
        EXPECT_TRUE(done->wait(5000));
        EXPECT_EQ(frame.windowState(), Qt::WindowMaximized); // the frame is back as it was
        EXPECT_FALSE(window->windowState() & Qt::WindowMinimized);
        return done->isEmpty() ? QVariantList() : done->takeFirst();
    }
};

TEST_F(ColourCaptureTest, PicksFromTheScreenAsItWasAndAKeyCancels)
{
    PaintedScreen screen(QColor(255, 0, 0), QColor(12, 34, 56));
    CaptureOverlay* overlay = startCapture();
    ASSERT_NE(overlay, nullptr);
    EXPECT_TRUE(frame.windowState() & Qt::WindowMinimized); // out of the way
    QMouseEvent move(QEvent::MouseMove, QPointF(100, 300), QPointF(100, 300), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(overlay, &move);
    EXPECT_EQ(overlay->info()->shownColour(), 255);
    // The real screen changing now does not matter: the overlay shows the copy.
    screen.right = Qt::white;
    screen.repaint();
    QTest::mouseClick(overlay, Qt::LeftButton, {}, QPoint(700, 300));
    EXPECT_EQ(captureDone(), QVariantList({12, 34, 56, "#0C2238", 3678732}));
    EXPECT_EQ(box("longBox"), "3678732");
    EXPECT_EQ(box("rgbBox"), "12,34,56");
    EXPECT_EQ(window->findChild<QWidget*>("swatch")->palette().color(QPalette::Window), QColor(12, 34, 56));

    // A key cancels: the boxes keep what they hold, typed text read back as numbers.
    window->findChild<QLineEdit*>("rgbBox")->setText("12, 300x,abc");
    QTest::keyClick(startCapture(), Qt::Key_Escape);
    EXPECT_EQ(captureDone(), QVariantList({12, 300, 0, "#0C2238", 3678732}));
    EXPECT_EQ(captureState().capturedColor, -1);
    EXPECT_TRUE(dialogs.shown.empty());
}

// Where the screen cannot be copied the picker says why; on Wayland the portal picks, and
// without one the picker says so too.
TEST_F(ColourCaptureTest, WithoutAScreenCopyThePortalPicksOrThePickerSaysWhy)
{
    {
        FakeDesktop noCopy;
        clickCapture();
        captureDone();
    }
    EXPECT_EQ(shownOverlay(), nullptr);
    EXPECT_TRUE(box("hexBox").isEmpty());
    EXPECT_EQ(dialogs.takeTexts(), QStringList{"The screen could not be copied, so no colour can be picked from it."});
    PrivateBus bus;
    if (!bus.running())
        GTEST_SKIP() << "no dbus-daemon to run a private bus";
    FakeDesktop wayland(&bus);
    clickCapture();
    captureDone();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith("Picking a colour from the screen is not available here"));
    FakePortal portal(bus.connection("portal"));
    ASSERT_TRUE(portal.publish());
    portal.green = 1.0;
    portal.blue = 0.5;
    clickCapture();
    EXPECT_EQ(captureDone(), QVariantList({0, 255, 128, "#00FF80", 255 * 256 + 128 * 65536}));
    portal.answer = 1;
    clickCapture();
    EXPECT_EQ(captureDone().value(3), "#00FF80");
    EXPECT_EQ(wayland.grabs, 0); // no copy of the screen is even tried
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

} // namespace
