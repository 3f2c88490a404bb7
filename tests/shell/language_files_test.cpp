#include "shell/language.h"

#include "fake_dialogs.h"

#include <QFile>

#include <gtest/gtest.h>

#include "gtest_qt.h"

#include <map>

namespace {

// The language files as installed in the build's program folder.
class ShippedLanguage : public ::testing::Test {
protected:
    FakeDialogs dialogs;

    void SetUp() override { qputenv("CASELEAF_HOME", CASELEAF_BUILD_DIR); }
    void TearDown() override { qunsetenv("CASELEAF_HOME"); }

    // Every table of one language, loaded without a fallback.
    std::map<LangSection, QStringList> load(const QString& language)
    {
        QString name = language;
        EXPECT_TRUE(LoadLanguage(name));
        EXPECT_EQ(name, language);
        EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" / ").toStdString();
        std::map<LangSection, QStringList> tables;
        for (const auto& [section, highest] : kHighestUsed)
            tables[section] = LangTable(section);
        return tables;
    }

    // The highest entry the program reads in each table.
    const std::map<LangSection, int> kHighestUsed{
        {LangSection::Menu, 35},       {LangSection::BackCover, 41}, {LangSection::FrontCover, 44},
        {LangSection::Messages, 58},   {LangSection::GetContents, 8}, {LangSection::Common, 3},
        {LangSection::Preset, 18}};
};

TEST_F(ShippedLanguage, EveryTableReachesItsHighestUsedEntry)
{
    for (const char* language : {"english", "german"}) {
        const auto tables = load(language);
        for (const auto& [section, highest] : kHighestUsed)
            EXPECT_GE(tables.at(section).size(), highest)
                << language << " section " << static_cast<int>(section);
    }
}

TEST_F(ShippedLanguage, GermanTranslatesEveryTable)
{
    const auto english = load("english");
    const auto german = load("german");
    for (const auto& [section, highest] : kHighestUsed) {
        EXPECT_EQ(german.at(section).size(), english.at(section).size()) << static_cast<int>(section);
        EXPECT_NE(german.at(section), english.at(section)) << static_cast<int>(section);
    }
    EXPECT_EQ(german.at(LangSection::Menu).at(23), QString::fromUtf8("Öffnen"));
    EXPECT_EQ(german.at(LangSection::GetContents).at(3), QString::fromUtf8("Schließen"));
}

TEST_F(ShippedLanguage, EnglishCarriesTheDesignedCaptions)
{
    const auto english = load("english");
    EXPECT_EQ(english.at(LangSection::Menu).at(0), "File");
    EXPECT_EQ(english.at(LangSection::Menu).at(34), "Save...");
    EXPECT_EQ(english.at(LangSection::BackCover).at(39), "Use spaces to align the text.");
    EXPECT_EQ(english.at(LangSection::FrontCover).at(43), "Edit text");
    EXPECT_EQ(english.at(LangSection::Preset).at(4), "&Close");
    EXPECT_EQ(english.at(LangSection::Common).at(1), "gbhelp.html");
    EXPECT_EQ(english.at(LangSection::Common).at(2), "Capture now");
}

TEST_F(ShippedLanguage, TextsThatRunIntoANumberOrPathKeepTheirTrailingSpace)
{
    for (const char* language : {"english", "german"}) {
        load(language);
        EXPECT_TRUE(Lang(LangSection::Messages, 4).endsWith(' ')) << language;
        EXPECT_TRUE(Lang(LangSection::Messages, 29).endsWith(' ')) << language;
        EXPECT_TRUE(Lang(LangSection::GetContents, 8).endsWith(' ')) << language;
        EXPECT_TRUE(Lang(LangSection::Messages, 40).contains("%F")) << language;
        EXPECT_EQ(Lang(LangSection::Common, 2), "gbhelp.html") << language;
    }
}

TEST_F(ShippedLanguage, FilesAreWindowsTextWithCrLf)
{
    for (const char* language : {"english", "german"}) {
        QFile f(QStringLiteral(CASELEAF_BUILD_DIR) + "/language/" + language + ".ini");
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << language;
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n")) << language;
        EXPECT_TRUE(bytes.endsWith("\r\n")) << language;
        // Umlauts are single Windows-1252 bytes, not UTF-8 sequences.
        EXPECT_FALSE(bytes.contains("\xC3")) << language;
    }
}

TEST_F(ShippedLanguage, HelpPageNamedByCommonV2IsInstalled)
{
    load("english");
    EXPECT_TRUE(QFile::exists(QStringLiteral(CASELEAF_BUILD_DIR) + "/help/" + Lang(LangSection::Common, 2)));
}

} // namespace
