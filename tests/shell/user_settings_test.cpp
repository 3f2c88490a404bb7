#include "shell/user_settings.h"

#include "gtest_qt.h"
#include "platform/settings_store.h"
#include "toolbox/paths.h"

namespace {

// A profile of its own: test runs never touch the user's, nor each other's.
class UserSettings : public ::testing::Test {
protected:
    QTemporaryDir configHome;
    void SetUp() override { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, configHome.path()); }
    QString stored(const QString& key) const
    {
        return QSettings(configHome.filePath("Caseleaf/VORN.conf"), QSettings::IniFormat)
            .value("General/" + key, "absent")
            .toString();
    }
};

TEST_F(UserSettings, CleanProfileGivesTheDefaults)
{
    EXPECT_EQ(QStringList({settings::language(), settings::lastPath(), settings::lastPicturePath(), settings::preset()}),
              QStringList({"english", GetDesktopFolder(), GetDesktopFolder(), "default"}));
    EXPECT_TRUE(settings::notFirstUse() && settings::showres());
}

TEST_F(UserSettings, TruthValuesRoundTripAsTrueAndFalseText)
{
    for (const bool value : {false, true}) {
        settings::setNotFirstUse(value);
        settings::setShowres(!value);
        EXPECT_EQ(stored("NotFirstUse") + stored("showres"), value ? "TrueFalse" : "FalseTrue");
        EXPECT_TRUE(settings::notFirstUse() == value && settings::showres() == !value);
    }
    // Text written by hand converts the way the stored text always did.
    for (const auto& [text, value] : {std::pair{"false", false}, {"0", false}, {"TRUE", true}, {"-1", true}}) {
        writeSetting("showres", text);
        EXPECT_EQ(settings::showres(), value) << text;
    }
}

} // namespace
