#include "document/text_files.h"

#include "document/cover_document.h"
#include "fake_dialogs.h"
#include "gtest_qt.h"
#include "numbered_language.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kNotFound = QStringLiteral("Load error! (txt not found) File is corrupted!");

class TextFiles : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir dir;
    FakeDialogs dialogs;
};

} // namespace

TEST_F(TextFiles, SaveWritesEachTextAfterItsMarkerInWindows1252AndCrLf)
{
    CoverDocument d;
    d.Contents = QStringLiteral("01 Café\n02 5€\r03");
    d.FrontText2 = QStringLiteral("Outer");
    ASSERT_TRUE(SaveTexts(d, path(QStringLiteral("t.txt"))));
    QFile f(path(QStringLiteral("t.txt")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("// ~contents~=\r\n01 Caf\xE9\r\n02 5\x80\r\n03\r\n"
                                      "// ~fronttext1~=\r\n\r\n// ~fronttext2~=\r\nOuter\r\n"));
}

TEST_F(TextFiles, TextsSurviveASaveAndLoad)
{
    const QString cases[][3] = {{"a\r\nb", "", "x\r\n"},
                                {"x\r\n", "\r\n\r\nmiddle\r\n\r\n", "last\r\n\r\n"},
                                {"Œuvres “complètes”", "™ – € …", "Ñandú"}};
    for (const auto& c : cases) {
        CoverDocument saved;
        saved.Contents = c[0];
        saved.FrontText1 = c[1];
        saved.FrontText2 = c[2];
        ASSERT_TRUE(SaveTexts(saved, path(QStringLiteral("cover.vrz.txt"))));
        CoverDocument loaded;
        LoadTexts(loaded, dir.path() + QLatin1Char('/'));
        EXPECT_EQ(QStringList({loaded.Contents, loaded.FrontText1, loaded.FrontText2}), QStringList(c, c + 3));
    }
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TextFiles, MarkersInAnyCaseSplitTheFile)
{
    const struct { const char* file; const char* contents; const char* front1; const char* front2; } cases[] = {
        {"// ~CONTENTS~=\r\none\r\n// ~FrontText2~=\r\ntwo\r\n// ~fRoNtTeXt1~=\r\nthree\r\n", "one", "three", "two"},
        {"first\r\nsecond\r\nthird\r\n", "second\r\nthird", "", ""}, // no marker: the first line is dropped
        {"// ~contents~=\r\na\r\n// ~fronttext1~=\r\nb\r\n// ~contents~=\r\nc\r\nd\r\n", "ac\r\nd", "b", ""},
        {"// ~contents~=\r\n// ~fronttext1~= \r\n", "// ~fronttext1~= ", "", ""}, // a spaced marker is text
        {"// ~contents~=\na\nb\n// ~fronttext2~=\nouter\n", "a\r\nb", "", "outer"},
        {"// ~contents~=\r\nlast", "last", "", ""}};
    for (const auto& c : cases) {
        write(QStringLiteral("COVER.TXT"), c.file);
        CoverDocument d;
        d.Contents = d.FrontText1 = d.FrontText2 = QStringLiteral("old");
        LoadTexts(d, dir.path());
        EXPECT_EQ(QStringList({d.Contents, d.FrontText1, d.FrontText2}),
                  QStringList({c.contents, c.front1, c.front2})) << c.file;
    }
}

TEST_F(TextFiles, DummyTxtIsNeverTakenAndNoTextFileIsALoadError)
{
    write(QStringLiteral("DUMMY.TXT"), "// ~contents~=\r\nwrong\r\n");
    CoverDocument d;
    d.Contents = QStringLiteral("old");
    LoadTexts(d, dir.path());
    LoadTexts(d, path(QStringLiteral("no-such-folder/")));
    EXPECT_EQ(d.Contents, QString());
    write(QStringLiteral("Band.vrz.txt"), "// ~contents~=\r\nright\r\n");
    LoadTexts(d, dir.path());
    EXPECT_EQ(d.Contents, QStringLiteral("right"));
    EXPECT_EQ(dialogs.texts(), QStringList({kNotFound, kNotFound}));
}

TEST_F(TextFiles, FailedSavesAndOversizedFilesAreReported)
{
    NumberedLanguage language;
    ASSERT_TRUE(language.loaded());
    EXPECT_FALSE(SaveTexts(CoverDocument(), path(QStringLiteral("missing/folder/t.txt"))));
    QFile big(path(QStringLiteral("big.txt")));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(64LL * 1024 * 1024)); // sparse
    big.close();
    CoverDocument d;
    d.Contents = QStringLiteral("old");
    LoadTexts(d, dir.path());
    QString text = QStringLiteral("keep"), lastPath;
    dialogs.files.push_back(big.fileName());
    EXPECT_FALSE(LoadText(text, lastPath));
    EXPECT_EQ(d.Contents + text, QStringLiteral("keep"));
    EXPECT_EQ(dialogs.texts(), QStringList({"Message 19", "Message 1", "Message 1"}));
}

TEST_F(TextFiles, LoadTextReplacesTheTextLessOneFinalLineBreak)
{
    write(QStringLiteral("tracks.txt"), "one\r\nCaf\xE9\r\n\r\n");
    QString text = QStringLiteral("keep");
    QString lastPath = QStringLiteral("/start/");
    dialogs.files = {QString(), path(QStringLiteral("gone.txt")), path(QStringLiteral("tracks.txt"))};
    EXPECT_FALSE(LoadText(text, lastPath)); // cancelled
    EXPECT_FALSE(LoadText(text, lastPath));
    EXPECT_EQ(text + lastPath, QStringLiteral("keep/start/"));
    EXPECT_TRUE(LoadText(text, lastPath));
    EXPECT_EQ(text, QStringLiteral("one\r\nCafé\r\n"));
    EXPECT_EQ(lastPath, dir.path() + QLatin1Char('/'));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(TextFiles, AMillionLinesAreReadWholeAndMarkersStillSwitch)
{
    CoverDocument d;
    ParseTexts(d, "// ~contents~=\r\n" + QByteArray("x\r\n").repeated(1000000) + "// ~FRONTTEXT1~=\r\ny\rz\n");
    EXPECT_EQ(d.Contents.size(), 3 * 1000000 - 2);
    EXPECT_TRUE(d.Contents.startsWith("x\r\nx\r\n") && d.Contents.endsWith("\r\nx"));
    EXPECT_EQ(d.FrontText1, QStringLiteral("y\r\nz"));
    EXPECT_TRUE(d.FrontText2.isEmpty());
}
