// SPDX-License-Identifier: MIT
#include "platform/linux/ddc/ExternalBrightnessController.h"
#include "base/Files.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "engine/ExternalDisplayLoop.h"
#include "platform/linux/ddc/ToolRunner.h"
#include "simulated/FakeDisplayServices.h"
#include "simulated/ManualClock.h"
#include "simulated/MemoryDefaults.h"
#include "simulated/SimulatedBrightness.h"
#include "support/FakeSysfs.h"
#include "support/LoopSurroundings.h"
#include "support/TempDir.h"

#include <sys/stat.h>

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

using namespace lumvex;
using namespace std::chrono_literals;
using external::ToolRunner;

namespace {

// A stand-in for lumvex-ddc: a shell script that appends its arguments to a log, then runs `body`.
class FakeTool
{
public:
    FakeTool(const std::filesystem::path &folder, const std::string &name, const std::string &body)
        : m_path(folder / name)
        , m_log(folder / (name + ".log"))
    {
        files::writeAtomically(m_path, "#!/bin/sh\necho \"$*\" >> '" + m_log.string() + "'\n" + body + "\n");
        ::chmod(m_path.c_str(), 0755);
    }

    const std::filesystem::path &path() const { return m_path; }

    // One line per run: the arguments.
    std::vector<std::string> calls() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_log);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

private:
    std::filesystem::path m_path;
    std::filesystem::path m_log;
};

constexpr DisplayId kDisplay = 415;
constexpr DisplayId kOther = 416;

class ExternalBrightnessControllerTest : public testing::Test
{
protected:
    FakeTool tool(const std::string &name, const std::string &body) { return FakeTool(folder.path(), name, body); }

    // A controller on a clock that moves only when the test says so; what it reports lands in `known`.
    std::unique_ptr<ExternalBrightnessController> controllerFor(const FakeTool &fake)
    {
        auto controller = std::make_unique<ExternalBrightnessController>(fake.path(), [this] { return now; });
        controller->onLevelKnown = [this](DisplayId display, double level) { known.emplace_back(display, level); };
        return controller;
    }

    test::TempDir folder;
    double now = 1000.0;
    std::vector<std::pair<DisplayId, double>> known;
};

// Reading, and the spacing of writes, through the real tool are seen in SimulatedToolTest; a failing run
// gives no output (ToolRunner).
TEST_F(ExternalBrightnessControllerTest, AMissingToolGivesNoLevel)
{
    ExternalBrightnessController missing(std::nullopt, [this] { return now; });
    EXPECT_FALSE(missing.set(kDisplay, 0.5));
    EXPECT_EQ(missing.get(kDisplay), std::nullopt);
}

TEST_F(ExternalBrightnessControllerTest, AHungToolNeverHoldsUpTheCallerAndOnlyTheLatestValueWaits)
{
    const FakeTool fake = tool("hung", "trap '' TERM; sleep 5");
    const auto controller = controllerFor(fake);
    const auto started = std::chrono::steady_clock::now();
    for (int notch = 1; notch <= 10; ++notch) { // a flick of the wheel
        EXPECT_TRUE(controller->set(kDisplay, 0.5 + notch * 0.05));
        now += 0.01;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 500ms); // far below the 1 s a run may take
    EXPECT_DOUBLE_EQ(controller->get(kDisplay).value(), 1.0);     // scrolls step from the latest wish
    EXPECT_TRUE(controller->set(kOther, 0.3));                    // another display is not held back

    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.calls().size() == 2; }, 1000));
    // The first run is stopped after its second; only then the latest value goes, the ones between never.
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.calls().size() == 3; }, 2000));
    std::vector<std::string> calls = fake.calls();
    std::sort(calls.begin(), calls.begin() + 2); // the two displays' runs start together
    EXPECT_EQ(calls, (std::vector<std::string>{"display id=415 set luminance 55", "display id=416 set luminance 30",
                                               "display id=415 set luminance 100"}));
    EXPECT_TRUE(known.empty()); // no level the monitor never took
}

TEST_F(ExternalBrightnessControllerTest, PendingValuesDieWithTheController)
{
    const FakeTool fake = tool("writes", "true");
    auto controller = controllerFor(fake);
    controller->set(kDisplay, 0.1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.calls().size() == 1; }, 1000));
    controller->set(kDisplay, 0.2);
    controller.reset();
    QTest::qWait(250);
    EXPECT_EQ(fake.calls().size(), 1u);
}

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

TEST_F(SimulatedToolTest, ReadsInTheBackgroundThenABurstWritesItsFirstAndLastValueAndAHeldValueNotAgain)
{
    std::vector<double> known;
    controller.onLevelKnown = [&](DisplayId, double value) { known.push_back(value); };
    EXPECT_EQ(controller.get(kDisplay), std::nullopt);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !known.empty(); }, 2000));
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
    EXPECT_EQ(known, (std::vector<double>{0.5, 0.125, 0.734}));

    EXPECT_TRUE(controller.set(kDisplay, 0.73));
    QTest::qWait(500);
    EXPECT_EQ(monitor().writes, 2);
}

// Lid closed on DP-1: the loop drives the monitor through the helper, within the write ration, and learns
// the user's scroll there in the monitor's own table.
TEST_F(SimulatedToolTest, DockedTheLoopDrivesTheMainMonitorWithinItsRationAndLearnsInItsOwnTable)
{
    ManualClock clock{Timestamp::fromUnixSeconds(1741960800.0)}; // 14:00 UTC
    MemoryDefaults defaults;
    defaults.setBool("autoAdjustEnabled", true);
    SimulatedBrightness panel;
    CalibrationModel panelTable(folder / "data", clock);
    DailyStats stats(folder / "data", clock);
    AdjustmentLogger logger(folder / "state", clock);
    test::LoopSurroundings surroundings;
    surroundings.signature = [] { return ContentSignature{0.1, 0.6, 0.7}; };
    surroundings.builtIn = [] { return false; };
    CompensationLoop builtIn(
        {panel, panelTable, stats, logger, clock, defaults, surroundings, surroundings, surroundings});
    FakeDisplayServices displays;
    displays.plug(1, {0, 0, 1920, 1080}, true, "eDP-1");
    displays.plug(kDisplay, {1920, 0, 2560, 1440}, false, "DP-1");
    displays.setMainDisplay(kDisplay);
    ExternalDisplayLoop docked(
        {controller, displays, builtIn, stats, logger, clock, defaults, surroundings, surroundings, folder / "data"});
    double slow = 0.7; // the sampler's slow luminance lags a jump
    const auto run = [&](double seconds, double L) {
        for (double t = 0.0; t < seconds; t += 0.1) {
            clock.advance(0.1);
            docked.tick();
            slow += 0.2 * (L - slow);
            docked.onLuminanceUpdate(slow, L);
            QTest::qWait(5);
        }
    };

    run(1.0, 0.7); // off unless asked for
    EXPECT_EQ(docked.active(), nullptr);
    defaults.setBool("adjustExternalDisplays", true);
    run(0.1, 0.7);
    ASSERT_NE(docked.active(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return controller.get(kDisplay).has_value(); }, 2000)); // read meanwhile
    run(0.5, 0.7);
    run(4.0, 0.3); // a jump to darker content: to the top of the band, not the fast track's wider one
    QTest::qWait(500);
    EXPECT_EQ(monitor().current, 56);
    EXPECT_LE(monitor().writes, 3);

    ASSERT_TRUE(controller.set(kDisplay, 0.4));
    docked.onManualChange(kDisplay, 0.4, AdjustmentSource::scroll);
    run(2.0, 0.3);
    QTest::qWait(500);
    EXPECT_EQ(monitor().current, 40); // the choice stands
    EXPECT_TRUE(std::filesystem::exists(folder / "data/monitors/DP-1/content_offsets.json"));
    EXPECT_FALSE(std::filesystem::exists(panelTable.filePath()));
    docked.resetCalibration(false); // the menu's reset forgets the monitor's table too
    EXPECT_EQ(files::readAll(folder / "data/monitors/DP-1/content_offsets.json"), "[]");
    displays.setMainDisplay(1); // the lid opens: the panel's own loop again
    run(0.2, 0.3);
    EXPECT_EQ(docked.active(), nullptr);
    // The day's writes survive a restart; used up, the menu names the monitor.
    EXPECT_NE(files::readAll(folder / "data/monitors/DP-1/writes_today.json"), std::nullopt);
    files::writeAtomically(folder / "data/monitors/DP-1/writes_today.json", R"({"day":"2025-03-14","writes":1000})");
    ExternalDisplayLoop restarted(
        {controller, displays, builtIn, stats, logger, clock, defaults, surroundings, surroundings, folder / "data"});
    displays.setMainDisplay(kDisplay);
    restarted.tick();
    EXPECT_EQ(restarted.monitorOutOfWrites(), "DP-1");
}

// Starts the tool and runs the event loop until its result comes.
std::optional<QByteArray> runToEnd(ToolRunner &runner, const FakeTool &tool, const QStringList &arguments = {})
{
    bool done = false;
    std::optional<QByteArray> result;
    runner.start(QString::fromStdString(tool.path().string()), arguments, [&](std::optional<QByteArray> output) {
        done = true;
        result = std::move(output);
    });
    EXPECT_FALSE(done); // never from inside start()
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 3000));
    return result;
}

TEST(ToolRunner, HandsBackTheOutputOfASuccessfulRunOnly)
{
    test::TempDir folder;
    ToolRunner runner;
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "echo", "printf '%s|' \"$@\""), {"a b", "", "c"}),
              QByteArray("a b||c|"));
    // A helper that fills its error pipe is not stalled.
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "chatty", "head -c 1000000 /dev/zero >&2; echo 42")),
              QByteArray("42\n"));
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "fails", "echo 50; exit 1")), std::nullopt);
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "crashes", "echo 50; kill -SEGV $$")), std::nullopt);
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "floods", "head -c 100000 /dev/zero; echo 50")), std::nullopt);
    bool called = false;
    runner.start(QString::fromStdString((folder / "missing").string()), {}, [&](auto output) {
        called = true;
        EXPECT_EQ(output, std::nullopt);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return called; }, 2000));
}

TEST(ToolRunner, OverrunningHelpersAreStoppedAndReapedByTheEventLoop)
{
    test::TempDir folder;
    ToolRunner runner(200ms, 100ms);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "stubborn", "trap '' TERM; sleep 5")), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 600ms);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return runner.stoppingCount() == 0;
        },
        2000));
}

} // namespace
