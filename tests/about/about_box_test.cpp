#include "about/about_box.h"

#include "about/text_scroller.h"
#include "fake_dialogs.h"
#include "shell/app_state.h"

#include "gtest_qt.h"

namespace {

// Stands in for the desktop's browser and mail program.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    LinkCatcher()
    {
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~LinkCatcher() override
    {
        for (const char* scheme : {"https", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(AboutBox, ShowsVersionDisplayAndCreditsAfterTheTitle)
{
    AboutBox box("|Made by us|Thanks");
    box.show();
    EXPECT_EQ(box.windowTitle(), "About Caseleaf");
    EXPECT_EQ(box.findChild<QLabel*>("version")->text(), "4.0 rev.11");
    // The offscreen screen's own values.
    EXPECT_EQ(box.findChild<QLabel*>("display")->text(), "Current display information: 800 by 800 pixels. 32 bit colours.");
    TextScroller* credits = box.scroller();
    EXPECT_EQ(credits->Text(), app::title() + "|Made by us|Thanks");
    const int start = credits->height() - 2 * credits->frameWidth();
    ASSERT_TRUE(QTest::qWaitFor([&] { return credits->picturePosition().y() < start; }, 5000));
    // A click pauses the credits, the next lets them run.
    QTest::mouseClick(credits, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([credits] { return !credits->IsScrolling(); }, 5000));
    QTest::mouseClick(credits, Qt::LeftButton);
    EXPECT_TRUE(credits->IsScrolling());
    // Closed and opened again, the credits start from the bottom again.
    box.findChild<QPushButton*>("close")->click();
    AboutBox again("|Made by us|Thanks");
    again.show();
    EXPECT_EQ(again.scroller()->picturePosition().y(), start);
}

TEST(AboutBox, LinksOpenInTheDesktopsProgramsOrSayWhyNot)
{
    FakeDialogs dialogs;
    LinkCatcher desktop;
    AboutBox box("");
    auto* home = box.findChild<QLabel*>("homepage");
    auto* contact = box.findChild<QLabel*>("contact");
    ASSERT_TRUE(home && contact);
    EXPECT_EQ(home->accessibleName(), "Homepage:");
    emit home->linkActivated(QStringLiteral(CASELEAF_HOMEPAGE));
    emit contact->linkActivated(QStringLiteral("mailto:" CASELEAF_CONTACT));
    EXPECT_EQ(desktop.opened, QList<QUrl>({QUrl(CASELEAF_HOMEPAGE), QUrl("mailto:" CASELEAF_CONTACT)}));
    EXPECT_TRUE(dialogs.shown.empty());
    emit home->linkActivated("nosuchscheme:page");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.endsWith("nosuchscheme:page"));
}

} // namespace

#include "about_box_test.moc"
