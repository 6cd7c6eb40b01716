// SPDX-License-Identifier: MIT
#include "platform/linux/wayland/WaylandDisplayServices.h"
#include "SwayControl.h"
#include "platform/linux/wayland/WlrScreencopyCapture.h"
#include "sensing/DisplayRouter.h"
#include "sensing/OutputNameId.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

using namespace lumvex;

namespace {

const DisplayId kFirst = outputNameId("HEADLESS-1");
const DisplayId kSecond = outputNameId("HEADLESS-2");

} // namespace

// One sway for every case: outputs cannot be taken away again once added (sway 1.7 can neither
// unplug nor disable a headless output), so the cases run in order over one growing layout, and no
// other test adds outputs.
TEST(WaylandDisplayServicesTest, FollowsTheCompositorsOutputsAndThePointerHints)
{
    WaylandDisplayServices displays;
    ASSERT_TRUE(test::eventually([&] { return displays.isConnected(); }));
    EXPECT_TRUE(displays.offersScreencopy());

    // One output at the origin: the main display, not built in.
    ASSERT_TRUE(test::hasOutputs(displays, 1));
    EXPECT_EQ(displays.mainDisplay(), kFirst);
    EXPECT_FALSE(displays.isBuiltIn(kFirst));
    EXPECT_EQ(displays.screens(), (std::vector<Screen>{{kFirst, {0, 0, 1920, 1080}}}));

    // No hint yet: nowhere.
    EXPECT_EQ(displays.pointerLocation(), std::nullopt);
    displays.notePointerAt(100, 10);
    const auto pointer = displays.pointerLocation();
    ASSERT_TRUE(pointer);
    EXPECT_DOUBLE_EQ(pointer->x, 100.5);
    EXPECT_DOUBLE_EQ(pointer->y, 1069.5);

    // A capture of an output that is not there gives nothing at once, and blames nothing: it may come.
    WlrScreencopyCapture later("HEADLESS-2");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(later.captureAndReduce());
    EXPECT_LT(std::chrono::steady_clock::now() - start, WlrScreencopyCapture::kWaitLimit);
    EXPECT_EQ(later.unavailableReason(), std::nullopt);

    // A second output, right of the first and 200 lower: the layout's bottom moves, and so does
    // every frame in desktop coordinates. The capture waiting for it finds it.
    ASSERT_TRUE(test::SwayControl::createOutput());
    ASSERT_TRUE(test::SwayControl::command("output HEADLESS-2 resolution 1280x720 position 1920 560"));
    ASSERT_TRUE(test::eventually([&] {
        return displays.logicalGeometry(kSecond) == OutputRect{1920, 560, 1280, 720};
    }));
    EXPECT_TRUE(test::eventually([&] { return later.captureAndReduce().has_value(); }));
    EXPECT_TRUE(std::ranges::is_permutation(displays.onlineDisplays().value_or(std::vector<DisplayId>{}),
                                            std::vector<DisplayId>{kFirst, kSecond}));
    EXPECT_EQ(displays.mainDisplay(), kFirst);
    EXPECT_EQ(displays.screens(),
              (std::vector<Screen>{{kFirst, {0, 200, 1920, 1080}}, {kSecond, {1920, 0, 1280, 720}}}));

    // The same hint now lies higher up, and one below the first output lies on nothing.
    EXPECT_DOUBLE_EQ(displays.pointerLocation()->y, 1269.5);
    displays.notePointerAt(1920, 1279);
    ASSERT_TRUE(displays.pointerLocation());
    EXPECT_DOUBLE_EQ(displays.pointerLocation()->y, 0.5);
    displays.notePointerAt(500, 1200);
    EXPECT_EQ(displays.pointerLocation(), std::nullopt);

    // A click long ago no longer says where the pointer is.
    displays.notePointerAt(100, 10);
    std::this_thread::sleep_for(std::chrono::duration<double>(DisplayRouter::kStaleness + 0.1));
    EXPECT_EQ(displays.pointerLocation(), std::nullopt);

    // Moving the first output off the origin leaves no output there: the first one listed is main.
    ASSERT_TRUE(test::SwayControl::command("output HEADLESS-1 position 3200 0"));
    ASSERT_TRUE(test::eventually([&] { return displays.logicalGeometry(kFirst) == OutputRect{3200, 0, 1920, 1080}; }));
    EXPECT_EQ(displays.mainDisplay(), kFirst);
    ASSERT_TRUE(test::SwayControl::command("output HEADLESS-2 position 0 0"));
    ASSERT_TRUE(test::eventually([&] { return displays.mainDisplay() == kSecond; }));
    EXPECT_EQ(displays.screens().front().id, kSecond);
}
