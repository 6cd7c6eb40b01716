// SPDX-License-Identifier: MIT
#include "FakeTool.h"
#include "base/Files.h"
#include "platform/linux/ddc/ExternalBrightnessController.h"
#include "support/FakeSysfs.h"
#include "support/TempDir.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

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
        int current = 0, maximum = 0, writes = 0;
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

TEST_F(SimulatedToolTest, ReadsInTheBackground)
{
    std::optional<double> level;
    controller.onLevelKnown = [&](DisplayId, double value) { level = value; };
    EXPECT_EQ(controller.get(kDisplay), std::nullopt);
    ASSERT_TRUE(QTest::qWaitFor([&] { return level.has_value(); }, 2000));
    EXPECT_DOUBLE_EQ(*level, 0.5);
}

TEST_F(SimulatedToolTest, ABurstWritesItsFirstAndItsLastValueAndAHeldValueIsNotWrittenAgain)
{
    std::vector<double> known;
    controller.onLevelKnown = [&](DisplayId, double value) { known.push_back(value); };
    for (const double value : {0.125, 0.2, 0.3, 0.734}) { // a flick of the wheel
        EXPECT_TRUE(controller.set(kDisplay, value));
    }
    EXPECT_FALSE(controller.set(kDisplay, std::nan("")));
    // A menu's own event loop runs the deferred write too.
    QEventLoop menu;
    QTimer::singleShot(1500ms, &menu, &QEventLoop::quit);
    menu.exec();
    EXPECT_EQ(monitor().current, 73);
    EXPECT_EQ(monitor().writes, 2);
    EXPECT_EQ(known, (std::vector<double>{0.125, 0.734}));

    EXPECT_TRUE(controller.set(kDisplay, 0.73));
    QTest::qWait(500);
    EXPECT_EQ(monitor().writes, 2);
}

} // namespace
