#include "render/picture_export.h"

#include "document/cover_document.h"
#include "document/numbered_language.h"
#include "fake_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

class PictureExport : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(language.loaded()); }

    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }
    static QByteArray read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

    NumberedLanguage language;
    FakeDialogs dialogs;
    QTemporaryDir dir;
    // Not a picture any program would show, which is the point: nothing is decoded.
    const QByteArray jpeg = QByteArray("\xFF\xD8\xFF\xE0 not really a JPEG \x00\x01\x02", 27);
};

TEST_F(PictureExport, CopiesTheBytesUnchangedUnderTheChosenName)
{
    const QString source = write("photo.jpg", jpeg);
    QDir().mkpath(path("out"));
    QString folder = "/start/here/";
    dialogs.files = {path("out/photo.bmp")};
    EXPECT_TRUE(SavePictureTo(source, folder));
    EXPECT_EQ(read(path("out/photo.bmp")), jpeg);
    EXPECT_EQ(folder, path("out") + "/");
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    const FileDialogRequest& asked = dialogs.fileRequests[0];
    EXPECT_TRUE(asked.save);
    EXPECT_FALSE(asked.confirmOverwrite); // the question below is the only one
    EXPECT_EQ(asked.folder, "/start/here/");
    EXPECT_EQ(asked.fileName, "photo.jpg");
    EXPECT_EQ(asked.title, "Message 57");
    EXPECT_TRUE(asked.filter.startsWith("Message 9 (*.bmp *.jpg *.gif *.wmf *.ico)"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PictureExport, ReplacingAFileAsksFirst)
{
    const QString source = write("photo.jpg", jpeg);
    const QString target = write("old.jpg", "old bytes");
    for (const auto& [answer, replaced] : {std::pair{MsgResult::Cancel, false}, std::pair{MsgResult::Ok, true}}) {
        QString folder = "/start/";
        dialogs.files = {target};
        dialogs.answers = {answer};
        dialogs.shown.clear();
        EXPECT_EQ(SavePictureTo(source, folder), replaced);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].text, "Message 10\nMessage 11");
        EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::OkCancel);
        EXPECT_EQ(read(target), replaced ? jpeg : QByteArray("old bytes"));
        EXPECT_EQ(folder, replaced ? dir.path() + "/" : "/start/");
    }
}

TEST_F(PictureExport, ACopyThatFailsIsReportedAndChangesNothing)
{
    const QString source = write("photo.jpg", jpeg);
    const QString kept = write("kept.jpg", "kept");
    struct {
        const char* what;
        QString from;
        QString to;
    } failures[] = {{"a folder that does not exist", source, path("missing/photo.jpg")},
                    {"a source that has vanished", path("gone.jpg"), kept},
                    {"a target that is a folder", source, dir.path()}};
    for (const auto& f : failures) {
        QString folder = "/start/";
        dialogs.shown.clear();
        dialogs.files = {f.to};
        dialogs.answers = {MsgResult::Ok};
        EXPECT_FALSE(SavePictureTo(f.from, folder)) << f.what;
        ASSERT_FALSE(dialogs.shown.empty()) << f.what;
        const FakeDialogs::Shown& report = dialogs.shown.back();
        EXPECT_TRUE(report.text.startsWith("Message 55\n")) << f.what;
        EXPECT_GT(report.text.size(), QString("Message 55\n").size()) << f.what; // with the reason
        EXPECT_EQ(report.icon, MsgIcon::Critical) << f.what;
        EXPECT_EQ(folder, "/start/") << f.what;
    }
    EXPECT_EQ(read(kept), "kept");
}

TEST_F(PictureExport, ACancelledDialogEndsQuietly)
{
    QString folder = "/start/";
    EXPECT_FALSE(SavePictureTo(write("photo.jpg", jpeg), folder));
    EXPECT_EQ(folder, "/start/");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(PictureExport, OnlyAPictureFileThatExistsCanBeExported)
{
    const QString file = write("photo.jpg", jpeg);
    // Files of those names where the program runs name no picture of the cover.
    for (const char* name : {"none", "relative.jpg"})
        QFile::copy(file, QDir::current().filePath(name));
    const std::pair<QString, bool> cases[] = {
        {"", false}, {"none", false}, {"NONE", false}, {"relative.jpg", false}, {path("gone.jpg"), false},
        {dir.path(), false}, {file, true}};
    for (const auto& [ref, exportable] : cases)
        EXPECT_EQ(canExportPicture(CoverPicture{ref, QImage()}), exportable) << ref.toStdString();
    for (const char* name : {"none", "relative.jpg"})
        QFile::remove(QDir::current().filePath(name));
}

} // namespace
