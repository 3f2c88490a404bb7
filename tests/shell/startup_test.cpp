#include "shell/startup.h"

#include "platform/settings_store.h"
#include "shell/language.h"
#include "shell/user_settings.h"
#include "toolbox/crypter.h"
#include "toolbox/paths.h"

#include <QDir>
#include <QFileInfo>

#include "gtest_qt.h"
#include "startup_fixture.h"

namespace {

const QString kAboutError = QStringLiteral("ERROR IN \"ABOUTTEXT.TXT\" PLEASE RE-INSTALL CASELEAF!");
const QString kNoPrinter = QStringLiteral(
    "This software needs minimum one priner installed. Please install a printer, and then start Caseleaf again.");
const QString kNoLanguage = QStringLiteral("ERROR! Unable to load default languagefile, quitting !");

TEST(DebugSwitch, FoundInAnyLetterCaseAnywhereOnTheCommandLine)
{
    EXPECT_TRUE(hasDebugSwitch({"/debug"}));
    EXPECT_TRUE(hasDebugSwitch({"cover.vrz", "/DEBUG"}));
    EXPECT_TRUE(hasDebugSwitch({"x/DeBuGy"}));
    EXPECT_FALSE(hasDebugSwitch({}));
    EXPECT_FALSE(hasDebugSwitch({"debug", "-debug"}));
    EXPECT_FALSE(hasDebugSwitch({"/debu", "g"}));
}

TEST(DebugSwitch, MarksTheTitle)
{
    app::debugMode = false;
    EXPECT_EQ(app::title(), "Caseleaf v4.0 Rev. 11");
    app::debugMode = hasDebugSwitch({"/Debug"});
    EXPECT_EQ(app::title(), "Caseleaf v4.0 Rev. 11 - (DEBUGMODE!)");
    app::debugMode = false;
}

TEST(CoverPathArgument, FirstArgumentThatIsNoSwitch)
{
    EXPECT_EQ(coverPathArgument({"/DEBUG", "-style", "/home/u/a.vrz", "b.vrz"}), "/home/u/a.vrz");
    EXPECT_EQ(coverPathArgument({"/debug"}), "");
    EXPECT_EQ(coverPathArgument({}), "");
}

TEST(CoverPathArgument, RelativePathIsMadeAbsoluteForTheRunningProgram)
{
    EXPECT_EQ(coverPathArgument({"covers/b.vrz"}), QDir::current().absoluteFilePath("covers/b.vrz"));
}

using FirstStage = ProgramFolder;

TEST_F(FirstStage, SoundInstallationStartsWithoutAnyMessage)
{
    settings::setNotFirstUse(false);
    EXPECT_TRUE(RunFirstStage(printers));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(aboutText(), "|Credits|Thanks");
    EXPECT_EQ(CurrentLanguage(), "english");
    EXPECT_TRUE(FolderExists(path("tmp")));
}

TEST_F(FirstStage, FirstUseNoticeCancelledQuitsAndWritesNothing)
{
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(RunFirstStage(printers));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::OkCancel);
    EXPECT_TRUE(dialogs.shown[0].text.contains("Caseleaf"));
    EXPECT_TRUE(storedKeys().isEmpty()) << storedKeys().join(",").toStdString();
    EXPECT_FALSE(FolderExists(path("tmp")));
}

TEST_F(FirstStage, FirstUseNoticeAcceptedIsNotShownAgain)
{
    EXPECT_TRUE(RunFirstStage(printers));
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(readSetting("NotFirstUse", "absent"), "False");

    dialogs.shown.clear();
    EXPECT_TRUE(RunFirstStage(printers));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FirstStage, MissingAboutTextQuitsWithItsMessages)
{
    settings::setNotFirstUse(false);
    ASSERT_TRUE(QFile::remove(path("help/abouttext.txt")));
    EXPECT_FALSE(RunFirstStage(printers));
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, kAboutError);
    EXPECT_EQ(dialogs.shown[0].title, "ERROR!");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Critical);
    EXPECT_EQ(dialogs.shown[1].text, "");
    EXPECT_EQ(dialogs.shown[1].icon, MsgIcon::None);
    EXPECT_EQ(dialogs.shown[2].text, "");
    EXPECT_FALSE(progressWindowOpen());
}

TEST_F(FirstStage, AboutTextWithoutMarkersShowsBothEnds)
{
    settings::setNotFirstUse(false);
    writeFile(QStringLiteral("help/abouttext.txt"), Encrypt(QStringLiteral("ABcreditsYZ"), kAboutTextKey).toLatin1());
    EXPECT_FALSE(RunFirstStage(printers));
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, kAboutError);
    EXPECT_EQ(dialogs.shown[1].text, "AB");
    EXPECT_EQ(dialogs.shown[1].buttons, MsgButtons::Ok);
    EXPECT_EQ(dialogs.shown[2].text, "YZ");
}

TEST_F(FirstStage, NoPrinterQuitsWithItsMessage)
{
    settings::setNotFirstUse(false);
    const ListedPrinters none({}, {QStringLiteral("Arial")});
    EXPECT_FALSE(RunFirstStage(none));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, kNoPrinter);
    EXPECT_EQ(dialogs.shown[0].title, "No printers installed !");
    EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::Exclamation);
    // Only the first-use answer is kept from a start that ends here.
    EXPECT_EQ(storedKeys(), QStringList{"General/NotFirstUse"});
}

TEST_F(FirstStage, ThePdfPrinterCountsAsAPrinter)
{
    EXPECT_FALSE(SystemPrinters().printerNames().isEmpty());
}

TEST_F(FirstStage, MissingLanguageFallsBackToEnglish)
{
    settings::setNotFirstUse(false);
    settings::setLanguage("klingon");
    EXPECT_TRUE(RunFirstStage(printers));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.contains("\"klingon\""));
    EXPECT_EQ(CurrentLanguage(), "english");
}

TEST_F(FirstStage, StoredMenuCaptionFindsTheLowerCaseFile)
{
    settings::setNotFirstUse(false);
    settings::setLanguage("German");
    EXPECT_TRUE(RunFirstStage(printers));
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(CurrentLanguage().toLower(), "german");
    EXPECT_EQ(Lang(LangSection::Menu, 1), "Datei");
}

TEST_F(FirstStage, NoLanguageAtAllQuitsAfterTheLoadersMessage)
{
    settings::setNotFirstUse(false);
    settings::setLanguage("klingon");
    ASSERT_TRUE(QFile::remove(path("language/english.ini")));
    EXPECT_FALSE(RunFirstStage(printers));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[0].text.contains("\"klingon\""));
    EXPECT_EQ(dialogs.shown[1].text, kNoLanguage);
    EXPECT_EQ(dialogs.shown[1].icon, MsgIcon::Critical);
    EXPECT_FALSE(progressWindowOpen());
}

TEST_F(FirstStage, CorruptLanguageFileDoesNotStopTheStart)
{
    settings::setNotFirstUse(false);
    writeFile(QStringLiteral("language/english.ini"), QByteArray("\xff\xfe\x00garbage\r\n[Menu\r\nV1\r\n", 20));
    EXPECT_TRUE(RunFirstStage(printers));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(FirstStage, WorkingFolderThatCannotBeMadeIsNoReasonToQuit)
{
    settings::setNotFirstUse(false);
    writeFile(QStringLiteral("tmp"), "a file where the folder belongs");
    EXPECT_TRUE(RunFirstStage(printers));
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(QFileInfo(path("tmp")).isFile());
}

} // namespace
