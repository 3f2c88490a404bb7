#include "editor/preview_interaction.h"

#include "editor_fixture.h"

namespace {

TEST(PreviewRegions, ClicksChooseLabelTextOrGlobalOnTheBackAndTheHalfTheFoldBelongingInsideOnTheFront)
{
    const std::pair<QPointF, BackTab> back[] = {
        {{8, 60}, BackTab::Label},   {{152, 60}, BackTab::Label}, {{5.5, 6}, BackTab::Label},
        {{11, 60}, BackTab::Text},   {{80, 60}, BackTab::Text},   {{149, 122}, BackTab::Text},
        {{80, 124}, BackTab::Global}, {{2, 60}, BackTab::Global}, {{8, 5}, BackTab::Global},
        {{155, 60}, BackTab::Global}};
    for (const auto& [mm, tab] : back)
        EXPECT_EQ(backTabAt(mm), tab) << mm.x() << "," << mm.y();
    const QSizeF sheet(250, 130);
    const std::pair<QPointF, FrontTab> front[] = {
        {{60, 60}, FrontTab::Inner},   {{125, 60}, FrontTab::Inner},  {{125.01, 60}, FrontTab::Outer},
        {{244.9, 124}, FrontTab::Outer}, {{245, 60}, FrontTab::Global}, {{5, 60}, FrontTab::Global},
        {{60, 4}, FrontTab::Global},   {{200, 125}, FrontTab::Global}};
    for (const auto& [mm, tab] : front)
        EXPECT_EQ(frontTabAt(mm, sheet), tab) << mm.x() << "," << mm.y();
    // A narrower surface moves the outer half's end with it.
    EXPECT_EQ(frontTabAt({230, 60}, QSizeF(234, 130)), FrontTab::Global);
    EXPECT_EQ(frontHalfAt(125), TextSlot::Inner);
    EXPECT_EQ(frontHalfAt(125.01), TextSlot::Outer);
}

class PreviewMouse : public EditorTest {
protected:
    static QPoint at(const PreviewWidget* preview, double x, double y)
    {
        return QPointF(x * preview->pixelsPerMm(), y * preview->pixelsPerMm()).toPoint();
    }
    // The pop-up menu a right click at a point opens; closed again.
    static QString popupAt(QWidget* widget, const QPoint& point)
    {
        QTest::mouseClick(widget, Qt::RightButton, {}, point);
        QWidget* popup = QApplication::activePopupWidget();
        const QString name = popup ? popup->objectName() : QString("none");
        if (popup)
            popup->close();
        return name;
    }
    // As the window system delivers one: a press, then the double-click.
    static void doubleClick(QWidget* widget, const QPoint& at = QPoint())
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    }
};

TEST_F(PreviewMouse, ClicksChooseTheSettingsTabOfThePlace)
{
    // Any button but the right one chooses on the back, only the left one on the front; the
    // places grow with the zoom (here 1.25).
    action("mZoomIn")->trigger();
    const struct {
        bool back;
        double x, y;
        Qt::MouseButton button;
        int from, to;
    } clicks[] = {{true, 80, 60, Qt::LeftButton, 0, 2},   {true, 152, 30, Qt::MiddleButton, 0, 1},
                  {true, 80, 126, Qt::LeftButton, 2, 0},  {false, 130, 60, Qt::LeftButton, 0, 2},
                  {false, 120, 60, Qt::LeftButton, 0, 1}, {false, 60, 127, Qt::LeftButton, 2, 0},
                  {false, 200, 60, Qt::MiddleButton, 1, 1}};
    for (const auto& c : clicks) {
        PreviewWidget* preview = c.back ? backPreview() : frontPreview();
        auto* settings = control<QTabWidget>(c.back ? "BackSettingsTabs" : "FrontSettingsTabs");
        settings->setCurrentIndex(c.from);
        QTest::mouseClick(preview, c.button, {}, at(preview, c.x, c.y));
        EXPECT_EQ(settings->currentIndex(), c.to) << (c.back ? "back " : "front ") << c.x << "," << c.y;
    }
}

TEST_F(PreviewMouse, TheRightButtonOpensThePopUpMenuOfThePlaceOrTheFileMenuOnTheTabs)
{
    EXPECT_EQ(popupAt(backPreview(), at(backPreview(), 80, 60)), "BackPopup");
    EXPECT_EQ(popupAt(frontPreview(), at(frontPreview(), 60, 60)), "InnerPopup");
    EXPECT_EQ(popupAt(frontPreview(), at(frontPreview(), 200, 60)), "OuterPopup");

    // "Edit" is ticked in the menu of the text being edited.
    control<QCheckBox>("EditOuterText")->setChecked(true);
    auto* outer = control<QMenu>("OuterPopup");
    auto* inner = control<QMenu>("InnerPopup");
    EXPECT_EQ(popupAt(frontPreview(), at(frontPreview(), 200, 60)), "OuterPopup");
    EXPECT_TRUE(outer->findChild<QAction*>("mTextEdit")->isChecked());
    EXPECT_EQ(popupAt(frontPreview(), at(frontPreview(), 60, 60)), "InnerPopup");
    EXPECT_FALSE(inner->findChild<QAction*>("mTextEdit")->isChecked());

    // On the tab strip it opens the File menu, and the tab under it is not chosen.
    QTabBar* strip = control<QTabWidget>("MainTabs")->tabBar();
    EXPECT_EQ(popupAt(strip, strip->tabRect(1).center()), "mFile");
    EXPECT_EQ(strip->currentIndex(), 0);
}

TEST_F(PreviewMouse, DoubleClicksSwitchTheEditModeOfTheHalf)
{
    doubleClick(frontPreview(), at(frontPreview(), 60, 60));
    EXPECT_TRUE(control<QCheckBox>("EditInnerText")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("EditOuterText")->isChecked());
    // The open box covers the inner area: a double-click on it ends its mode.
    doubleClick(box("InnerTextBox")->viewport());
    EXPECT_FALSE(control<QCheckBox>("EditInnerText")->isChecked());

    doubleClick(frontPreview(), at(frontPreview(), 200, 60));
    EXPECT_TRUE(control<QCheckBox>("EditOuterText")->isChecked());
    doubleClick(backPreview(), at(backPreview(), 80, 60));
    EXPECT_TRUE(control<QCheckBox>("EditContents")->isChecked());

    // A click on an open box chooses the settings of its text.
    control<QTabWidget>("BackSettingsTabs")->setCurrentIndex(0);
    QTest::mouseClick(box("ContentsBox")->viewport(), Qt::LeftButton);
    EXPECT_EQ(control<QTabWidget>("BackSettingsTabs")->currentIndex(), 2);
}

TEST_F(PreviewMouse, DroppedCoversOpenOtherFilesAreRefusedQuietly)
{
    coverArchive("Dropped.VRZ", "Text=Dropped\r\n");
    QFile::copy(path("Dropped.VRZ"), path("notes.txt"));
    for (const auto& [file, taken] : {std::pair{"notes.txt", false}, std::pair{"Dropped.VRZ", true}}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path(file))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(frontPreview(), &enter);
        EXPECT_EQ(enter.isAccepted(), taken) << file;
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(frontPreview(), &drop);
        EXPECT_EQ(doc().Text, taken ? "Dropped" : "") << file;
    }
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(doc().currentFile, path("Dropped.VRZ"));
}

} // namespace
