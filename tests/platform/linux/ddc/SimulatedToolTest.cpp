#include "FakeTool.h"
#include "engine/Files.h"
#include "platform/linux/ddc/ExternalBrightnessController.h"
#include "support/TempDir.h"
#include "tools/lumvex-ddc/FakeSysfs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

constexpr DisplayId kDisplay = 415;

// The controller driving the real tool, with a simulated monitor behind bus 5 of connector DP-1 on a
// fake sysfs tree, and DDC/CI's real pauses.
class SimulatedToolTest : public testing::Test
{
protected:
    SimulatedToolTest()
    {
        test::FakeDrmTree(folder.path()).add({.name = "card0-DP-1", .ddcLink = 5});
        std::filesystem::create_directories(folder / "runtime");
        files::writeAtomically(state, "50 100 0\n");
    }

    struct Monitor
    {
        int current = 0;
        int maximum = 0;
        int writes = 0;
    };

    Monitor monitor() const
    {
        Monitor result;
        std::istringstream(files::readAll(state).value_or("")) >> result.current >> result.maximum >> result.writes;
        return result;
    }

    test::TempDir folder;
    std::filesystem::path state = folder / "monitor";
    test::ScopedEnv sysfs{"LUMVEX_SYSFS_ROOT", folder.path().string()};
    test::ScopedEnv runtime{"XDG_RUNTIME_DIR", (folder / "runtime").string()};
    test::ScopedEnv connector{"LUMVEX_DDC_CONNECTOR", "DP-1"};
    test::ScopedEnv stateFile{"LUMVEX_DDC_SIMULATED_STATE", state.string()};
    ExternalBrightnessController controller{std::filesystem::path(LUMVEX_DDC_SIMULATED)};
};

TEST_F(SimulatedToolTest, ReadsAndWritesWithinTheLimit)
{
    EXPECT_DOUBLE_EQ(controller.get(kDisplay).value(), 0.5);
    EXPECT_TRUE(controller.set(kDisplay, 0.8));
    EXPECT_EQ(monitor().current, 80);
    EXPECT_DOUBLE_EQ(controller.get(kDisplay).value(), 0.8);
}

TEST_F(SimulatedToolTest, AScrollEndsOnItsLastValueWithoutRepeatedWrites)
{
    // Scroll steps as the status item makes them: a read, then a write of the next level. Whether a
    // write goes at once or is deferred depends on how long the reads take.
    int last = 50;
    for (int step = 1; step <= 6; ++step) {
        const double current = controller.get(kDisplay).value_or(0.0);
        last = static_cast<int>(std::lround((current + 0.05) * 100));
        controller.set(kDisplay, current + 0.05);
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(test::waitUntil([&] { return monitor().current == last; }, 2s));
    const int writes = monitor().writes;
    EXPECT_GE(writes, 1);
    EXPECT_LE(writes, (last - 50) / 5); // each write a new level

    // Asked again for what it holds, the monitor is not written to.
    test::waitUntil([] { return false; }, 150ms);
    EXPECT_TRUE(controller.set(kDisplay, last / 100.0));
    EXPECT_EQ(monitor().writes, writes);
}

} // namespace
