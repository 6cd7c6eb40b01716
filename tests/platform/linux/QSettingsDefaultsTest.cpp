// SPDX-License-Identifier: MIT
#include "platform/linux/QSettingsDefaults.h"
#include "base/Files.h"
#include "platform/linux/XdgPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumvex;

TEST(QSettingsDefaults, AbsentIsNotFalseValuesPersistAndHandEditedOnesReadSensibly)
{
    test::TempDir dir;
    const auto file = dir / "config/lumvex/lumvex.conf";
    {
        QSettingsDefaults defaults(file);
        EXPECT_EQ(defaults.boolValue("autoAdjustEnabled"), std::nullopt);
        EXPECT_EQ(defaults.stringValue("iconStyle"), std::nullopt);
        defaults.setBool("autoAdjustEnabled", false);
        defaults.setBool("telemetryRecording", true);
        defaults.setString("iconStyle", "curtain");
    }
    QSettingsDefaults reread(file);
    EXPECT_EQ(reread.boolValue("autoAdjustEnabled"), false);
    EXPECT_EQ(reread.boolValue("telemetryRecording"), true);
    EXPECT_EQ(reread.stringValue("iconStyle"), "curtain");
    reread.remove("telemetryRecording");
    EXPECT_EQ(QSettingsDefaults(file).boolValue("telemetryRecording"), std::nullopt);
    EXPECT_EQ(test::permissionsOf(file), 0600u);
    EXPECT_EQ(test::permissionsOf(dir / "config/lumvex"), 0700u);

    // Values edited by hand.
    const auto edited = dir / "lumvex.conf";
    ASSERT_TRUE(files::writeAtomically(edited, "[General]\nautoAdjustEnabled=1\ntelemetryRecording=maybe\n"
                                               "showCompensationDebug=FALSE\n"));
    QSettingsDefaults defaults(edited);
    EXPECT_EQ(defaults.boolValue("autoAdjustEnabled"), true);
    EXPECT_EQ(defaults.boolValue("telemetryRecording"), std::nullopt);
    EXPECT_EQ(defaults.boolValue("showCompensationDebug"), false);
}

// Unset, empty and relative variables fall back to the folders under HOME; absolute ones win.
TEST(XdgPaths, AbsoluteVariablesWinAndOthersFallBackToHome)
{
    test::ScopedEnv home("HOME", "/home/ada");
    for (const bool set : {false, true}) {
        test::ScopedEnv data("XDG_DATA_HOME", set ? std::optional<std::string>("/srv/data") : std::nullopt);
        test::ScopedEnv state("XDG_STATE_HOME", set ? "relative/state" : "");
        test::ScopedEnv config("XDG_CONFIG_HOME", set ? std::optional<std::string>("/etc/ada") : std::nullopt);
        EXPECT_EQ(xdg::dataDir(), set ? "/srv/data/lumvex" : "/home/ada/.local/share/lumvex");
        EXPECT_EQ(xdg::stateDir(), "/home/ada/.local/state/lumvex");
        EXPECT_EQ(xdg::telemetryDir(), "/home/ada/.local/state/lumvex/telemetry");
        EXPECT_EQ(xdg::settingsFile(), set ? "/etc/ada/lumvex/lumvex.conf" : "/home/ada/.config/lumvex/lumvex.conf");
        EXPECT_EQ(xdg::autostartFile(),
                  set ? "/etc/ada/autostart/lumvex.desktop" : "/home/ada/.config/autostart/lumvex.desktop");
    }
}
