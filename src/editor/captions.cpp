#include "editor/captions.h"

#include "editor/bindings.h"
#include "shell/language.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>

namespace {

struct NamedCaption {
    const char* objectName; // every element of that name takes the caption
    Caption caption;
};

constexpr LangSection kMenu = LangSection::Menu;
constexpr LangSection kBack = LangSection::BackCover;
constexpr LangSection kFront = LangSection::FrontCover;

// Captions of everything that edits no setting itself, in the order they are applied.
const NamedCaption kCaptions[] = {
    {"mFile", {kMenu, 1, "&File"}},
    {"mImport", {kMenu, 2, "&Import"}},
    {"mExport", {kMenu, 3, "&Export cover settings"}},
    {"mPrint", {kMenu, 4, "&Print..."}},
    {"mSettings", {kMenu, 5, "&Settings"}},
    {"mLanguage", {kMenu, 6, "&Language"}},
    {"mTools", {kMenu, 9, "&Tools"}},
    {"mGetContents", {kMenu, 10, "&Get contents from disk or folder"}},
    {"mExit", {kMenu, 11, "E&xit"}},
    {"mHelpMenu", {kMenu, 12, "&Help"}},
    {"mHelp", {kMenu, 13, "&Help"}},
    {"mAbout", {kMenu, 14, "&About..."}},
    {"mPicture", {kMenu, 16, "&Picture"}},
    {"mPictureInsert", {kMenu, 17, "&Insert..."}},
    {"mTextInsert", {kMenu, 17, "&Insert..."}},
    {"mPictureClear", {kMenu, 18, "&Clear"}},
    {"mTextClear", {kMenu, 18, "&Clear"}},
    {"mText", {kMenu, 19, "&Text"}},
    {"mNew", {kMenu, 22, "&New"}},
    {"mTextEdit", {kMenu, 23, "&Edit"}},
    {"mOpen", {kMenu, 24, "&Open"}},
    {"mSaveAs", {kMenu, 25, "Save &as..."}},
    {"mShowResent", {kMenu, 26, "Show &resent files in menu"}},
    {"mClearResent", {kMenu, 27, "&Clear resent files-list"}},
    {"mPreset", {kMenu, 29, "&Preset..."}},
    {"mExportPicture", {kMenu, 30, "&Export picture"}},
    {"mColorCapture", {kMenu, 31, "&Color Capture..."}},
    {"mSave", {kMenu, 35, "&Save..."}},
    {"mPrintPreview", {kMenu, 36, "Print pre&view..."}},
    {"mCalibration", {kMenu, 37, "&Printer calibration..."}},
    {"mEdit", {kMenu, 38, "&Edit"}},
    {"mZoom", {kMenu, 41, "&Zoom"}},
    {"mZoomIn", {kMenu, 42, "Zoom &in"}},
    {"mZoomOut", {kMenu, 43, "Zoom &out"}},
    {"mZoomActual", {kMenu, 44, "&Actual size"}},
    {"mZoomFit", {kMenu, 45, "&Fit"}},
    {"BackTab", {kBack, 1, "Back cover"}},
    {"LabelTab", {kBack, 2, "Label"}},
    {"LabelTextFrame", {kBack, 3, "Text"}},
    {"LabelFontFrame", {kBack, 8, "Font-settings"}},
    {"EditContents", {kBack, 11, "Edit contents"}},
    {"LabelColorFrame", {kBack, 13, "Colors"}},
    {"TextTab", {kBack, 15, "Text"}},
    {"PictureFrame", {kBack, 16, "Picture"}},
    {"MarginsFrame", {kBack, 20, "Margins"}},
    {"TextFontFrame", {kBack, 23, "Font-settings"}},
    {"TextColorFrame", {kBack, 28, "Colors"}},
    {"BackGlobalTab", {kBack, 31, "Global"}},
    {"LineColorFrame", {kBack, 34, "Line colors"}},
    {"EditContents", {kBack, 37, "Edit contents"}},
    {"LabelHint", {kBack, 40, "Use spaces to align the text."}},
    {"FrontTab", {kFront, 1, "Front cover"}},
    {"FrontGlobalTab", {kFront, 2, "Global"}},
    {"InnerPictureFrame", {kFront, 3, "Inner-Picture"}},
    {"OuterPictureFrame", {kFront, 8, "Outer-Picture"}},
    {"FrontLineColorFrame", {kFront, 17, "Line colors"}},
    {"InnerTab", {kFront, 20, "Inner-side"}},
    {"InnerMarginsFrame", {kFront, 28, "Margins"}},
    {"EditInnerText", {kFront, 31, "Edit text"}},
    {"OuterTab", {kFront, 32, "Outer-side"}},
    {"OuterMarginsFrame", {kFront, 41, "Margins"}},
    {"EditOuterText", {kFront, 44, "Edit text"}},
};

// What a screen reader reads: the caption without its mnemonic marks ("&&" is an "&").
QString spokenText(QString text)
{
    static const QRegularExpression mark(QStringLiteral("&(.)"));
    return text.replace(mark, QStringLiteral("\\1"));
}

void setCaption(QObject* object, const QString& text)
{
    if (auto* action = qobject_cast<QAction*>(object)) {
        action->setText(text);
    } else if (auto* menu = qobject_cast<QMenu*>(object)) {
        menu->setTitle(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
        group->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(object)) {
        label->setText(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        button->setText(text);
    } else if (auto* page = qobject_cast<QWidget*>(object)) {
        // A tab page: the caption is its tab's.
        for (QWidget* p = page->parentWidget(); p; p = p->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
                tabs->setTabText(tabs->indexOf(page), text);
                break;
            }
        }
    }
}

// A bound control shows its caption itself (boxes, options) or through its label.
void setControlCaption(QWidget* root, const QString& control, const QString& text)
{
    for (QWidget* widget : root->findChildren<QWidget*>(control)) {
        if (auto* button = qobject_cast<QAbstractButton*>(widget); button && button->isCheckable()) {
            button->setText(text);
            continue;
        }
        if (auto* label = root->findChild<QLabel*>(control + QStringLiteral("Label")))
            label->setText(text);
        widget->setAccessibleName(spokenText(text));
    }
}

} // namespace

QString designedCaption(const QString& objectName)
{
    for (const NamedCaption& c : kCaptions) {
        if (objectName == QLatin1String(c.objectName))
            return QString::fromLatin1(c.caption.designed);
    }
    if (const Binding* row = bindingOf(objectName))
        return QString::fromLatin1(row->caption.designed);
    return QString();
}

void applyCaptions(QWidget* root)
{
    for (const NamedCaption& c : kCaptions) {
        const QString text = Lang(c.caption.section, c.caption.entry);
        if (text.isEmpty())
            continue;
        for (QObject* object : root->findChildren<QObject*>(QString::fromLatin1(c.objectName)))
            setCaption(object, text);
    }
    for (const Binding& row : bindings()) {
        const QString text = Lang(row.caption.section, row.caption.entry);
        if (!text.isEmpty())
            setControlCaption(root, QString::fromLatin1(row.control), text);
    }
}
