// SPDX-License-Identifier: MIT
#include "platform/linux/x11/MonitorRules.h"

#include <gtest/gtest.h>

using namespace lumvex;

TEST(MonitorRules, PanelConnectorsAreBuiltIn)
{
    for (const char *name : {"eDP-1", "EDP1", "eDP", "LVDS-1", "lvds1", "DSI-0", "dsi-1"}) {
        EXPECT_TRUE(isBuiltInMonitorName(name)) << name;
    }
    for (const char *name : {"DP-1", "HDMI-A-1", "DVI-D-1", "DisplayPort-0", "VGA-1", "screen", "ed", ""}) {
        EXPECT_FALSE(isBuiltInMonitorName(name)) << name;
    }
}

// Primary and at the origin are seen on the X server; these layouts are not easily made there.
TEST(MonitorRules, MainMonitorCoversTheOriginElseIsTheFirst)
{
    EXPECT_EQ(mainMonitorIndex({}), std::nullopt);
    const MonitorGeometry right{1920, 0, 1920, 1080, false};
    EXPECT_EQ(mainMonitorIndex({right, {-100, -100, 1920, 1080, false}}), 1u);
    EXPECT_EQ(mainMonitorIndex({right, {1920, 1080, 800, 600, false}}), 0u);
}
