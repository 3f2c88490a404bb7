#include "document/legacy_cover.h"

#include "document/cover_files_fixture.h"
#include "toolbox/ini_file.h"

using namespace fixtures;

namespace {

// A cover with a label, texts and two pictures (one in two slots) in its working folder.
class LegacyCover : public CoverFiles {
protected:
    void SetUp() override
    {
        CoverFiles::SetUp();
        ASSERT_TRUE(QDir().mkpath(path("set")));
        m_doc.Fontname = "Verdana";
        m_doc.Text = "  Café {Live}  ";
        m_doc.Contents = "1. Intro\r\n2. Ünder €5";
        m_doc.BackColor = 0x123456;
        m_doc.BackPicture.ref = makePicture("work/back.png", Qt::red);
        m_doc.FrontPicture.ref = m_doc.FrontPicture1.ref = makePicture("work/front.png", Qt::green);
    }
};

// Export and import carry settings, texts and pictures; after an import "Save..." must
// not write over the archive that was open before.
TEST_F(LegacyCover, ARoundTripKeepsTheCoverAndTheOldArchive)
{
    ASSERT_TRUE(SaveAsFile(m_ctx, path("old.vrz")) && ExportLegacyFile(m_ctx, path("set/Band.vrc")));
    EXPECT_EQ(QDir(path("set")).entryList(QDir::Files, QDir::Name),
              QStringList({"Band.vrc", "Band.vrc.txt", "back.png", "front.png"}));
    EXPECT_EQ(ReadINI(path("set/Band.vrc"), "LastCover", "FrontPicture1"), "{front.png}");
    const QByteArray old = readFile(path("old.vrz"));
    const CoverDocument before = m_doc;
    m_doc = CoverDocument();
    m_doc.currentFile = before.currentFile; // the archive still open
    m_dialogs.files = {path("set/missing.vrc"), path("set/Band")}; // ".vrc" is added
    ASSERT_TRUE(ImportCommand(m_ctx));
    EXPECT_EQ(m_dialogs.takeTexts(), QStringList{"File don't exist !"});
    EXPECT_EQ(m_dialogs.fileRequests[0].title + m_dialogs.fileRequests[0].filter, msg(38) + "VORN 2.x File (*.vrc)");
    EXPECT_EQ(m_doc.Fontname + m_doc.Text + m_doc.Contents + m_doc.BackPicture.ref + QString::number(m_doc.BackColor),
              before.Fontname + before.Text + before.Contents + path("set/back.png") + QString::number(before.BackColor));
    EXPECT_EQ(m_doc.FrontPicture1.image.toImage().pixelColor(1, 1), QColor(Qt::green));
    EXPECT_TRUE(m_doc.saved && m_doc.currentFile.isEmpty());
    EXPECT_FALSE(SaveCommand(m_ctx)); // the save dialog comes, and is cancelled
    EXPECT_EQ(readFile(path("old.vrz")), old);
    m_dialogs.files = {path("new.vrz")};
    ASSERT_TRUE(SaveCommand(m_ctx));
    EXPECT_EQ(memberOf(path("new.vrz"), "back.png"), readFile(path("set/back.png")));
}

TEST_F(LegacyCover, ImportTakesWhatTheSetHolds)
{
    makePicture("set/p.png", Qt::blue);
    ASSERT_TRUE(writeFile(path("set/bad.png"), "not a picture"));
    ASSERT_TRUE(writeFile(path("set/c.vrc"), "[LastCover]\r\nText=\"label\"\r\nBackPicture={}\r\n"
                                             "FrontPicture=a{p.png}\r\nFrontPicture1={p.png}\r\n"));
    ASSERT_TRUE(ImportLegacyFile(m_ctx, path("set/c.vrc")));
    // Without its text file the settings still come; "{}" names the folder, no picture;
    // braces inside a value are plain text.
    EXPECT_EQ(m_dialogs.takeTexts(), QStringList{"Load error! (txt not found) File is corrupted!"});
    EXPECT_EQ(m_doc.Text + m_doc.Contents + "|" + m_doc.BackPicture.ref + "|" + m_doc.FrontPicture.ref,
              "label|" + path("set/") + "|a{p.png}");
    EXPECT_TRUE(m_doc.BackPicture.image.isNull() && m_doc.FrontPicture.image.isNull());
    EXPECT_EQ(m_doc.FrontPicture1.image.toImage().pixelColor(0, 0), QColor(Qt::blue));
    // Pictures are read as every cover reads them: one that does not decode is reported.
    ASSERT_TRUE(writeFile(path("set/c.vrc"), "[LastCover]\r\nBackPicture={bad.png}\r\n"));
    EXPECT_FALSE(ImportLegacyFile(m_ctx, path("set/c.vrc")));
    EXPECT_TRUE(m_dialogs.takeTexts().join('|').contains(path("set/bad.png")));
}

TEST_F(LegacyCover, ExportAsksBeforeReplacingAnythingAndWritesAFreshFile)
{
    ASSERT_TRUE(writeFile(path("Band.vrc"), "[LastCover]\r\nObsolete=1\r\n"));
    const QByteArray theirs = readFile(makePicture("back.png", Qt::yellow));
    ASSERT_TRUE(QFile::copy(m_doc.FrontPicture.ref, path("front.png"))); // the same bytes: no question
    m_dialogs.files = {path("Band"), path("Band"), path("Band")};
    m_dialogs.answers = {MsgResult::Cancel, MsgResult::Ok, MsgResult::Cancel};
    EXPECT_FALSE(ExportCommand(m_ctx));
    EXPECT_FALSE(ExportCommand(m_ctx)); // the settings file may go, the other picture may not
    const QString replace = msg(10) + "\n" + msg(11);
    EXPECT_EQ(m_dialogs.takeTexts(), QStringList({replace, replace, replace + "\n\n" + path("back.png")}));
    EXPECT_EQ(m_dialogs.fileRequests[0].title + m_dialogs.fileRequests[0].filter, msg(12) + "VORN File (*.vrc)");
    EXPECT_EQ(readFile(path("Band.vrc")) + readFile(path("back.png")), "[LastCover]\r\nObsolete=1\r\n" + theirs);
    ASSERT_TRUE(ExportCommand(m_ctx));
    EXPECT_EQ(ReadINI(path("Band.vrc"), "LastCover", "Obsolete"), "");
    EXPECT_EQ(readFile(path("back.png")), readFile(m_doc.BackPicture.ref));
}

} // namespace
