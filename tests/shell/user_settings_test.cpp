#include "shell/user_settings.h"

#include "platform/settings_store.h"
#include "toolbox/paths.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "gtest_qt.h"

namespace {

// Each test gets a user settings folder of its own: test runs never touch the real
// profile, nor each other's stores when they run in parallel.
class UserSettings : public ::testing::Test {
protected:
    QTemporaryDir configHome;
    void SetUp() override
    {
        ASSERT_TRUE(configHome.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configHome.path());
    }
};

TEST_F(UserSettings, CleanProfileGivesTheDefaults)
{
    EXPECT_TRUE(settings::notFirstUse());
    EXPECT_EQ(settings::language(), "english");
    EXPECT_EQ(settings::lastPath(), GetDesktopFolder());
    EXPECT_EQ(settings::lastPicturePath(), GetDesktopFolder());
    EXPECT_TRUE(settings::showres());
    EXPECT_EQ(settings::preset(), "default");
}

TEST_F(UserSettings, StoreIsTheUsersVornGeneralGroup)
{
    settings::setLanguage("german");
    QSettings store(configHome.filePath("Caseleaf/VORN.conf"), QSettings::IniFormat);
    EXPECT_EQ(store.value("General/Language").toString(), "german");
}

TEST_F(UserSettings, TruthValuesAreStoredAsTrueAndFalseText)
{
    settings::setNotFirstUse(false);
    settings::setShowres(true);
    EXPECT_EQ(readSetting("NotFirstUse", "absent"), "False");
    EXPECT_EQ(readSetting("showres", "absent"), "True");
    EXPECT_FALSE(settings::notFirstUse());
    EXPECT_TRUE(settings::showres());

    settings::setShowres(false);
    EXPECT_FALSE(settings::showres());
}

TEST_F(UserSettings, StoredTruthTextIsConvertedWhenRead)
{
    writeSetting("showres", "0");
    EXPECT_FALSE(settings::showres());
    writeSetting("showres", "false");
    EXPECT_FALSE(settings::showres());
    writeSetting("NotFirstUse", "FALSE");
    EXPECT_FALSE(settings::notFirstUse());
    writeSetting("NotFirstUse", "-1");
    EXPECT_TRUE(settings::notFirstUse());
}

TEST_F(UserSettings, TruthTextConversion)
{
    for (const char* t : {"True", "true", " TRUE ", "1", "-1", "2.5"})
        EXPECT_TRUE(settings::truthValue(t, false)) << t;
    for (const char* t : {"False", "false", "0", "0.0", " False"})
        EXPECT_FALSE(settings::truthValue(t, true)) << t;
    // Text that is no truth value keeps the default.
    EXPECT_TRUE(settings::truthValue("yes please", true));
    EXPECT_FALSE(settings::truthValue("", false));
    EXPECT_EQ(settings::truthText(true), "True");
    EXPECT_EQ(settings::truthText(false), "False");
}

TEST_F(UserSettings, TextsComeBackAsWritten)
{
    const QString folder = QString::fromUtf8("/home/ann/Müsik, alt; #1 = [best]/");
    settings::setLastPath(folder);
    settings::setLastPicturePath("/pictures/");
    settings::setPreset("Dark blue");
    EXPECT_EQ(settings::lastPath(), folder);
    EXPECT_EQ(settings::lastPicturePath(), "/pictures/");
    EXPECT_EQ(settings::preset(), "Dark blue");
}

TEST_F(UserSettings, AnEmptyStoredFolderIsNotReplacedByTheDefault)
{
    settings::setLastPath("");
    EXPECT_EQ(settings::lastPath(), "");
    EXPECT_EQ(settings::lastPicturePath(), GetDesktopFolder());
}

} // namespace
