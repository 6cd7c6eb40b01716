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
