#include "shell/startup.h"

#include "shell/main_frame.h"
#include "shell/user_settings.h"
#include "toolbox/crypter.h"

#include <QSignalSpy>

#include <functional>

#include "startup_fixture.h"

namespace {

TEST(DebugSwitch, FoundInAnyLetterCaseAnywhereOnTheCommandLine)
{
    EXPECT_TRUE(hasDebugSwitch({"/debug"}));
    EXPECT_TRUE(hasDebugSwitch({"cover.vrz", "/DEBUG"}));
    EXPECT_TRUE(hasDebugSwitch({"x/DeBuGy"}));
    EXPECT_FALSE(hasDebugSwitch({}));
    EXPECT_FALSE(hasDebugSwitch({"debug", "-debug", "/debu", "g"}));
}

// Cancelled, the first-use notice quits and writes nothing; accepted, it is not shown again.
TEST_F(Startup, FirstUseNoticeIsShownUntilAccepted)
{
    QSettings(QSettings::UserScope, "Caseleaf", "VORN").clear();
    dialogs.answers = {MsgResult::Cancel};
    EXPECT_FALSE(RunFirstStage(printers));
    EXPECT_TRUE(QSettings(QSettings::UserScope, "Caseleaf", "VORN").allKeys().isEmpty());
    EXPECT_TRUE(RunFirstStage(printers));
    EXPECT_EQ(readSetting("NotFirstUse", "absent"), "False");
    EXPECT_TRUE(RunFirstStage(printers));
    ASSERT_EQ(dialogs.shown.size(), 2u) << dialogs.texts().join(" | ").toStdString();
    EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::OkCancel);
}

// Each failed check shows its messages, the frame never shows and the program ends.
TEST(StartupFailure, ShowsItsMessagesAndQuits)
{
    const QString aboutError = "ERROR IN \"ABOUTTEXT.TXT\" PLEASE RE-INSTALL CASELEAF!";
    const struct {
        const char* what;
        std::function<void(ProgramFolder&)> breakIt;
        QStringList texts;
    } failures[] = {
        {"no printers", [](ProgramFolder& p) { p.printers = ListedPrinters({}, {"Arial"}); },
         {"This software needs minimum one priner installed. Please install a printer, and then start "
          "Caseleaf again."}},
        {"about text missing", [](ProgramFolder& p) { QFile::remove(p.path("help/abouttext.txt")); },
         {aboutError, "", ""}},
        // The two ends of the deciphered text follow the error.
        {"about text without markers",
         [](ProgramFolder& p) { p.write("help/abouttext.txt", Encrypt("ABcreditsYZ", kAboutTextKey).toLatin1()); },
         {aboutError, "AB", "YZ"}},
        {"no language",
         [](ProgramFolder& p) {
             settings::setLanguage("klingon");
             QFile::remove(p.path("language/english.ini"));
         },
         {"Unable to load languagefile \"klingon\" loading default !",
          "ERROR! Unable to load default languagefile, quitting !"}},
    };
    for (const auto& failure : failures) {
        ProgramFolder program;
        failure.breakIt(program);
        MainFrame frame(program.printers);
        QSignalSpy ended(&frame, &MainFrame::ended);
        frame.load();
        EXPECT_EQ(program.dialogs.texts(), failure.texts) << failure.what;
        EXPECT_FALSE(progressWindowOpen()) << failure.what;
        EXPECT_TRUE(ended.wait(1000)) << failure.what;
        EXPECT_FALSE(frame.isVisible()) << failure.what;
        EXPECT_EQ(frame.editor(), nullptr) << failure.what;
    }
}

} // namespace
