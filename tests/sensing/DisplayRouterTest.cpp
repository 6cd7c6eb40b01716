// SPDX-License-Identifier: MIT
#include "sensing/DisplayRouter.h"
#include "simulated/FakeDisplayServices.h"
#include "simulated/ManualClock.h"

#include <gtest/gtest.h>

using namespace lumvex;

namespace {

// A built-in 1920x1080 panel with a taller 2560x1440 monitor to its right, bottoms aligned (y grows
// upwards); the panel's menu bar is its top 24 units.
constexpr DisplayId kPanel = 11;
constexpr DisplayId kMonitor = 22;
constexpr Point kOnMonitor{3000, 700};
constexpr Point kOnPanel{900, 500};
constexpr Point kPanelMenuBar{900, 1070};

FakeDisplayServices panelAndMonitor()
{
    FakeDisplayServices displays;
    displays.plug(kPanel, {0, 0, 1920, 1080}, true, "eDP-1");
    displays.plug(kMonitor, {1920, 0, 2560, 1440}, false, "DP-1");
    displays.setPointer(kOnPanel);
    return displays;
}

class DisplayRouterTest : public testing::Test
{
protected:
    DisplayRouterTest()
    {
        router.onActiveDisplayChange = [this](DisplayId id) { announced.push_back(id); };
    }

    void moveTo(Point p)
    {
        displays.setPointer(p);
        router.cursorMoved();
    }

    FakeDisplayServices displays = panelAndMonitor();
    ManualClock clock{Timestamp::fromUnixSeconds(1741910400.0)};
    DisplayRouter router{displays, clock};
    std::vector<DisplayId> announced;
};

TEST_F(DisplayRouterTest, FollowsThePointerOnceButNotIntoThePanelBandAndYieldsToAnUnplug)
{
    // Fresh, it answers from the pointer without announcing anything.
    EXPECT_EQ(router.activeDisplay(), kPanel);
    displays.setPointer(kOnMonitor);
    EXPECT_EQ(router.currentTarget(), kMonitor);
    displays.setPointer(std::nullopt);
    EXPECT_TRUE(router.currentTarget() == kPanel && announced.empty());

    moveTo(kOnMonitor);
    EXPECT_EQ(announced, std::vector<DisplayId>{kMonitor});
    clock.advance(4.0);
    moveTo({kOnMonitor.x + 10, kOnMonitor.y});
    EXPECT_EQ(announced.size(), 1u);

    // Into the panel's menu bar: ignored, and the last move on the monitor decides for 5 s.
    moveTo(kPanelMenuBar);
    EXPECT_EQ(router.activeDisplay(), kMonitor);
    clock.advance(4.999);
    EXPECT_EQ(router.currentTarget(), kMonitor);
    clock.advance(0.001);
    EXPECT_EQ(router.currentTarget(), kPanel);

    moveTo(kOnPanel);
    EXPECT_EQ(announced, (std::vector<DisplayId>{kMonitor, kPanel}));

    moveTo(kOnMonitor);
    displays.unplug(kMonitor);
    EXPECT_EQ(router.currentTarget(), kPanel);
    // Alone, the panel is the target wherever the pointer is.
    for (const Point p : {kOnMonitor, kPanelMenuBar, Point{5000, 5000}}) {
        moveTo(p);
        EXPECT_EQ(router.currentTarget(), kPanel);
    }
}

// An active display that cannot be confirmed online, or a clock set back, yields to the pointer.
TEST_F(DisplayRouterTest, ActiveDisplayYieldsToThePointerOnceItCannotBeConfirmed)
{
    moveTo(kOnMonitor);
    moveTo(kPanelMenuBar);
    displays.setOnlineQueryFails(true);
    EXPECT_EQ(router.currentTarget(), kPanel);
    displays.setOnlineQueryFails(false);
    EXPECT_EQ(router.currentTarget(), kMonitor);

    displays.setPointer(kOnPanel);
    clock.advance(-60.0);
    EXPECT_EQ(router.currentTarget(), kPanel);
    moveTo(kOnMonitor);
    displays.setPointer(kOnPanel);
    EXPECT_EQ(router.currentTarget(), kMonitor);
}

} // namespace
