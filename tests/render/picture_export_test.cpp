#include "render/picture_export.h"

#include "archive/zip_fixtures.h"
#include "document/cover_document.h"
#include "numbered_language.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"

using namespace fixtures;

namespace {

class PictureExport : public ::testing::Test, protected TestFolder {
protected:
    void SetUp() override { ASSERT_TRUE(language.loaded() && QDir().mkpath(path("out")) && writeFile(source, jpeg)); }

    NumberedLanguage language;
    FakeDialogs dialogs;
    const QString source = path("photo.jpg");
    // Not a picture any program would show, which is the point: nothing is decoded.
    const QByteArray jpeg = QByteArray("\xFF\xD8\xFF\xE0 not really a JPEG \x00\x01\x02", 27);
};

TEST_F(PictureExport, CopiesTheBytesUnderTheChosenNameAskingBeforeReplacingAFile)
{
    ASSERT_TRUE(writeFile(path("out/old.bmp"), "old bytes"));
    const struct { const char* target; MsgResult answer; bool copied; int questions; } cases[] = {
        {nullptr, MsgResult::Ok, false, 0}, // the dialog cancelled
        {"out/old.bmp", MsgResult::Cancel, false, 1},
        {"out/old.bmp", MsgResult::Ok, true, 1},
        {"out/new.bmp", MsgResult::Cancel, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target ? c.target : "cancelled");
        const QString target = c.target ? path(c.target) : QString();
        const QByteArray before = readFile(target);
        QString folder = "/start/here/";
        dialogs.files = {target};
        dialogs.answers = {c.answer};
        EXPECT_EQ(SavePictureTo(source, folder), c.copied);
        EXPECT_EQ(readFile(target), c.copied ? jpeg : before);
        EXPECT_EQ(folder, c.copied ? path("out/") : "/start/here/");
        for (const FakeDialogs::Shown& question : dialogs.shown)
            EXPECT_EQ(question.buttons, MsgButtons::OkCancel);
        EXPECT_EQ(dialogs.takeTexts(), QStringList(c.questions, "Message 10\nMessage 11"));
    }
    const FileDialogRequest& asked = dialogs.fileRequests.back();
    EXPECT_TRUE(asked.save && !asked.confirmOverwrite); // the question above is the only one
    EXPECT_EQ(asked.folder + "|" + asked.fileName + "|" + asked.title, "/start/here/|photo.jpg|Message 57");
    EXPECT_TRUE(asked.filter.startsWith("Message 9 (*.bmp *.jpg *.gif *.wmf *.ico)"));
}

TEST_F(PictureExport, ACopyThatFailsIsReportedWithItsReasonAndChangesNothing)
{
    ASSERT_TRUE(writeFile(path("kept.jpg"), "kept"));
    const std::pair<QString, QString> failures[] = {// from, to
        {source, path("missing/photo.jpg")}, {path("gone.jpg"), path("kept.jpg")}, {source, dir.path()}};
    for (const auto& [from, to] : failures) {
        QString folder = "/start/";
        dialogs.shown.clear();
        dialogs.files = {to};
        EXPECT_FALSE(SavePictureTo(from, folder)) << to.toStdString();
        ASSERT_FALSE(dialogs.shown.empty());
        const FakeDialogs::Shown& report = dialogs.shown.back();
        EXPECT_TRUE(report.text.startsWith("Message 55\n") && report.text.size() > QString("Message 55\n").size())
            << report.text.toStdString();
        EXPECT_EQ(report.icon, MsgIcon::Critical);
        EXPECT_EQ(folder, "/start/");
    }
    EXPECT_EQ(readFile(path("kept.jpg")), "kept");
}

TEST_F(PictureExport, OnlyAPictureFileThatExistsCanBeExported)
{
    // Files of those names where the program runs name no picture of the cover.
    for (const char* name : {"none", "relative.jpg"})
        QFile::copy(source, QDir::current().filePath(name));
    const std::pair<QString, bool> cases[] = {{"", false}, {"none", false}, {"NONE", false}, {"relative.jpg", false},
                                              {path("gone.jpg"), false}, {dir.path(), false}, {source, true}};
    for (const auto& [ref, exportable] : cases)
        EXPECT_EQ(canExportPicture(CoverPicture{ref, QImage()}), exportable) << ref.toStdString();
    for (const char* name : {"none", "relative.jpg"})
        QFile::remove(QDir::current().filePath(name));
}

} // namespace
