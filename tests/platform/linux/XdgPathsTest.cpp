// SPDX-License-Identifier: MIT
#include "platform/linux/XdgPaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumvex;
using test::ScopedEnv;

TEST(XdgPaths, DefaultsLieUnderHome)
{
    ScopedEnv home("HOME", "/home/ada");
    ScopedEnv data("XDG_DATA_HOME", std::nullopt);
    ScopedEnv state("XDG_STATE_HOME", "");
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    EXPECT_EQ(xdg::dataDir(), "/home/ada/.local/share/lumvex");
    EXPECT_EQ(xdg::stateDir(), "/home/ada/.local/state/lumvex");
    EXPECT_EQ(xdg::telemetryDir(), "/home/ada/.local/state/lumvex/telemetry");
    EXPECT_EQ(xdg::settingsFile(), "/home/ada/.config/lumvex/lumvex.conf");
    EXPECT_EQ(xdg::autostartFile(), "/home/ada/.config/autostart/lumvex.desktop");
}

TEST(XdgPaths, AbsoluteVariablesWinAndRelativeOnesAreIgnored)
{
    ScopedEnv home("HOME", "/home/ada");
    ScopedEnv data("XDG_DATA_HOME", "/srv/data");
    ScopedEnv state("XDG_STATE_HOME", "relative/state");
    ScopedEnv config("XDG_CONFIG_HOME", "/etc/ada");
    EXPECT_EQ(xdg::dataDir(), "/srv/data/lumvex");
    EXPECT_EQ(xdg::stateDir(), "/home/ada/.local/state/lumvex");
    EXPECT_EQ(xdg::settingsFile(), "/etc/ada/lumvex/lumvex.conf");
}
