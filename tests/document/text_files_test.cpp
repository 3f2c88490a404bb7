#include "document/text_files.h"

#include "document/cover_document.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "numbered_language.h"
#include "toolbox/win1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kNotFound = QStringLiteral("Load error! (txt not found) File is corrupted!");

class TextFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString folder() const { return dir.path() + QLatin1Char('/'); }
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& name) const
    {
        QFile f(path(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    CoverDocument roundTrip(const CoverDocument& saved)
    {
        EXPECT_TRUE(SaveTexts(saved, path(QStringLiteral("cover.vrz.txt"))));
        CoverDocument loaded;
        LoadTexts(loaded, folder());
        return loaded;
    }

    QTemporaryDir dir;
    FakeDialogs dialogs;
};

} // namespace

// --- SaveTexts --------------------------------------------------------------

TEST_F(TextFiles, SaveWritesEachTextAfterItsMarker)
{
    CoverDocument d;
    d.Contents = QStringLiteral("01 Intro\r\n02 Song");
    d.FrontText1 = QString();
    d.FrontText2 = QStringLiteral("Outer");
    ASSERT_TRUE(SaveTexts(d, path(QStringLiteral("t.txt"))));
    EXPECT_EQ(read(QStringLiteral("t.txt")), QByteArray("// ~contents~=\r\n01 Intro\r\n02 Song\r\n"
                                                       "// ~fronttext1~=\r\n\r\n"
                                                       "// ~fronttext2~=\r\nOuter\r\n"));
}

TEST_F(TextFiles, SaveWritesWindows1252AndCrLfOnly)
{
    CoverDocument d;
    d.Contents = QStringLiteral("Café – 5€\nsecond\rthird");
    ASSERT_TRUE(SaveTexts(d, path(QStringLiteral("t.txt"))));
    const QByteArray bytes = read(QStringLiteral("t.txt"));
    EXPECT_TRUE(bytes.contains("Caf\xE9 \x96 5\x80\r\nsecond\r\nthird\r\n"));
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    EXPECT_EQ(bytes.count('\r'), bytes.count("\r\n"));
}

TEST_F(TextFiles, AFailedSaveIsReported)
{
    NumberedLanguage language;
    ASSERT_TRUE(language.loaded());
    EXPECT_FALSE(SaveTexts(CoverDocument(), path(QStringLiteral("missing/folder/t.txt"))));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Message 19"));
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("Message 14"));
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
}

TEST_F(TextFiles, AnOversizedTextFileIsAReadErrorNotAnAllocation)
{
    NumberedLanguage language;
    ASSERT_TRUE(language.loaded());
    QFile big(path(QStringLiteral("big.txt")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(64LL * 1024 * 1024)); // sparse: no disk space used
    big.close();
    CoverDocument d;
    d.Contents = QStringLiteral("old");
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QString());
    QString text = QStringLiteral("keep");
    QString lastPath;
    dialogs.files.push_back(path(QStringLiteral("big.txt")));
    EXPECT_FALSE(LoadText(text, lastPath));
    EXPECT_EQ(text, QStringLiteral("keep"));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    for (const FakeDialogs::Shown& shown : dialogs.shown) {
        EXPECT_EQ(shown.text, QStringLiteral("Message 1"));
        EXPECT_EQ(shown.title, QStringLiteral("Message 14"));
        EXPECT_EQ(shown.icon, MsgIcon::Critical);
    }
}

// --- Round trips ------------------------------------------------------------

TEST_F(TextFiles, TextsSurviveASaveAndLoad)
{
    CoverDocument d;
    d.Contents = QStringLiteral("a\r\nb");
    d.FrontText1 = QString();
    d.FrontText2 = QStringLiteral("x\r\n");
    const CoverDocument loaded = roundTrip(d);
    EXPECT_EQ(loaded.Contents, d.Contents);
    EXPECT_EQ(loaded.FrontText1, d.FrontText1);
    EXPECT_EQ(loaded.FrontText2, d.FrontText2);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TextFiles, TrailingAndEmptyLinesSurviveInEveryPosition)
{
    CoverDocument d;
    d.Contents = QStringLiteral("x\r\n");
    d.FrontText1 = QStringLiteral("\r\n\r\nmiddle\r\n\r\n");
    d.FrontText2 = QStringLiteral("last\r\n\r\n");
    const CoverDocument loaded = roundTrip(d);
    EXPECT_EQ(loaded.Contents, d.Contents);
    EXPECT_EQ(loaded.FrontText1, d.FrontText1);
    EXPECT_EQ(loaded.FrontText2, d.FrontText2);
}

TEST_F(TextFiles, WindowsCharactersSurvive)
{
    CoverDocument d;
    d.Contents = QStringLiteral("Œuvres “complètes”\r\nŠtěpán? ß ½");
    d.FrontText1 = QStringLiteral("™ – € …");
    d.FrontText2 = QStringLiteral("Ñandú");
    const CoverDocument loaded = roundTrip(d);
    EXPECT_EQ(loaded.Contents, QStringLiteral("Œuvres “complètes”\r\nŠt?pán? ß ½")); // ě is not in the code page
    EXPECT_EQ(loaded.FrontText1, d.FrontText1);
    EXPECT_EQ(loaded.FrontText2, d.FrontText2);
}

TEST_F(TextFiles, LoadEmptiesTheTextsFirst)
{
    CoverDocument d;
    d.Contents = QStringLiteral("old");
    d.FrontText1 = QStringLiteral("old");
    d.FrontText2 = QStringLiteral("old");
    write(QStringLiteral("c.txt"), "// ~contents~=\r\nnew\r\n");
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QStringLiteral("new"));
    EXPECT_EQ(d.FrontText1, QString());
    EXPECT_EQ(d.FrontText2, QString());
}

// --- Markers ----------------------------------------------------------------

TEST_F(TextFiles, MarkersAreRecognisedWithoutCase)
{
    write(QStringLiteral("c.txt"), "// ~CONTENTS~=\r\none\r\n// ~FrontText2~=\r\ntwo\r\n// ~fRoNtTeXt1~=\r\nthree\r\n");
    CoverDocument d;
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QStringLiteral("one"));
    EXPECT_EQ(d.FrontText2, QStringLiteral("two"));
    EXPECT_EQ(d.FrontText1, QStringLiteral("three"));
}

TEST_F(TextFiles, WithoutMarkersTheFirstLineIsDropped)
{
    write(QStringLiteral("c.txt"), "first\r\nsecond\r\nthird\r\n");
    CoverDocument d;
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QStringLiteral("second\r\nthird"));
    EXPECT_EQ(d.FrontText1, QString());
}

TEST_F(TextFiles, AMarkerLineInsideATextSplitsIt)
{
    CoverDocument d;
    d.Contents = QStringLiteral("track 1\r\n// ~FrontText1~=\r\nstolen");
    d.FrontText1 = QStringLiteral("inner");
    const CoverDocument loaded = roundTrip(d);
    EXPECT_EQ(loaded.Contents, QStringLiteral("track 1"));
    // The real marker goes on with the same text, so the two parts run together.
    EXPECT_EQ(loaded.FrontText1, QStringLiteral("stoleninner"));
}

TEST_F(TextFiles, AMarkerAppearingTwiceAppendsToTheSameText)
{
    write(QStringLiteral("c.txt"), "// ~contents~=\r\na\r\n// ~fronttext1~=\r\nb\r\n// ~contents~=\r\nc\r\nd\r\n");
    CoverDocument d;
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QStringLiteral("ac\r\nd"));
    EXPECT_EQ(d.FrontText1, QStringLiteral("b"));
}

TEST_F(TextFiles, AMarkerWithSpacesIsText)
{
    write(QStringLiteral("c.txt"), "// ~contents~=\r\n // ~fronttext1~=\r\n// ~fronttext1~= \r\n");
    CoverDocument d;
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QStringLiteral(" // ~fronttext1~=\r\n// ~fronttext1~= "));
    EXPECT_EQ(d.FrontText1, QString());
}

TEST_F(TextFiles, BareLineFeedsEndLinesToo)
{
    write(QStringLiteral("c.txt"), "// ~contents~=\na\nb\n// ~fronttext2~=\nouter\n");
    CoverDocument d;
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QStringLiteral("a\r\nb"));
    EXPECT_EQ(d.FrontText2, QStringLiteral("outer"));
}

TEST_F(TextFiles, AFileWithoutAFinalLineBreakKeepsItsLastLine)
{
    write(QStringLiteral("c.txt"), "// ~contents~=\r\nlast");
    CoverDocument d;
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QStringLiteral("last"));
}

// --- Finding the file -------------------------------------------------------

TEST_F(TextFiles, DummyTxtIsNeverTaken)
{
    write(QStringLiteral("dummy.txt"), "// ~contents~=\r\nwrong\r\n");
    write(QStringLiteral("Band.vrz.txt"), "// ~contents~=\r\nright\r\n");
    write(QStringLiteral("vorn.ini"), "[LastCover]\r\n");
    CoverDocument d;
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QStringLiteral("right"));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TextFiles, UpperCaseNamesAreFoundAndDummyInAnyCaseIsSkipped)
{
    write(QStringLiteral("DUMMY.TXT"), "// ~contents~=\r\nwrong\r\n");
    write(QStringLiteral("COVER.TXT"), "// ~contents~=\r\nright\r\n");
    CoverDocument d;
    LoadTexts(d, dir.path()); // no trailing separator
    EXPECT_EQ(d.Contents, QStringLiteral("right"));
}

TEST_F(TextFiles, OnlyDummyTxtGivesTheLoadError)
{
    write(QStringLiteral("dummy.txt"), "// ~contents~=\r\nwrong\r\n");
    CoverDocument d;
    d.Contents = QStringLiteral("old");
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QString());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kNotFound);
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.shown[0].title, QString());
}

TEST_F(TextFiles, AnEmptyOrMissingFolderGivesTheLoadError)
{
    CoverDocument d;
    LoadTexts(d, folder());
    LoadTexts(d, path(QStringLiteral("no-such-folder/")));
    EXPECT_EQ(dialogs.texts(), QStringList({kNotFound, kNotFound}));
}

TEST_F(TextFiles, AFolderNamedLikeATextFileIsNoText)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.txt")));
    CoverDocument d;
    d.Contents = QStringLiteral("old");
    LoadTexts(d, folder());
    EXPECT_EQ(d.Contents, QString());
    EXPECT_TRUE(dialogs.shown.empty());
}

// --- LoadText ---------------------------------------------------------------

TEST_F(TextFiles, LoadTextReplacesTheTextAndKeepsOneOfTwoFinalLineBreaks)
{
    write(QStringLiteral("tracks.txt"), "one\r\ntwo\r\n\r\n");
    QString text = QStringLiteral("before");
    QString lastPath = QStringLiteral("/start/");
    dialogs.files.push_back(path(QStringLiteral("tracks.txt")));
    EXPECT_TRUE(LoadText(text, lastPath));
    EXPECT_EQ(text, QStringLiteral("one\r\ntwo\r\n"));
    EXPECT_EQ(lastPath, folder());
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_FALSE(dialogs.fileRequests[0].save);
    EXPECT_EQ(dialogs.fileRequests[0].folder, QStringLiteral("/start/"));
    EXPECT_EQ(dialogs.fileRequests[0].title, QStringLiteral("Choose text-file to insert"));
    EXPECT_EQ(dialogs.fileRequests[0].filter, QStringLiteral("Text files (*.txt);;Documents (*.doc);;All files (*)"));
}

TEST_F(TextFiles, LoadTextReadsWindows1252)
{
    write(QStringLiteral("w.txt"), "Caf\xE9 \x80");
    QString text;
    QString lastPath;
    dialogs.files.push_back(path(QStringLiteral("w.txt")));
    EXPECT_TRUE(LoadText(text, lastPath));
    EXPECT_EQ(text, QStringLiteral("Café €"));
}

TEST_F(TextFiles, LoadTextCancelledOrMissingChangesNothing)
{
    QString text = QStringLiteral("keep");
    QString lastPath = QStringLiteral("/start/");
    EXPECT_FALSE(LoadText(text, lastPath)); // cancelled
    dialogs.files.push_back(path(QStringLiteral("gone.txt")));
    EXPECT_FALSE(LoadText(text, lastPath));
    EXPECT_EQ(text, QStringLiteral("keep"));
    EXPECT_EQ(lastPath, QStringLiteral("/start/"));
    EXPECT_TRUE(dialogs.shown.empty());
}
