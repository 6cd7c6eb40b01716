// SPDX-License-Identifier: MIT
#include "platform/linux/x11/X11DisplayServices.h"
#include "XServerControl.h"
#include "platform/linux/x11/MonitorRules.h"
#include "platform/linux/x11/X11PointerMonitor.h"
#include "support/TempDir.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

// The built-in panel eDP-1 (primary, on the server's output) with a smaller external monitor DP-1
// to its right, top edges aligned, on a 3840x1080 root.
class X11DisplayServicesTest : public testing::Test
{
protected:
    ~X11DisplayServicesTest() override { control.reset(); }

    test::XServerControl control;
    const test::XServerControl::PanelAndExternal monitors = control.panelBesideExternal(1280, 720);
    const DisplayId panel = monitors.panel;
    const DisplayId external = monitors.external;
};

TEST_F(X11DisplayServicesTest, DescribesTheMonitorsInDesktopCoordinates)
{
    X11DisplayServices displays;
    ASSERT_TRUE(displays.isConnected());
    EXPECT_EQ(displays.mainDisplay(), panel);
    EXPECT_EQ(displays.screens(),
              (std::vector<Screen>{{panel, {0, 0, 1920, 1080}}, {external, {1920, 360, 1280, 720}}}));
    EXPECT_EQ(displays.onlineDisplays(), (std::vector<DisplayId>{panel, external}));
    EXPECT_TRUE(displays.isBuiltIn(panel) && !displays.isBuiltIn(external));
    // The connector each is shown on.
    EXPECT_TRUE(displays.outputName(panel) == "screen" && displays.outputName(external) == "DP-1");

    // The main display is the primary, else the one at the origin.
    control.setMonitor("eDP-1", {1920, 0, 1920, 1080, false}, true);
    control.setMonitor("DP-1", {0, 0, 1280, 720, false});
    ASSERT_TRUE(displays.onlineDisplays());
    EXPECT_TRUE(displays.mainDisplay() == external && displays.screens().front().id == external);
    control.setMonitor("eDP-1", {1920, 0, 1920, 1080, true}, true);
    ASSERT_TRUE(displays.onlineDisplays());
    EXPECT_TRUE(displays.mainDisplay() == panel && displays.screens().front().id == panel);
}

TEST_F(X11DisplayServicesTest, PanelConnectorTypeMakesAnyNameBuiltInAndASwitchedOffOutputIsGoneAtOnce)
{
    control.deleteMonitor("eDP-1");
    control.setMonitor("Internal", {0, 0, 1920, 1080, true}, true);
    const DisplayId internal = control.atom("Internal");
    X11DisplayServices displays;
    EXPECT_FALSE(displays.isBuiltIn(internal));
    // The property change is announced, so the answer changes without waiting.
    control.setConnectorType("Panel");
    EXPECT_TRUE(displays.isBuiltIn(internal) && !displays.isBuiltIn(external));
    control.setConnectorType("DisplayPort");
    EXPECT_FALSE(displays.isBuiltIn(internal));

    // A switched-off output is gone at once.
    control.reset(); // only the server's own monitor for its output
    const DisplayId screen = control.atom("screen");
    ASSERT_TRUE(displays.onlineDisplays());
    EXPECT_EQ(displays.screens(), (std::vector<Screen>{{screen, {0, 0, 3840, 1080}}}));

    control.setOutputEnabled(false);
    EXPECT_TRUE(displays.screens().empty() && displays.mainDisplay() == 0 && displays.onlineDisplays()->empty());

    control.setOutputEnabled(true);
    EXPECT_EQ(displays.mainDisplay(), screen);
}

TEST_F(X11DisplayServicesTest, MonitorsDefinedByClientsAreSeenWithoutPolling)
{
    X11DisplayServices displays;
    ASSERT_EQ(displays.screens().size(), 2u);

    // Announced only by the root window's ConfigureNotify.
    control.deleteMonitor("DP-1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return displays.screens().size() == 1; }));
    control.setMonitor("HDMI-1", {1920, 0, 1920, 1080, false});
    const DisplayId hdmi = control.atom("HDMI-1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return displays.screens().size() == 2; }));

    // The online query always asks.
    control.deleteMonitor("HDMI-1");
    EXPECT_EQ(displays.onlineDisplays(), std::vector<DisplayId>{panel});
    EXPECT_EQ(displays.screens().size(), 1u);

    // Gone displays keep their kind: it follows from their names.
    control.deleteMonitor("eDP-1");
    ASSERT_EQ(displays.onlineDisplays(), std::vector<DisplayId>{control.atom("screen")});
    EXPECT_TRUE(displays.isBuiltIn(panel));
    EXPECT_FALSE(displays.isBuiltIn(hdmi));
}

TEST(X11DisplayServicesWithoutServer, AnswersNeutrally)
{
    const test::ScopedEnv noDisplay("DISPLAY", std::nullopt);
    X11DisplayServices displays;
    EXPECT_FALSE(displays.isConnected() || displays.mainDisplay() || displays.onlineDisplays() ||
                 displays.pointerLocation() || X11PointerMonitor([] {}).isActive());
}

TEST(MonitorRules, PanelConnectorsAreBuiltIn)
{
    for (const char *name : {"eDP-1", "EDP1", "eDP", "LVDS-1", "lvds1", "DSI-0", "dsi-1"}) {
        EXPECT_TRUE(isBuiltInMonitorName(name)) << name;
    }
    for (const char *name : {"DP-1", "HDMI-A-1", "DVI-D-1", "DisplayPort-0", "VGA-1", "screen", "ed", ""}) {
        EXPECT_FALSE(isBuiltInMonitorName(name)) << name;
    }
}

} // namespace
