#include "shell/language.h"

#include "fake_dialogs.h"
#include "shell/progress.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

class RecordingProgress final : public ProgressView {
public:
    QStringList lines;
    void setStatus(const QString& text) override { lines << text; }
};

// A program folder of its own for each test, so the shipped files play no part.
class Language : public ::testing::Test {
protected:
    QTemporaryDir home;
    FakeDialogs dialogs;

    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QDir(home.path()).mkpath("language"));
        qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
    }
    void TearDown() override { qunsetenv("CASELEAF_HOME"); }

    void writeLanguage(const QString& name, const QByteArray& bytes)
    {
        QFile f(home.filePath("language/" + name + ".ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    void loadOrFail(const QString& language)
    {
        QString name = language;
        ASSERT_TRUE(LoadLanguage(name));
    }
};

const QByteArray kEnglish = "[Menu]\r\nV1=File\r\nV2=Import\r\n[BackCover]\r\nV1=Back cover\r\n"
                            "[FrontCover]\r\nV1=Front cover\r\n[Messages]\r\nV1=Message one\r\n"
                            "[GetContents]\r\nV1=Contents\r\n[Common]\r\nV1=Capture\r\nV2=gbhelp.html\r\n"
                            "[Preset]\r\nV1=Presets\r\n";

TEST_F(Language, FillsEverySectionInItsOwnTable)
{
    writeLanguage("english", kEnglish);
    QString name = "english";
    ASSERT_TRUE(LoadLanguage(name));
    EXPECT_EQ(name, "english");
    EXPECT_EQ(CurrentLanguage(), "english");
    EXPECT_EQ(LangTable(LangSection::Menu), QStringList({"File", "Import"}));
    EXPECT_EQ(Lang(LangSection::BackCover, 1), "Back cover");
    EXPECT_EQ(Lang(LangSection::FrontCover, 1), "Front cover");
    EXPECT_EQ(Lang(LangSection::Messages, 1), "Message one");
    EXPECT_EQ(Lang(LangSection::GetContents, 1), "Contents");
    EXPECT_EQ(Lang(LangSection::Common, 2), "gbhelp.html");
    EXPECT_EQ(Lang(LangSection::Preset, 1), "Presets");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Language, EntriesOutsideTheTableAreEmpty)
{
    writeLanguage("english", kEnglish);
    loadOrFail("english");
    EXPECT_EQ(Lang(LangSection::Menu, 3), "");
    EXPECT_EQ(Lang(LangSection::Menu, 0), "");
    EXPECT_EQ(Lang(LangSection::Menu, -1), "");
}

TEST_F(Language, MissingKeyEndsTheSection)
{
    writeLanguage("gaps", "[Menu]\r\nV1=one\r\nV2=two\r\nV4=four\r\nV5=five\r\n");
    loadOrFail("gaps");
    EXPECT_EQ(LangTable(LangSection::Menu), QStringList({"one", "two"}));
}

TEST_F(Language, EmptyValueEndsTheSection)
{
    writeLanguage("gaps", "[Messages]\r\nV1=one\r\nV2=   \r\nV3=three\r\n[Preset]\r\nV1=\"\"\r\nV2=two\r\n");
    loadOrFail("gaps");
    EXPECT_EQ(LangTable(LangSection::Messages), QStringList({"one"}));
    EXPECT_TRUE(LangTable(LangSection::Preset).isEmpty());
}

TEST_F(Language, KeysAreNumberedWithoutLeadingZeros)
{
    writeLanguage("zeros", "[Menu]\r\nV01=padded\r\n");
    loadOrFail("zeros");
    EXPECT_TRUE(LangTable(LangSection::Menu).isEmpty());
}

TEST_F(Language, SectionsAndKeysIgnoreCase)
{
    writeLanguage("mixed", "[MENU]\r\nv1=lower key\r\nV2=upper key\r\n[frontcover]\r\nv1=lower section\r\n");
    loadOrFail("mixed");
    EXPECT_EQ(LangTable(LangSection::Menu), QStringList({"lower key", "upper key"}));
    EXPECT_EQ(Lang(LangSection::FrontCover, 1), "lower section");
}

TEST_F(Language, LongValuesAreCutTo2047Characters)
{
    const QByteArray longValue(3000, 'x');
    writeLanguage("long", "[Messages]\r\nV1=" + longValue + "\r\nV2=after\r\n");
    loadOrFail("long");
    EXPECT_EQ(Lang(LangSection::Messages, 1), QString(2047, 'x'));
    EXPECT_EQ(Lang(LangSection::Messages, 2), "after");
}

TEST_F(Language, ReadsWindows1252Text)
{
    writeLanguage("german", "[Menu]\r\nV1=\xC4nderungen \xFC\x62\x65r \x80 \x84Zitat\x93\r\n");
    loadOrFail("german");
    EXPECT_EQ(Lang(LangSection::Menu, 1), QString::fromUtf8("Änderungen über € „Zitat“"));
}

TEST_F(Language, MissingLanguageFallsBackToEnglishWithAMessage)
{
    writeLanguage("english", kEnglish);
    QString name = "klingon";
    ASSERT_TRUE(LoadLanguage(name));
    EXPECT_EQ(name, "english");
    EXPECT_EQ(CurrentLanguage(), "english");
    EXPECT_EQ(Lang(LangSection::Menu, 1), "File");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Unable to load languagefile \"klingon\" loading default !");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.shown[0].title, "");
}

TEST_F(Language, NameMatchesTheFileWithoutRegardToCase)
{
    // The menu shows and stores "German"; the file is german.ini.
    writeLanguage("german", "[Menu]\r\nV1=Datei\r\n");
    writeLanguage("SHOUTING", "[Menu]\r\nV1=FILE\r\n");
    loadOrFail("German");
    EXPECT_EQ(Lang(LangSection::Menu, 1), "Datei");
    EXPECT_EQ(CurrentLanguage(), "German");
    loadOrFail("Shouting");
    EXPECT_EQ(Lang(LangSection::Menu, 1), "FILE");
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(Language, FolderNamedLikeALanguageIsNoLanguageFile)
{
    writeLanguage("english", kEnglish);
    ASSERT_TRUE(QDir(home.path()).mkpath("language/Dutch.ini"));
    QString name = "dutch";
    ASSERT_TRUE(LoadLanguage(name));
    EXPECT_EQ(name, "english");
    EXPECT_EQ(dialogs.texts(), QStringList({"Unable to load languagefile \"dutch\" loading default !"}));
}

TEST_F(Language, FailedLoadLeavesTablesAndLanguageAsTheyWere)
{
    writeLanguage("german", "[Menu]\r\nV1=Datei\r\n[Messages]\r\nV1=Meldung\r\n");
    loadOrFail("german");

    QString name = "klingon";
    EXPECT_FALSE(LoadLanguage(name));
    EXPECT_EQ(name, "klingon");
    EXPECT_EQ(CurrentLanguage(), "german");
    EXPECT_EQ(LangTable(LangSection::Menu), QStringList({"Datei"}));
    EXPECT_EQ(Lang(LangSection::Messages, 1), "Meldung");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Unable to load languagefile \"klingon\" loading default !");
}

TEST_F(Language, MissingEnglishItselfFailsAfterOneMessage)
{
    QString name = "english";
    EXPECT_FALSE(LoadLanguage(name));
    EXPECT_EQ(dialogs.texts(), QStringList({"Unable to load languagefile \"english\" loading default !"}));
}

TEST_F(Language, ASuccessfulLoadReplacesEveryTable)
{
    writeLanguage("english", kEnglish);
    writeLanguage("short", "[Menu]\r\nV1=Only\r\n");
    loadOrFail("english");
    loadOrFail("short");
    EXPECT_EQ(LangTable(LangSection::Menu), QStringList({"Only"}));
    for (LangSection s : {LangSection::BackCover, LangSection::FrontCover, LangSection::Messages,
                          LangSection::GetContents, LangSection::Common, LangSection::Preset})
        EXPECT_TRUE(LangTable(s).isEmpty());
}

TEST_F(Language, ReportsEachStringWhileTheProgressWindowIsOpen)
{
    writeLanguage("english", kEnglish);
    RecordingProgress progress;
    setProgressView(&progress);
    loadOrFail("english");
    setProgressView(nullptr);
    EXPECT_EQ(progress.lines,
              QStringList({"Loading string:Menu_1", "Loading string:Menu_2", "Loading string:BackCover_1",
                           "Loading string:FrontCover_1", "Loading string:Messages_1",
                           "Loading string:GetContents_1", "Loading string:Common_1", "Loading string:Common_2",
                           "Loading string:Preset_1"}));
}

} // namespace
