// SPDX-License-Identifier: MIT
// What one capture and reduction of a Wayland output costs over wlroots screencopy, on a private
// headless sway (run by run.sh through tests/support/run-with-sway.sh): for a still screen and for
// one that a fullscreen window repaints on every frame, copying only after a drawing (when-drawn) or
// every time. Changing-screen captures are paced at the sampler's 10 Hz and measured after 4 s of it;
// "sway_ms" is the compositor's CPU time per capture, the repainting included (RepaintingAlone shows
// that part).
#include "platform/linux/wayland/WlrScreencopyCapture.h"
#include "sensing/BusyScreenPace.h"
#include "support/wayland/WaylandRepainter.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

using namespace lumvex;

namespace {

constexpr auto kTick = std::chrono::milliseconds(100);
constexpr int kPacedTicks = 30;

// CPU time of the compositor in nanoseconds, summed over its threads; 0 when it cannot be read.
long long compositorCpuNs()
{
    const char *pid = std::getenv("LUMVEX_SWAY_PID");
    if (pid == nullptr) {
        return 0;
    }
    long long total = 0;
    std::error_code error;
    for (const auto &task : std::filesystem::directory_iterator(std::string("/proc/") + pid + "/task", error)) {
        std::ifstream stat(task.path() / "schedstat");
        long long ns = 0;
        if (stat >> ns) {
            total += ns;
        }
    }
    return total;
}

// Reports the compositor's CPU per iteration since `start`, and the frames copied per iteration.
class Accounting
{
public:
    explicit Accounting(const WlrScreencopyCapture &capture)
        : m_capture(capture)
        , m_cpu(compositorCpuNs())
        , m_frames(capture.framesRead())
    {}

    void report(benchmark::State &state) const
    {
        using benchmark::Counter;
        state.counters["sway_ms"] =
            Counter(static_cast<double>(compositorCpuNs() - m_cpu) / 1e6, Counter::kAvgIterations);
        state.counters["copies"] = Counter(m_capture.framesRead() - m_frames, Counter::kAvgIterations);
    }

private:
    const WlrScreencopyCapture &m_capture;
    const long long m_cpu;
    const int m_frames;
};

bool prime(benchmark::State &state, WlrScreencopyCapture &capture)
{
    for (int i = 0; i < 50; ++i) {
        if (capture.captureAndReduce()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    state.SkipWithError("no capture of HEADLESS-1");
    return false;
}

WlrScreencopyCapture::Mode modeOf(const benchmark::State &state)
{
    return state.range(0) == 0 ? WlrScreencopyCapture::Mode::WhenDrawn : WlrScreencopyCapture::Mode::EveryTime;
}

void setLabel(benchmark::State &state)
{
    const char *size = std::getenv("LUMVEX_SWAY_RESOLUTION");
    state.SetLabel(std::string(state.range(0) == 0 ? "when-drawn " : "every-time ") + (size ? size : "1920x1080"));
}

// Back to back: the cost of a capture itself, whatever the sampler's pace.
void StillScreen(benchmark::State &state)
{
    WlrScreencopyCapture capture("HEADLESS-1", modeOf(state));
    if (!prime(state, capture)) {
        return;
    }
    // Lets the extra copy that starts the compositor's damage watch come and go.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    capture.captureAndReduce();
    const Accounting accounting(capture);
    for (auto _ : state) {
        benchmark::DoNotOptimize(capture.captureAndReduce());
    }
    accounting.report(state);
    setLabel(state);
}

void ChangingScreen(benchmark::State &state)
{
    test::WaylandRepainter repainter;
    if (!repainter.waitUntilShown()) {
        state.SkipWithError("the repainting window did not show");
        return;
    }
    WlrScreencopyCapture capture("HEADLESS-1", modeOf(state));
    if (!prime(state, capture)) {
        return;
    }
    // Measured once the capture has settled into its pace for a screen that keeps changing.
    for (int tick = 0; tick < BusyScreenPace::kSettleTicks + 10; ++tick) {
        std::this_thread::sleep_for(kTick);
        capture.captureAndReduce();
    }
    const Accounting accounting(capture);
    for (auto _ : state) {
        state.PauseTiming();
        std::this_thread::sleep_for(kTick);
        state.ResumeTiming();
        benchmark::DoNotOptimize(capture.captureAndReduce());
    }
    accounting.report(state);
    setLabel(state);
}

// The compositor's work for the repainting window alone, per tick, to take off the figures above.
void RepaintingAlone(benchmark::State &state)
{
    test::WaylandRepainter repainter;
    if (!repainter.waitUntilShown()) {
        state.SkipWithError("the repainting window did not show");
        return;
    }
    const long long before = compositorCpuNs();
    const long frames = repainter.framesShown();
    for (auto _ : state) {
        state.PauseTiming();
        std::this_thread::sleep_for(kTick);
        state.ResumeTiming();
    }
    using benchmark::Counter;
    state.counters["sway_ms"] = Counter(static_cast<double>(compositorCpuNs() - before) / 1e6, Counter::kAvgIterations);
    state.counters["repaints"] =
        Counter(static_cast<double>(repainter.framesShown() - frames), Counter::kAvgIterations);
}

} // namespace

BENCHMARK(StillScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ChangingScreen)->Arg(0)->Arg(1)->Iterations(kPacedTicks)->Unit(benchmark::kMillisecond);
BENCHMARK(RepaintingAlone)->Iterations(kPacedTicks)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
