#include "about/about_box.h"

#include "about/text_scroller.h"
#include "fake_dialogs.h"
#include "shell/app_state.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

// Stands in for the desktop's browser and mail program.
class LinkCatcher : public QObject {
    Q_OBJECT
public:
    LinkCatcher()
    {
        QDesktopServices::setUrlHandler("https", this, "open");
        QDesktopServices::setUrlHandler("mailto", this, "open");
    }
    ~LinkCatcher() override
    {
        QDesktopServices::unsetUrlHandler("https");
        QDesktopServices::unsetUrlHandler("mailto");
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(AboutBox, ShowsVersionDisplayAndCreditsAfterTheTitle)
{
    AboutBox box("|Made by us|Thanks");
    EXPECT_EQ(box.windowTitle(), "About Caseleaf");
    EXPECT_EQ(box.palette().color(QPalette::Window), QColor(156, 142, 123));
    EXPECT_EQ(box.findChild<QLabel*>("version")->text(), "4.0 rev.11");
    // The offscreen screen: 800 by 800 pixels, 32 bits.
    EXPECT_EQ(box.findChild<QLabel*>("display")->text(),
              "Current display information: 800 by 800 pixels. 32 bit colours.");
    TextScroller* credits = box.scroller();
    EXPECT_EQ(credits->Text(), app::title() + "|Made by us|Thanks");
    EXPECT_TRUE(credits->IsScrolling());
    EXPECT_TRUE(credits->WordWrap());
    EXPECT_EQ(credits->ScrollSpeed(), 30);
    EXPECT_EQ(credits->FontColor(), 0xFFFFFF);
    EXPECT_EQ(credits->ShadowSize(), 0);
    EXPECT_TRUE(credits->font().bold());
}

TEST(AboutBox, AClickOnTheCreditsPausesThemAndTheNextLetsThemRun)
{
    AboutBox box("|a|b");
    box.show();
    TextScroller* credits = box.scroller();
    QTest::mouseClick(credits, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([credits] { return !credits->IsScrolling(); }, 5000));
    QTest::mouseClick(credits, Qt::LeftButton);
    EXPECT_TRUE(credits->IsScrolling());
    ASSERT_TRUE(QTest::qWaitFor([credits] { return credits->currentPeriod() == 30; }, 5000));
}

TEST(AboutBox, ReopeningStartsTheCreditsFromTheBottomAgain)
{
    int start = 0;
    {
        AboutBox first("|a|b");
        first.show();
        start = first.scroller()->picturePosition().y();
        ASSERT_TRUE(QTest::qWaitFor([&] { return first.scroller()->picturePosition().y() < start - 2; }, 5000));
        first.findChild<QPushButton*>("close")->click();
    }
    AboutBox second("|a|b");
    second.show();
    EXPECT_EQ(second.scroller()->picturePosition().y(), start);
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
    EXPECT_EQ(contact->accessibleName(), "Contact:");
    emit home->linkActivated(QStringLiteral(CASELEAF_HOMEPAGE));
    emit contact->linkActivated(QStringLiteral("mailto:" CASELEAF_CONTACT));
    ASSERT_EQ(desktop.opened.size(), 2);
    EXPECT_EQ(desktop.opened[0], QUrl(CASELEAF_HOMEPAGE));
    EXPECT_EQ(desktop.opened[1].scheme(), "mailto");
    EXPECT_TRUE(dialogs.shown.empty());
    // A link the desktop cannot open is named in a message.
    emit home->linkActivated("nosuchscheme:page");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.endsWith("nosuchscheme:page"));
}

} // namespace

#include "about_box_test.moc"
