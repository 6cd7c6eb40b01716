// SPDX-License-Identifier: MIT
#include "DdcTool.h"
#include "simulated/ddc/SimulatedMonitor.h"
#include "SteadyDdcClock.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

using namespace lumvex::ddc;

namespace {

// DDC runs at 100 kHz: nine clock cycles per byte.
constexpr std::chrono::microseconds kByteTime{90};

// One monitor on bus 5 behind connector DP-1, a lock folder of its own, the real clock and pauses.
struct Bench
{
    Bench()
        : monitor(clock, {50, 100})
        , lockFolder(std::filesystem::temp_directory_path() / ("lumvex-ddc-bench-" + std::to_string(::getpid())))
        , context{
              .clock = clock,
              .monitors = [] { return std::optional<std::vector<X11Monitor>>(); },
              .connectors =
                  [] {
                      return std::vector<DrmConnector>{{"card0-DP-1", "DP-1", true, {}, {}, 5}};
                  },
              .openBus =
                  [this](const auto &) {
                      return OpenedBus{monitor.connect(), {}, false};
                  },
              .deviceGroup = {},
              .timings = {},
              .root = "/",
              .lockFolder = lockFolder,
              .connectorOverride = "DP-1",
          }
    {
        monitor.setByteTime(kByteTime);
    }
    ~Bench() { std::filesystem::remove_all(lockFolder); }

    int run(const std::vector<std::string> &args)
    {
        std::ostringstream out;
        std::ostringstream err;
        return runTool(args, context, out, err);
    }

    SteadyDdcClock clock;
    SimulatedMonitor monitor;
    std::filesystem::path lockFolder;
    ToolContext context;
};

void ToolGet(benchmark::State &state)
{
    Bench bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.run({"display", "id=1", "get", "luminance"}));
    }
}
BENCHMARK(ToolGet)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every run changes the value, so every run also waits out the pause the previous write left.
void ToolSet(benchmark::State &state)
{
    Bench bench;
    bool high = false;
    for (auto _ : state) {
        high = !high;
        benchmark::DoNotOptimize(bench.run({"display", "id=1", "set", "luminance", high ? "60" : "40"}));
    }
    state.counters["writes"] = bench.monitor.writesApplied();
}
BENCHMARK(ToolSet)->Unit(benchmark::kMillisecond)->UseRealTime();

// The value is already there: a read, and no write.
void ToolSetUnchanged(benchmark::State &state)
{
    Bench bench;
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench.run({"display", "id=1", "set", "luminance", "50"}));
    }
    state.counters["writes"] = bench.monitor.writesApplied();
}
BENCHMARK(ToolSetUnchanged)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
