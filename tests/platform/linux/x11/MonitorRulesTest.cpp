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

TEST(MonitorRules, MainMonitorIsPrimaryThenAtOriginThenFirst)
{
    EXPECT_EQ(mainMonitorIndex({}), std::nullopt);
    const MonitorGeometry atOrigin{0, 0, 1920, 1080, false};
    const MonitorGeometry right{1920, 0, 1920, 1080, false};
    const MonitorGeometry coveringOrigin{-100, -100, 1920, 1080, false};
    EXPECT_EQ(mainMonitorIndex({right, atOrigin}), 1u);
    EXPECT_EQ(mainMonitorIndex({right, coveringOrigin}), 1u);
    EXPECT_EQ(mainMonitorIndex({right, {1920, 1080, 800, 600, false}}), 0u);
    EXPECT_EQ(mainMonitorIndex({atOrigin, {1920, 0, 1920, 1080, true}}), 1u);
}

TEST(MonitorRules, RootPixelsBecomeDesktopCoordinatesGrowingUpwards)
{
    // A 1280x720 monitor top-aligned beside a 1080-row one: its bottom is 360 above the root's bottom.
    EXPECT_EQ(desktopFrame({1920, 0, 1280, 720, false}, 1080), (Rect{1920, 360, 1280, 720}));
    EXPECT_EQ(desktopFrame({0, 0, 1920, 1080, false}, 1080), (Rect{0, 0, 1920, 1080}));

    // The top row of the root is inside the frame, at its top; the bottom row too, at its bottom.
    const Rect frame = desktopFrame({0, 0, 1920, 1080, false}, 1080);
    const Point top = desktopPoint(0, 0, 1080);
    const Point bottom = desktopPoint(1919, 1079, 1080);
    EXPECT_TRUE(frame.contains(top));
    EXPECT_TRUE(frame.contains(bottom));
    EXPECT_DOUBLE_EQ(top.y, 1079.5);
    EXPECT_DOUBLE_EQ(bottom.y, 0.5);
    EXPECT_FALSE(desktopFrame({1920, 0, 1280, 720, false}, 1080).contains(desktopPoint(1919, 0, 1080)));
}
