#include "document/text_files.h"

#include "archive/zip_fixtures.h"
#include "document/cover_document.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "numbered_language.h"

using namespace fixtures;

namespace {

class TextFiles : public ::testing::Test, protected TestFolder {
protected:
    static QStringList texts(const CoverDocument& d) { return {d.Contents, d.FrontText1, d.FrontText2}; }
    FakeDialogs dialogs;
};

TEST_F(TextFiles, EachTextFollowsItsMarkerInWindows1252WithCrLfAndReadsBack)
{
    CoverDocument d;
    d.Contents = "01 Café\n02 5€\r03";
    d.FrontText2 = "Outer";
    ASSERT_TRUE(SaveTexts(d, path("t.txt")));
    EXPECT_EQ(readFile(path("t.txt")), QByteArray("// ~contents~=\r\n01 Caf\xE9\r\n02 5\x80\r\n03\r\n"
                                                  "// ~fronttext1~=\r\n\r\n// ~fronttext2~=\r\nOuter\r\n"));
    const QString cases[][3] = {{"a\r\nb", "", "x\r\n"},
                                {"x\r\n", "\r\n\r\nmiddle\r\n\r\n", "last\r\n\r\n"},
                                {"Œuvres “complètes”", "™ – € …", "Ñandú"}};
    for (const auto& c : cases) {
        CoverDocument saved, loaded;
        saved.Contents = c[0];
        saved.FrontText1 = c[1];
        saved.FrontText2 = c[2];
        ASSERT_TRUE(SaveTexts(saved, path("t.txt")));
        LoadTexts(loaded, dir.path() + '/');
        EXPECT_EQ(texts(loaded), QStringList(c, c + 3));
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TextFiles, MarkersInAnyCaseSplitTheFile)
{
    const struct { const char* file; QStringList texts; } cases[] = {
        {"// ~CONTENTS~=\r\none\r\n// ~FrontText2~=\r\ntwo\r\n// ~fRoNtTeXt1~=\r\nthree\r\n", {"one", "three", "two"}},
        {"first\r\nsecond\r\nthird\r\n", {"second\r\nthird", "", ""}}, // no marker: the first line is dropped
        {"// ~contents~=\r\na\r\n// ~fronttext1~=\r\nb\r\n// ~contents~=\r\nc\r\nd\r\n", {"ac\r\nd", "b", ""}},
        {"// ~contents~=\r\n// ~fronttext1~= \r\n", {"// ~fronttext1~= ", "", ""}}, // a spaced marker is text
        {"// ~contents~=\na\nb\n// ~fronttext2~=\nouter\n", {"a\r\nb", "", "outer"}},
        {"// ~contents~=\r\nlast", {"last", "", ""}}};
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFile(path("COVER.TXT"), c.file));
        CoverDocument d;
        d.Contents = d.FrontText1 = d.FrontText2 = "old";
        LoadTexts(d, dir.path());
        EXPECT_EQ(texts(d), c.texts) << c.file;
    }
}

// dummy.txt is never a cover's text file; without one the texts are emptied. A failed save
// and a file too large for texts are reported; the texts a load replaces are emptied, the rest kept.
TEST_F(TextFiles, MissingUnwritableAndOversizedTextFilesAreReported)
{
    NumberedLanguage language;
    ASSERT_TRUE(language.loaded() && writeFile(path("DUMMY.TXT"), "// ~contents~=\r\nwrong\r\n"));
    CoverDocument d;
    d.Contents = "old";
    LoadTexts(d, dir.path());
    LoadTexts(d, path("no-such-folder/"));
    EXPECT_EQ(d.Contents, "");
    ASSERT_TRUE(writeFile(path("Band.vrz.txt"), "// ~contents~=\r\nright\r\n"));
    LoadTexts(d, dir.path());
    EXPECT_EQ(d.Contents, "right");
    EXPECT_FALSE(SaveTexts(CoverDocument(), path("missing/folder/t.txt")));
    const QString big = path("big/big.txt");
    ASSERT_TRUE(QDir().mkpath(path("big")) && writeFile(big, "") && QFile::resize(big, 64LL << 20)); // sparse
    LoadTexts(d, path("big"));
    QString text = "keep", lastPath;
    dialogs.files = {big};
    EXPECT_FALSE(LoadText(text, lastPath));
    EXPECT_EQ(d.Contents + text, "keep");
    const QString notFound = "Load error! (txt not found) File is corrupted!";
    EXPECT_EQ(dialogs.texts(), QStringList({notFound, notFound, "Message 19", "Message 1", "Message 1"}));
}

TEST_F(TextFiles, LoadTextReplacesTheTextLessOneFinalLineBreak)
{
    ASSERT_TRUE(writeFile(path("tracks.txt"), "one\r\nCaf\xE9\r\n\r\n"));
    QString text = "keep", lastPath = "/start/";
    dialogs.files = {QString(), path("gone.txt"), path("tracks.txt")};
    EXPECT_FALSE(LoadText(text, lastPath)); // cancelled
    EXPECT_FALSE(LoadText(text, lastPath));
    EXPECT_EQ(text + lastPath, "keep/start/");
    EXPECT_TRUE(LoadText(text, lastPath));
    EXPECT_EQ(text + "|" + lastPath, "one\r\nCafé\r\n|" + dir.path() + '/');
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TextFiles, AMillionLinesAreReadWholeAndMarkersStillSwitch)
{
    CoverDocument d;
    ParseTexts(d, "// ~contents~=\r\n" + QByteArray("x\r\n").repeated(1000000) + "// ~FRONTTEXT1~=\r\ny\rz\n");
    EXPECT_EQ(d.Contents.size(), 3 * 1000000 - 2);
    EXPECT_TRUE(d.Contents.startsWith("x\r\nx\r\n") && d.Contents.endsWith("\r\nx"));
    EXPECT_EQ(texts(d).mid(1), QStringList({"y\r\nz", ""}));
}

} // namespace
