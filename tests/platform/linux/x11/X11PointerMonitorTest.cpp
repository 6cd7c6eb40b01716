// SPDX-License-Identifier: MIT
#include "platform/linux/x11/X11PointerMonitor.h"
#include "XServerControl.h"
#include "platform/linux/x11/X11DisplayServices.h"
#include "sensing/DisplayRouter.h"
#include "simulated/ManualClock.h"
#include "support/TempDir.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

TEST(X11PointerMonitor, ReportsMovesFoldingBurstsAndEndingWithTheLastPosition)
{
    test::XServerControl control;
    X11DisplayServices displays;
    int reports = 0;
    std::optional<Point> reportedAt;
    X11PointerMonitor monitor(
        [&] {
            ++reports;
            reportedAt = displays.pointerLocation();
        },
        50ms);
    ASSERT_TRUE(monitor.isActive());

    for (int i = 1; i <= 10; ++i) {
        control.movePointer(100 + i * 10, 500);
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return reportedAt && reportedAt->x == 200.5; }));
    QTest::qWait(200);
    EXPECT_GE(reports, 1);
    EXPECT_LT(reports, 10);

    // A warp is no device movement and reports nothing.
    const int before = reports;
    control.warpPointer(700, 500);
    QTest::qWait(200);
    EXPECT_EQ(reports, before);
}

TEST(X11PointerMonitor, InactiveWithoutServer)
{
    const test::ScopedEnv noDisplay("DISPLAY", std::nullopt);
    X11PointerMonitor monitor([] {});
    EXPECT_FALSE(monitor.isActive());
}

// The router on the real desktop: eDP-1 (primary) and DP-1 side by side, the pointer moved as a device.
class X11DisplayRouterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        const auto monitors = control.panelBesideExternal();
        panel = monitors.panel;
        external = monitors.external;
        control.warpPointer(500, 500);
        displays.emplace();
        router.emplace(*displays, clock);
        router->onActiveDisplayChange = [this](DisplayId id) { announced.push_back(id); };
        monitor.emplace(
            [this] {
                router->cursorMoved();
                ++moves;
            },
            0ms);
        ASSERT_TRUE(monitor->isActive());
    }
    void TearDown() override { control.reset(); }

    // Moves the pointer and waits until the router has seen a move.
    void moveTo(int x, int y)
    {
        const int before = moves;
        control.movePointer(x, y);
        ASSERT_TRUE(QTest::qWaitFor([&] { return moves > before; }));
    }

    test::XServerControl control;
    ManualClock clock{Timestamp::fromUnixSeconds(1741910400.0)};
    std::optional<X11DisplayServices> displays;
    std::optional<DisplayRouter> router;
    std::optional<X11PointerMonitor> monitor;
    DisplayId panel = 0;
    DisplayId external = 0;
    std::vector<DisplayId> announced;
    int moves = 0;
};

TEST_F(X11DisplayRouterTest, FollowsThePointerButNotIntoThePanelBand)
{
    EXPECT_EQ(router->currentTarget(), panel);

    moveTo(2500, 500);
    EXPECT_EQ(announced, std::vector<DisplayId>{external});
    EXPECT_EQ(router->currentTarget(), external);

    moveTo(100, 23); // the top 24 rows of the panel are its panel band
    EXPECT_EQ(router->activeDisplay(), external);
    clock.advance(4.9);
    EXPECT_EQ(router->currentTarget(), external);
    clock.advance(0.1);
    EXPECT_EQ(router->currentTarget(), panel);

    moveTo(100, 24);
    EXPECT_EQ(announced, (std::vector<DisplayId>{external, panel}));
}

} // namespace
