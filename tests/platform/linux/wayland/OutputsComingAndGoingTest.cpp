// SPDX-License-Identifier: MIT
#include "FakeCompositor.h"
#include "SwayControl.h"
#include "platform/linux/wayland/WaylandDisplayServices.h"
#include "platform/linux/wayland/WlrScreencopyCapture.h"
#include "sensing/OutputNameId.h"

#include "support/TempDir.h"
#include <gtest/gtest.h>

using namespace lumvex;

namespace {

// Points WAYLAND_DISPLAY at a compositor of the test's own for as long as it lives.
class OutputsComingAndGoingTest : public testing::Test
{
protected:
    test::FakeCompositor compositor;
    const test::ScopedEnv display{"WAYLAND_DISPLAY", compositor.socket()};
};

const DisplayId kPanel = outputNameId("eDP-1");
const DisplayId kMonitor = outputNameId("DP-2");

TEST_F(OutputsComingAndGoingTest, UnpluggedOutputsComeBackUnderTheSameIdAndCaptureSaysThereIsNoScreencopy)
{
    compositor.addOutput("DP-2", 0, 0, 2560, 1440);
    compositor.addOutput("eDP-1", 2560, 540, 1920, 1200);
    WaylandDisplayServices displays;
    ASSERT_TRUE(test::hasOutputs(displays, 2));
    // The panel is the main display wherever it lies; without xdg-output the place comes from the
    // output's own position and mode.
    EXPECT_TRUE(displays.mainDisplay() == kPanel && displays.isBuiltIn(kPanel) && !displays.isBuiltIn(kMonitor));
    EXPECT_EQ(displays.logicalGeometry(kPanel), (OutputRect{2560, 540, 1920, 1200}));
    EXPECT_EQ(displays.screens(),
              (std::vector<Screen>{{kPanel, {2560, 0, 1920, 1200}}, {kMonitor, {0, 300, 2560, 1440}}}));

    displays.notePointerAt(3000, 600);
    ASSERT_TRUE(displays.pointerLocation());
    compositor.removeOutput("eDP-1");
    ASSERT_TRUE(test::hasOutputs(displays, 1));
    EXPECT_EQ(displays.onlineDisplays(), std::vector<DisplayId>{kMonitor});
    EXPECT_TRUE(displays.mainDisplay() == kMonitor && !displays.outputName(kPanel));
    // Still known as the panel while it is away, as the display router may ask about it; the pointer's last
    // known place is on no output now.
    EXPECT_TRUE(displays.isBuiltIn(kPanel) && !displays.pointerLocation());

    compositor.addOutput("eDP-1", 0, 1440, 1920, 1200);
    ASSERT_TRUE(test::hasOutputs(displays, 2));
    EXPECT_EQ(displays.mainDisplay(), kPanel);
    EXPECT_EQ(displays.logicalGeometry(kPanel), (OutputRect{0, 1440, 1920, 1200}));

    compositor.removeOutput("DP-2");
    compositor.removeOutput("eDP-1");
    ASSERT_TRUE(test::hasOutputs(displays, 0));
    EXPECT_EQ(displays.mainDisplay(), 0u);
    EXPECT_TRUE(displays.isConnected());

    compositor.addOutput("eDP-1", 0, 0, 1920, 1080);
    WlrScreencopyCapture capture("eDP-1");
    EXPECT_FALSE(capture.captureAndReduce());
    EXPECT_EQ(capture.unavailableReason(), "Screen capture needs a compositor that offers wlroots screencopy "
                                           "(zwlr_screencopy_manager_v1), and this one does not.");
}

} // namespace
