// SPDX-License-Identifier: MIT
#include "app/simulation/Population.h"
#include "app/simulation/Scenarios.h"
#include "app/simulation/SimulateCommand.h"
#include "app/simulation/SimulatedUser.h"
#include "app/simulation/Simulator.h"
#include "base/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
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

} // namespace

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
        {{"--days", "-3"}, "--days: must be within 1...366"},
        {{"--days", "100000"}, "--days: must be within 1...366, not \"100000\""},
        {{"--days", "2147483647", "--trace", (dir / "no-t.jsonl").string()}, "--days: must be within 1...366"},
        {{"--days", "3", "--days", "4"}, "--days is given twice"},
        {{"--population", "300"}, "a run simulates at most 3000 days (users x days x strategies), not 6300"},
        {{"--seed", "18446744073709551615", "--population", "2"}, "past the largest seed"},
        {{"--taste", "exponent=0.5", "--taste", "exponent=0.6"}, "--taste: exponent is given twice"},
        {{"--trace", (dir / "no-t.jsonl").string(), "--scenario", "bogus"}, "does not go with --scenario"},
        {{"--trace", ""}, "--trace needs a value, not an empty one"},
        {{"--plot", "/dev/full"}, "--plot: \"/dev/full\" is not a regular file"},
        {{"--plot", (dir / "gone/p.svg").string()}, "--plot: cannot write in the folder"},
        {{"--scenario", "\x1b]0;x\a"}, "unknown scenario \"\\x1b]0;x\\x07\""},
        {{"--days", "two"}, "--days: not a whole number"},
        {{"--trace", (dir / "missing.jsonl").string()}, "missing.jsonl: cannot be read"},
        {{"--trace", (dir / "\x1b[2J.jsonl").string()}, "/\\x1b[2J.jsonl: cannot be read"},
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
        {{"--population", "1000"}, "--population: must be within 1...300"},
        {{"--table", "wide"}, "--table: brief or full, not \"wide\""},
        {{"--population", "2", "--plot", (dir / "p.svg").string()}, "does not go with --population"},
        {{"--set", "rememberBrightnessPerSituation=yes"}, "takes true or false, not \"yes\""},
        {{"--set", "volume=1"}, "--set: unknown setting \"volume\""},
        {{"--set", "rememberBrightnessPerSituation=true", "--set", "rememberBrightnessPerSituation=false"},
         "--set: rememberBrightnessPerSituation is given twice"},
        {{"--set", "rememberBrightnessPerSituation"}, "--set: expected KEY=VALUE"},
        {{"--behaviour", "sloppy"}, "--behaviour: unknown behaviour \"sloppy\" (known: jump, notch,"},
    };
    for (const auto &c : cases) {
        const auto result = run(c.args, dir / "root");
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_FALSE(fs::exists(dir / "root"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "used"), fs::directory_iterator()), 1);
}

TEST(SimulateCommand, SaysWhatItFoundFirstInATableThatFits100ColumnsAndDrawsItsPlot)
{
    test::TempDir dir;
    // The arguments, and parts of what is printed in their order.
    const std::pair<std::vector<std::string>, std::vector<std::string>> cases[] = {
        {{"--days", "1", "--compare"},
         {"\nOver 1 day the simulated user corrected the brightness ", " with Lumvex, ", "ambient-only curve.\n\nday ",
          "corrections", "p95 |P-pref|", "\nall ", "summary.csv\nPlot: "}},
        // Each user with the taste and setting given, learning in a folder of their own.
        {{"--population", "3", "--days", "1", "--scenario", "night-reading", "--taste", "exponent=0", "--taste",
          "patience=4", "--set", "rememberBrightnessPerSituation=true"},
         {"\nOver 1 day the median of 3 simulated users corrected the brightness ", "worst user ",
          "brightness.\n\nuser ", "ambient", "\n   1     1 0.00", "\n   3     3 0.00  1.", " 4.0 | ", "\nsum ",
          "\nmedian ", "\nworst ", "\nUsers worse off than fixed: ", "\nChoices taken back: lumvex 0, "}},
        {{"--days", "1", "--scenario", "docked-day", "--compare"}, {"mean |P-pref|", "display writes", "\nall "}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        auto args = cases[i].first;
        const fs::path out = dir / std::to_string(i);
        args.insert(args.end(), {"--out", out.string()});
        const auto result = run(args, dir / "root");
        ASSERT_EQ(result.status, 0) << result.err;
        std::size_t at = 0;
        for (const std::string &part : cases[i].second) {
            at = result.out.find(part, at);
            EXPECT_NE(at, std::string::npos) << part << '\n' << result.out;
        }
        std::istringstream lines(result.out);
        for (std::string line; std::getline(lines, line);) {
            EXPECT_TRUE(line.size() <= 100 || line.find(out.string()) != std::string::npos) << line;
        }
    }
    EXPECT_NE(files::readAll(dir / "0/plot.svg").value_or("").find("<svg"), std::string::npos);
    EXPECT_NE(files::readAll(dir / "0/summary.csv").value_or("").find(",choices_taken_back\n1,lumvex,"),
              std::string::npos);
    EXPECT_NE(files::readAll(dir / "1/user-03/content_offsets.json").value_or("").find("\"brightness\":"),
              std::string::npos);
}

TEST(Simulation, RememberedBrightnessLearnsHowMuchOfTheContentEachUserWantsCompensated)
{
    // Users who want the light held steady, at the office, reading at night (where one notch near the bottom
    // of the range is a large step of light) and docked with the lid closed (fewer than 1,000 writes a day to
    // the monitor; a day's corrections fall more slowly there: no light sensor, whole points, rationed writes):
    // they learn to need half the corrections. Users who want the content's own contrast: no more corrections
    // than with fixed brightness, where they hardly correct at all.
    const std::tuple<const char *, std::uint64_t, std::uint64_t, double> cases[] = {
        {"office", 1, 1, 0.0}, {"night-reading", 8, 1, 0.0}, {"docked-day", 1, 1, 0.0}, {"office", 1, 6, 1.0}};
    for (const auto &[scenario, first, users, exponent] : cases) {
        SCOPED_TRACE(scenario + std::to_string(exponent));
        const int days = exponent == 0.0 ? 14 : 7;
        const auto total = [](const RunResult &r) {
            return std::accumulate(r.days.begin(), r.days.end(), 0,
                                   [](int n, const DayResult &d) { return n + d.corrections; });
        };
        int lumvex = 0;
        int fixed = 0;
        for (std::uint64_t seed = first; seed < first + users; ++seed) {
            test::TempDir dir;
            SimulationOptions options;
            options.days = days;
            options.seed = seed;
            options.user = TasteChoice{exponent, {}, {}}.appliedTo(SimulatedUser::Taste::random(seed));
            options.outDir = dir.path();
            options.settings["rememberBrightnessPerSituation"] = true;
            const Trace trace = *makeScenario(scenario, days, seed);
            const RunResult run = simulate(trace, Strategy::lumvex, options);
            EXPECT_TRUE(exponent > 0.0 ||
                        run.days.back().corrections * (trace.lidClosed ? 1 : 2) <= run.days.front().corrections);
            EXPECT_LT(std::ranges::max(run.days, {}, &DayResult::displayWrites).displayWrites, 1000u);
            lumvex += total(run);
            fixed += total(simulate(trace, Strategy::fixed, options));
        }
        EXPECT_LE(lumvex * (exponent == 0.0 ? 2 : 1), fixed);
    }
}
