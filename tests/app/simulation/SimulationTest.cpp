// SPDX-License-Identifier: MIT
#include "app/simulation/Population.h"
#include "app/simulation/Scenarios.h"
#include "app/simulation/SimulateCommand.h"
#include "app/simulation/SimulatedUser.h"
#include "app/simulation/Simulator.h"
#include "app/simulation/SvgPlot.h"
#include "base/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <sstream>

using namespace lumvex;
using namespace lumvex::sim;
namespace fs = std::filesystem;

namespace {

struct CommandResult
{
    int status;
    std::string out;
    std::string err;
};

CommandResult run(const std::vector<std::string> &args, const fs::path &root)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = runSimulateCommand(args, root, out, err, false);
    return {status, out.str(), err.str()};
}

std::size_t entriesIn(const fs::path &folder)
{
    if (!fs::exists(folder)) {
        return 0;
    }
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

RunResult simulateOffice(int days, std::uint64_t seed, Strategy strategy, const fs::path &out,
                         std::optional<SimulatedUser::Taste> user = std::nullopt)
{
    SimulationOptions options;
    options.days = days;
    options.seed = seed;
    options.outDir = out;
    options.user = user;
    return simulate(*makeScenario("office", days, seed), strategy, options);
}

// A fussy reader who wants the content's own contrast: the loop's lift of dark content annoys them
// until it has learned better.
const SimulatedUser::Taste kContentIndifferent{{0.05, 0.11, 0.2, 0.32}, 1.0, 1.15, 4.0};

} // namespace

TEST(Simulation, SameSeedSameResultAndFiles)
{
    test::TempDir dir;
    const RunResult a = simulateOffice(2, 7, Strategy::lumvex, dir / "a");
    const RunResult b = simulateOffice(2, 7, Strategy::lumvex, dir / "b");
    EXPECT_EQ(a.days[1].meanError, b.days[1].meanError);
    for (const char *name : {"content_offsets.json", "dailystats.json", "adjustments.csv"}) {
        EXPECT_EQ(files::readAll(dir / "a" / name), files::readAll(dir / "b" / name)) << name;
    }
    const RunResult other = simulateOffice(2, 8, Strategy::lumvex, dir / "c");
    EXPECT_NE(a.days[0].meanError, other.days[0].meanError);
}

TEST(Simulation, LumvexLearnsAndCorrectionsFallOverTwoWeeks)
{
    test::TempDir dir;
    const RunResult run = simulateOffice(14, 1, Strategy::lumvex, dir.path(), kContentIndifferent);
    ASSERT_EQ(run.days.size(), 14u);
    const auto corrections = [&](std::size_t from, std::size_t to) {
        int sum = 0;
        for (std::size_t d = from; d < to; ++d) {
            sum += run.days[d].corrections;
        }
        return sum;
    };
    // The first day teaches the most; the last days average less than half of it.
    EXPECT_LT(corrections(11, 14) * 2, corrections(0, 1) * 3);
    // What was learned is on disk, in the program's own formats.
    EXPECT_GT(files::readAll(dir / "content_offsets.json").value_or("").size(), 2u);
    EXPECT_NE(files::readAll(dir / "dailystats.json").value_or("").find("\"2025-03-03\":"), std::string::npos);
    EXPECT_NE(files::readAll(dir / "adjustments.csv").value_or("").find(",scroll,"), std::string::npos);
}

TEST(Simulation, ComparisonStrategiesMoveTheBacklightTheirOwnWay)
{
    test::TempDir dir;
    const RunResult fixed = simulateOffice(1, 1, Strategy::fixed, dir.path());
    const RunResult ambient = simulateOffice(1, 1, Strategy::ambientOnly, dir.path());
    EXPECT_EQ(fixed.days[0].writes, 0u);
    EXPECT_GT(fixed.days[0].corrections, 0);
    EXPECT_GT(ambient.days[0].writes, 0u);
    EXPECT_EQ(entriesIn(dir.path()), 0u); // only the loop writes files

    EXPECT_NE(renderPlot(fixed, "fixed <1>").find("fixed &lt;1&gt;"), std::string::npos);
}

TEST(Simulation, OnALaptopDayTheLoopNeitherLearnsTheDesktopNorLosesTheUser)
{
    test::TempDir dir;
    const Trace trace = *makeScenario("laptop-day", 2, 1);
    ASSERT_EQ(trace.events.size(), 2u);
    SimulationOptions options;
    options.days = 2;
    options.outDir = dir.path();
    const RunResult lumvex = simulate(trace, Strategy::lumvex, options);
    const RunResult ambient = simulate(trace, Strategy::ambientOnly, options);
    for (std::size_t d = 0; d < 2; ++d) {
        EXPECT_EQ(lumvex.days[d].desktopChangesLearned, 0);
        EXPECT_EQ(lumvex.days[d].userChangesLost, 0);
        // The meter sees what a tool that writes without looking does to key presses.
        EXPECT_GT(ambient.days[d].userChangesLost, 0);
    }
}

TEST(SimulateCommand, RunsScenariosAndReplaysTelemetry)
{
    test::TempDir dir;
    const auto result =
        run({"--days", "1", "--compare", "--plot", (dir / "plot.svg").string(), "--out", (dir / "out").string()},
            dir / "root");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.out.find("corrections"), std::string::npos);
    EXPECT_NE(result.out.find("ambient"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir / "plot.svg"));
    EXPECT_TRUE(fs::exists(dir / "out/adjustments.csv"));
    EXPECT_EQ(entriesIn(dir / "root"), 0u);

    // Two rows a second for ten minutes on two days, dark then bright content.
    std::string trace;
    for (const double day : {1741910400.0, 1741996800.0}) {
        for (int i = 0; i < 1200; ++i) {
            char row[160];
            std::snprintf(row, sizeof row, R"({"schema":1,"t":%.3f,"lum_raw":%.4f,"amb_lux":120.0,"app_id":"x"})",
                          day + 36000 + i * 0.5, i < 600 ? 0.1 : 0.85);
            trace += row;
            trace += '\n';
        }
        trace += R"({"schema":1,"t":)" + std::to_string(day + 36700) + R"(,"trigger":"app_switch"})" + "\n";
    }
    ASSERT_TRUE(files::writeAtomically(dir / "trace.jsonl", trace));
    const auto replay = run({"--trace", (dir / "trace.jsonl").string()}, dir / "root");
    ASSERT_EQ(replay.status, 0) << replay.err;
    EXPECT_NE(replay.out.find("2 days"), std::string::npos);
    EXPECT_EQ(entriesIn(dir / "root"), 1u); // a new folder of its own
}

TEST(SimulateCommand, BadInputIsOneClearLineAndWritesNothing)
{
    test::TempDir dir;
    ASSERT_TRUE(files::writeAtomically(dir / "no-t.jsonl", "{\"t\":1,\"lum_raw\":0.5}\n{\"lum_raw\":0.5}\n"));
    ASSERT_TRUE(files::writeAtomically(dir / "bad-json.jsonl", "{\"t\":1,\"lum_raw\":0.5}\nnot json\n"));
    ASSERT_TRUE(files::writeAtomically(dir / "bad-type.jsonl", "{\"t\":\"noon\",\"lum_raw\":0.5}\n"));
    ASSERT_TRUE(
        files::writeAtomically(dir / "far-t.jsonl", "{\"t\":1,\"lum_raw\":0.5}\n{\"t\":1.5e31,\"lum_raw\":0.5}\n"));
    ASSERT_TRUE(
        files::writeAtomically(dir / "long.jsonl", "{\"t\":1,\"lum_raw\":0.5," + std::string(1 << 20, ' ') + "}\n"));
    ASSERT_EQ(::mkfifo((dir / "fifo.jsonl").c_str(), 0600), 0);
    fs::create_directories(dir / "used");
    ASSERT_TRUE(files::writeAtomically(dir / "used/content_offsets.json", "[]"));

    const struct
    {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {{"--scenario", "beach"}, "unknown scenario \"beach\""},
        {{"--days", "-3"}, "--days: must be at least 1"},
        {{"--days", "two"}, "--days: not a whole number"},
        {{"--trace", (dir / "missing.jsonl").string()}, "missing.jsonl: cannot be read"},
        {{"--trace", (dir / "no-t.jsonl").string()}, "no-t.jsonl:2: field \"t\": missing"},
        {{"--trace", (dir / "bad-json.jsonl").string()}, "bad-json.jsonl:2: not a JSON object"},
        {{"--trace", (dir / "bad-type.jsonl").string()}, "bad-type.jsonl:1: field \"t\": not a finite number"},
        {{"--trace", (dir / "far-t.jsonl").string()}, "far-t.jsonl:2: field \"t\": not a time between 1970 and 2100"},
        {{"--trace", (dir / "long.jsonl").string()}, "long.jsonl:1: line longer than 64 KB"},
        {{"--trace", (dir / "fifo.jsonl").string()}, "fifo.jsonl: cannot be read (not a regular file)"},
        {{"--out", (dir / "used").string()}, "choose a folder without Lumvex files"},
        {{"--frobnicate"}, "unknown option"},
        {{"--taste", "exponent=1.5"}, "--taste: exponent must be within 0...1, not 1.5"},
        {{"--taste", "exponent=0,colour=3"}, "--taste: unknown part \"colour\""},
        {{"--taste", "patience"}, "--taste: expected NAME=VALUE"},
        {{"--taste", "tolerance=wide"}, "--taste: tolerance is not a number"},
        {{"--population", "0"}, "--population: must be within 1...1000"},
        {{"--population", "2", "--plot", (dir / "p.svg").string()}, "does not go with --population"},
        {{"--set", "rememberBrightnessPerSituation=yes"}, "takes true or false, not \"yes\""},
        {{"--set", "volume=1"}, "--set: unknown setting \"volume\""},
        {{"--set", "rememberBrightnessPerSituation"}, "--set: expected KEY=VALUE"},
    };
    for (const auto &c : cases) {
        const auto result = run(c.args, dir / "root");
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(fs::exists(dir / "root"));
    EXPECT_EQ(entriesIn(dir / "used"), 1u);
}

TEST(SimulateCommand, PopulationComparesEveryUserWithTheTasteAndSettingGiven)
{
    test::TempDir dir;
    const auto result =
        run({"--population", "3", "--days", "1", "--scenario", "night-reading", "--taste", "exponent=0,patience=4",
             "--set", "rememberBrightnessPerSituation=true", "--out", (dir / "out").string()},
            dir / "root");
    ASSERT_EQ(result.status, 0) << result.err;
    for (const char *row : {"\n   1     1 0.00", "\n   2     2 0.00", "\n   3     3 0.00", "\nsum ", "\nmedian ",
                            "\nworst ", "\nUsers worse off than fixed: "}) {
        EXPECT_NE(result.out.find(row), std::string::npos) << row << '\n' << result.out;
    }
    EXPECT_NE(result.out.find(" 4.0 | "), std::string::npos) << result.out;
    EXPECT_NE(result.out.find("ambient"), std::string::npos);
    // Each user learns in a folder of their own, with the setting on.
    EXPECT_NE(files::readAll(dir / "out/user-03/content_offsets.json").value_or("").find("\"brightness\":"),
              std::string::npos);
}

TEST(Simulation, RememberedBrightnessTeachesAUserWhoWantsTheLightHeldSteady)
{
    // At the office, and reading at night, where one notch near the bottom of the range is a large step of light.
    const std::pair<const char *, std::uint64_t> cases[] = {{"office", 1}, {"night-reading", 8}};
    for (const auto &[scenario, seed] : cases) {
        SCOPED_TRACE(scenario);
        test::TempDir dir;
        SimulationOptions options;
        options.days = 14;
        options.seed = seed;
        options.outDir = dir.path();
        options.user = TasteChoice{0.0, std::nullopt, std::nullopt}.appliedTo(SimulatedUser::Taste::random(seed));
        options.settings["rememberBrightnessPerSituation"] = true;
        const Trace trace = *makeScenario(scenario, 14, seed);
        const RunResult run = simulate(trace, Strategy::lumvex, options);
        ASSERT_EQ(run.days.size(), 14u);
        EXPECT_LT(run.days[13].corrections * 2, run.days[0].corrections);
        const auto total = [](const RunResult &r) {
            return std::accumulate(r.days.begin(), r.days.end(), 0,
                                   [](int sum, const DayResult &d) { return sum + d.corrections; });
        };
        EXPECT_LE(total(run) * 2, total(simulate(trace, Strategy::fixed, options)));
    }
}
