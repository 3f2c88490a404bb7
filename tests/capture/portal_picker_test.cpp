#include "platform/screen_grab.h"

#include "fake_portal.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

class PortalPicker : public ::testing::Test {
protected:
    PrivateBus bus;

    void SetUp() override
    {
        if (!bus.running())
            GTEST_SKIP() << "no dbus-daemon to run a private bus";
    }
};

TEST_F(PortalPicker, TurnsThePortalsAnswerIntoAColourValue)
{
    FakePortal portal(bus.connection("portal"));
    ASSERT_TRUE(portal.publish());
    PortalColorPicker picker(bus.connection("picker"));
    QSignalSpy picked(&picker, &PortalColorPicker::picked);
    QSignalSpy cancelled(&picker, &PortalColorPicker::cancelled);
    QSignalSpy failed(&picker, &PortalColorPicker::failed);
    picker.pick("x11:1c");
    EXPECT_EQ(picked.count() + cancelled.count() + failed.count(), 0); // never from inside pick()
    ASSERT_TRUE(picked.wait(5000)) << failed.value(0).value(0).toString().toStdString();
    EXPECT_EQ(picked.takeFirst().at(0).toInt(), 255 + 256 * 128);
    EXPECT_EQ(portal.parentWindow, "x11:1c");

    // A second pick is answered on its own request.
    portal.red = 0.0;
    portal.blue = 1.0;
    picker.pick(QString());
    ASSERT_TRUE(picked.wait(5000));
    EXPECT_EQ(picked.takeFirst().at(0).toInt(), 256 * 128 + 65536 * 255);

    portal.answer = 1;
    picker.pick(QString());
    ASSERT_TRUE(cancelled.wait(5000));
    portal.answer = 2;
    picker.pick(QString());
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_EQ(picked.count(), 0);
}

TEST_F(PortalPicker, NoPortalOnTheBusFails)
{
    PortalColorPicker picker(bus.connection("picker"));
    QSignalSpy picked(&picker, &PortalColorPicker::picked);
    QSignalSpy failed(&picker, &PortalColorPicker::failed);
    picker.pick(QString());
    ASSERT_TRUE(failed.wait(5000));
    EXPECT_FALSE(failed.takeFirst().at(0).toString().isEmpty());
    EXPECT_EQ(picked.count(), 0);
}

TEST(PortalPickerWithoutBus, Fails)
{
    PortalColorPicker picker(QDBusConnection::connectToBus("unix:path=/nonexistent/bus", "nowhere"));
    QSignalSpy failed(&picker, &PortalColorPicker::failed);
    picker.pick(QString());
    EXPECT_EQ(failed.count(), 0);
    ASSERT_TRUE(failed.wait(5000));
    QDBusConnection::disconnectFromBus("nowhere");
}

} // namespace
