#include "document/legacy_cover.h"

#include "archive/zip_fixtures.h"
#include "document/cover_archive.h"
#include "document/cover_document.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "shell/app_state.h"
#include "shell/language.h"
#include "toolbox/ini_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace fixtures;

namespace {

// A cover with a label, texts and two pictures (one in two slots) in its working folder.
class LegacyCover : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("CASELEAF_HOME", QByteArray(CASELEAF_BUILD_DIR));
        QString language = "english";
        ASSERT_TRUE(LoadLanguage(language) && QDir().mkpath(path("work")) && QDir().mkpath(path("set")));
        app::setWorkingFolder(path("work"));
        app::viewEnabled = true;
        ctx.fontList = {"DejaVu Sans", "Verdana"};
        doc.Fontname = "Verdana";
        doc.Text = "  Café {Live}  ";
        doc.Contents = "1. Intro\r\n2. Ünder €5";
        doc.BackColor = 0x123456;
        doc.BackPicture.ref = picture("work/back.png", Qt::red);
        doc.FrontPicture.ref = doc.FrontPicture1.ref = picture("work/front.png", Qt::green);
    }
    void TearDown() override { app::setWorkingFolder(QString()); }

    QString path(const QString& name) const { return dir.filePath(name); }
    static QString msg(int n) { return Lang(LangSection::Messages, n); }
    QString picture(const QString& name, Qt::GlobalColor color)
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(color);
        EXPECT_TRUE(image.save(path(name)));
        return path(name);
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
    CoverDocument doc;
    CoverFileContext ctx{doc};
};

// Export and import carry settings, texts and pictures; after an import "Save..." must
// not write over the archive that was open before.
TEST_F(LegacyCover, ARoundTripKeepsTheCoverAndTheOldArchive)
{
    ASSERT_TRUE(SaveAsFile(ctx, path("old.vrz")) && ExportLegacyFile(ctx, path("set/Band.vrc")));
    EXPECT_EQ(QDir(path("set")).entryList(QDir::Files, QDir::Name),
              QStringList({"Band.vrc", "Band.vrc.txt", "back.png", "front.png"}));
    EXPECT_EQ(ReadINI(path("set/Band.vrc"), "LastCover", "FrontPicture1"), "{front.png}");
    const QByteArray old = readFile(path("old.vrz"));
    const CoverDocument before = doc;
    doc = CoverDocument();
    doc.currentFile = before.currentFile; // the archive still open
    dialogs.files = {path("set/missing.vrc"), path("set/Band")}; // ".vrc" is added
    ASSERT_TRUE(ImportCommand(ctx));
    EXPECT_EQ(dialogs.takeTexts(), QStringList{"File don't exist !"});
    EXPECT_EQ(dialogs.fileRequests[0].title + dialogs.fileRequests[0].filter, msg(38) + "VORN 2.x File (*.vrc)");
    EXPECT_EQ(doc.Fontname + doc.Text + doc.Contents + doc.BackPicture.ref + QString::number(doc.BackColor),
              before.Fontname + before.Text + before.Contents + path("set/back.png") + QString::number(before.BackColor));
    EXPECT_EQ(doc.FrontPicture1.image.toImage().pixelColor(1, 1), QColor(Qt::green));
    EXPECT_TRUE(doc.saved && doc.currentFile.isEmpty());
    EXPECT_FALSE(SaveCommand(ctx)); // the save dialog comes, and is cancelled
    EXPECT_EQ(readFile(path("old.vrz")), old);
    dialogs.files = {path("new.vrz")};
    ASSERT_TRUE(SaveCommand(ctx));
    EXPECT_EQ(memberOf(path("new.vrz"), "back.png"), readFile(path("set/back.png")));
}

TEST_F(LegacyCover, ImportTakesWhatTheSetHolds)
{
    picture("set/p.png", Qt::blue);
    ASSERT_TRUE(writeFile(path("set/bad.png"), "not a picture"));
    ASSERT_TRUE(writeFile(path("set/c.vrc"), "[LastCover]\r\nText=\"label\"\r\nBackPicture={}\r\n"
                                             "FrontPicture=a{p.png}\r\nFrontPicture1={p.png}\r\n"));
    ASSERT_TRUE(ImportLegacyFile(ctx, path("set/c.vrc")));
    // Without its text file the settings still come; "{}" names the folder, no picture;
    // braces inside a value are plain text.
    EXPECT_EQ(dialogs.takeTexts(), QStringList{"Load error! (txt not found) File is corrupted!"});
    EXPECT_EQ(doc.Text + doc.Contents + "|" + doc.BackPicture.ref + "|" + doc.FrontPicture.ref,
              "label|" + path("set/") + "|a{p.png}");
    EXPECT_TRUE(doc.BackPicture.image.isNull() && doc.FrontPicture.image.isNull());
    EXPECT_EQ(doc.FrontPicture1.image.toImage().pixelColor(0, 0), QColor(Qt::blue));
    // Pictures are read as every cover reads them: one that does not decode is reported.
    ASSERT_TRUE(writeFile(path("set/c.vrc"), "[LastCover]\r\nBackPicture={bad.png}\r\n"));
    EXPECT_FALSE(ImportLegacyFile(ctx, path("set/c.vrc")));
    EXPECT_TRUE(dialogs.takeTexts().join('|').contains(path("set/bad.png")));
}

TEST_F(LegacyCover, ExportAsksBeforeReplacingAnythingAndWritesAFreshFile)
{
    ASSERT_TRUE(writeFile(path("Band.vrc"), "[LastCover]\r\nObsolete=1\r\n"));
    const QByteArray theirs = readFile(picture("back.png", Qt::yellow));
    ASSERT_TRUE(QFile::copy(doc.FrontPicture.ref, path("front.png"))); // the same bytes: no question
    dialogs.files = {path("Band"), path("Band"), path("Band")};
    dialogs.answers = {MsgResult::Cancel, MsgResult::Ok, MsgResult::Cancel};
    EXPECT_FALSE(ExportCommand(ctx));
    EXPECT_FALSE(ExportCommand(ctx)); // the settings file may go, the other picture may not
    const QString replace = msg(10) + "\n" + msg(11);
    EXPECT_EQ(dialogs.takeTexts(), QStringList({replace, replace, replace + "\n\n" + path("back.png")}));
    EXPECT_EQ(dialogs.fileRequests[0].title + dialogs.fileRequests[0].filter, msg(12) + "VORN File (*.vrc)");
    EXPECT_EQ(readFile(path("Band.vrc")) + readFile(path("back.png")), "[LastCover]\r\nObsolete=1\r\n" + theirs);
    ASSERT_TRUE(ExportCommand(ctx));
    EXPECT_EQ(ReadINI(path("Band.vrc"), "LastCover", "Obsolete"), "");
    EXPECT_EQ(readFile(path("back.png")), readFile(doc.BackPicture.ref));
}

} // namespace
