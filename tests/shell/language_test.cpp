#include "shell/language.h"

#include "fake_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

const QString kFallbackMessage = QStringLiteral("Unable to load languagefile \"klingon\" loading default !");

// A program folder of its own, so the shipped files play no part unless a test asks.
class Language : public ::testing::Test {
protected:
    QTemporaryDir home;
    FakeDialogs dialogs;

    void SetUp() override
    {
        ASSERT_TRUE(QDir(home.path()).mkpath("language"));
        qputenv("CASELEAF_HOME", home.path().toLocal8Bit());
    }
    void TearDown() override { qunsetenv("CASELEAF_HOME"); }

    void write(const QString& name, const QByteArray& bytes)
    {
        QFile f(home.filePath("language/" + name + ".ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // The name LoadLanguage settled on, or "" when it failed.
    static QString load(const QString& language)
    {
        QString name = language;
        return LoadLanguage(name) ? name : QString();
    }
};

TEST_F(Language, AMissingOrEmptyEntryEndsTheSection)
{
    write("gaps", "[Menu]\r\nV1=one\r\nV2=two\r\nV4=four\r\n[Messages]\r\nV1=one\r\nV2=   \r\nV3=three\r\n"
                  "[Preset]\r\nV1=\"\"\r\nV2=two\r\n");
    ASSERT_EQ(load("gaps"), "gaps");
    EXPECT_EQ(LangTable(LangSection::Menu), QStringList({"one", "two"}));
    EXPECT_EQ(LangTable(LangSection::Messages), QStringList({"one"}));
    EXPECT_TRUE(LangTable(LangSection::Preset).isEmpty());
}

TEST_F(Language, LongValuesAreCutTo2047Characters)
{
    write("long", "[Messages]\r\nV1=" + QByteArray(3000, 'x') + "\r\nV2=after\r\n");
    ASSERT_EQ(load("long"), "long");
    EXPECT_EQ(Lang(LangSection::Messages, 1), QString(2047, 'x'));
    EXPECT_EQ(Lang(LangSection::Messages, 2), "after");
}

TEST_F(Language, MissingLanguageFallsBackToEnglishWithAMessage)
{
    write("english", "[Menu]\r\nV1=File\r\n");
    EXPECT_EQ(load("klingon"), "english");
    EXPECT_EQ(CurrentLanguage(), "english");
    EXPECT_EQ(Lang(LangSection::Menu, 1), "File");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kFallbackMessage);
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
}

TEST_F(Language, WithoutEnglishEitherTheLoadFailsAndTheTablesStay)
{
    write("german", "[Menu]\r\nV1=Datei\r\n[Messages]\r\nV1=Meldung\r\n");
    ASSERT_EQ(load("german"), "german");
    QString name = "klingon";
    EXPECT_FALSE(LoadLanguage(name));
    EXPECT_EQ(name, "klingon");
    EXPECT_EQ(CurrentLanguage(), "german");
    EXPECT_EQ(LangTable(LangSection::Menu), QStringList({"Datei"}));
    EXPECT_EQ(Lang(LangSection::Messages, 1), "Meldung");
    EXPECT_EQ(dialogs.texts(), QStringList({kFallbackMessage}));
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
