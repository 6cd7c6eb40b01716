// SPDX-License-Identifier: MIT
// The screen reductions against the cost of merely reading the frame once.
#include "sensing/HistogramReducer.h"
#include "sensing/LuminanceReducer.h"
#include "sensing/ScreenReduction.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

using namespace lumvex;

namespace {

// A BGRA desktop-like frame: a soft gradient background with dark windows of text-like lines.
class Frame
{
public:
    Frame(int width, int height)
        : m_width(width)
        , m_height(height)
        , m_bytes(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4)
    {
        std::uint32_t noise = 12345;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                noise = noise * 1664525u + 1013904223u;
                std::uint8_t *pixel = m_bytes.data() + (static_cast<std::size_t>(y) * width + x) * 4;
                const bool inWindow = (x / 400) % 2 == 1 && (y / 300) % 2 == 0;
                const bool glyph = (y % 18) < 12 && (noise >> 28) < 7;
                const auto shade = static_cast<std::uint8_t>(60 + 160 * x / width + 30 * y / height);
                const std::uint8_t value = inWindow ? (glyph ? 220 : 30) : (glyph && x % 700 < 350 ? 20 : shade);
                pixel[0] = value;
                pixel[1] = static_cast<std::uint8_t>(value - value / 8);
                pixel[2] = static_cast<std::uint8_t>(value / 2 + 64);
                pixel[3] = 255;
            }
        }
    }

    ImageView view() const { return {m_bytes.data(), m_width, m_height, m_width * 4, PixelOrder::BGRA}; }
    std::size_t size() const { return m_bytes.size(); }

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_bytes;
};

void finish(benchmark::State &state, const Frame &frame)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(frame.size()));
}

// The memory-bandwidth floor: one plain read of every byte.
void BM_ReadPass(benchmark::State &state)
{
    const Frame frame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const std::uint8_t *bytes = frame.view().data;
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (std::size_t i = 0; i + 8 <= frame.size(); i += 8) {
            std::uint64_t word;
            std::memcpy(&word, bytes + i, 8);
            sum += word;
        }
        benchmark::DoNotOptimize(sum);
    }
    finish(state, frame);
}

// What the sampler runs on every capture.
void BM_ReduceScreen(benchmark::State &state)
{
    const Frame frame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        auto reduction = reduceScreen(frame.view(), 64, 4, 64);
        benchmark::DoNotOptimize(reduction);
    }
    finish(state, frame);
}

// The three reductions called one by one, three passes.
void BM_SeparateCalls(benchmark::State &state)
{
    const Frame frame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto &reducer = LuminanceReducer::shared();
    for (auto _ : state) {
        benchmark::DoNotOptimize(reducer.averageLuminance(frame.view(), 64));
        auto grid = reducer.luminanceGrid(frame.view(), 4);
        benchmark::DoNotOptimize(grid);
        benchmark::DoNotOptimize(HistogramReducer::signature(frame.view(), 64));
    }
    finish(state, frame);
}

void resolutions(benchmark::internal::Benchmark *benchmark)
{
    benchmark->Args({1920, 1080})->Args({3024, 1964})->Args({3840, 2160});
    benchmark->ArgNames({"w", "h"})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_ReadPass)->Apply(resolutions);
BENCHMARK(BM_ReduceScreen)->Apply(resolutions);
BENCHMARK(BM_SeparateCalls)->Apply(resolutions);

BENCHMARK_MAIN();
