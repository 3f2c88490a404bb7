#include "shell/language.h"

#include "fake_dialogs.h"
#include "program_home.h"

#include "gtest_qt.h"

namespace {

// A program folder of its own, so the shipped files play no part unless a test asks.
class Language : public ::testing::Test {
protected:
    ProgramHome program;
    FakeDialogs dialogs;

    void write(const QString& name, const QByteArray& bytes) { program.write("language/" + name + ".ini", bytes); }
    // The name LoadLanguage settled on, or "" when it failed.
    static QString load(const QString& language)
    {
        QString name = language;
        return LoadLanguage(name) ? name : QString();
    }
};

// A missing or empty entry ends its section; values are cut to 2047 characters.
TEST_F(Language, AMissingOrEmptyEntryEndsTheSectionAndLongValuesAreCut)
{
    write("gaps", "[Menu]\r\nV1=" + QByteArray(3000, 'x') + "\r\nV2=two\r\nV4=four\r\n"
                  "[Messages]\r\nV1=one\r\nV2=   \r\nV3=three\r\n[Preset]\r\nV1=\"\"\r\nV2=two\r\n");
    ASSERT_EQ(load("gaps"), "gaps");
    EXPECT_EQ(LangTable(LangSection::Menu), QStringList({QString(2047, 'x'), "two"}));
    EXPECT_EQ(LangTable(LangSection::Messages), QStringList({"one"}));
    EXPECT_TRUE(LangTable(LangSection::Preset).isEmpty());
}

// A missing language falls back to English with a message; without English either the
// load fails and the tables already loaded stay.
TEST_F(Language, MissingLanguageFallsBackToEnglishOrFailsKeepingTheTables)
{
    write("german", "[Menu]\r\nV1=Datei\r\n[Messages]\r\nV1=Meldung\r\n");
    ASSERT_EQ(load("german"), "german");
    QString name = "klingon";
    EXPECT_FALSE(LoadLanguage(name));
    EXPECT_EQ(name, "klingon");
    EXPECT_EQ(CurrentLanguage(), "german");
    EXPECT_EQ(LangTable(LangSection::Menu), QStringList({"Datei"}));
    EXPECT_EQ(Lang(LangSection::Messages, 1), "Meldung");

    write("english", "[Menu]\r\nV1=File\r\n");
    EXPECT_EQ(load("klingon"), "english");
    EXPECT_EQ(CurrentLanguage(), "english");
    EXPECT_EQ(Lang(LangSection::Menu, 1), "File");
    EXPECT_EQ(dialogs.texts(), QStringList(2, "Unable to load languagefile \"klingon\" loading default !"));
    EXPECT_EQ(dialogs.shown[1].icon, MsgIcon::Critical);
}

TEST_F(Language, ShippedFilesReachTheHighestEntryUsedInEachSection)
{
    qputenv("CASELEAF_HOME", CASELEAF_BUILD_DIR);
    const std::pair<LangSection, int> highestUsed[] = {
        {LangSection::Menu, 45},    {LangSection::BackCover, 41},  {LangSection::FrontCover, 44},
        {LangSection::Messages, 58}, {LangSection::GetContents, 8}, {LangSection::Common, 3},
        {LangSection::Preset, 18}};
    for (const QString language : {"english", "german"}) {
        EXPECT_EQ(load(language), language);
        for (const auto& [section, highest] : highestUsed)
            EXPECT_GE(LangTable(section).size(), highest) << language.toStdString() << int(section);
    }
    EXPECT_EQ(Lang(LangSection::Menu, 1), "&Datei");
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" / ").toStdString();
}

} // namespace
