// SPDX-License-Identifier: MIT
// What figures off by a little do to the brightness the loop writes: replays a simulated day through
// the real compensation loop twice, once with the exact content figures and once with each figure off
// by the given amounts (what a frame shrunk by the X server may change), the user's corrections the
// same in both. Prints the largest and the mean difference of the backlight over the day's ticks.
// Figures may also come stale, as from a capture while the whole screen keeps changing, here on every
// tick: with --glance the second replay reuses them as GlanceMemory does (the glance taken as exact),
// with --every-second it gives every second tick the figures of the one before.
// Usage: lumvex_replayed_day [--glance|--every-second] [SCENARIO] [LUMINANCE_ERROR] [DARK_ERROR]
//        [BRIGHT_ERROR] [SEED]
#include "app/simulation/Rng.h"
#include "app/simulation/Scenarios.h"
#include "app/simulation/SimulatedUser.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "engine/FrontmostAppProvider.h"
#include "engine/Settings.h"
#include "sensing/AmbientLightSensor.h"
#include "sensing/GlanceMemory.h"
#include "sensing/SampleFilters.h"
#include "simulated/ManualClock.h"
#include "simulated/MemoryDefaults.h"
#include "simulated/SimulatedBrightness.h"
#include "simulated/SimulatedLight.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

using namespace lumvex;

namespace {

constexpr double kTick = 0.1;
const Timestamp kMidnight = Timestamp::fromUnixSeconds(1740960000.0);

class NoApp final : public FrontmostAppProvider
{
public:
    std::optional<std::string> frontmostAppId() const override { return std::nullopt; }
};

// One built-in display, the room's sensor and the filters' smoothed signature; a sample every tick.
class Surroundings final : public AmbientLevelProvider, public ContentSignatureProvider, public MainDisplayProvider
{
public:
    Surroundings(AmbientLightSensor &ambient, const SampleFilters &filters)
        : m_ambient(ambient)
        , m_filters(filters)
    {}

    std::optional<double> ambientLevel() override { return m_ambient.read(); }
    std::optional<ContentSignature> smoothedSignature() override { return m_filters.smoothedSignature(); }
    std::optional<ContentSignature> latestSignature() override { return std::nullopt; }
    bool requestSignature() override { return false; }
    bool mainDisplayIsBuiltIn() const override { return true; }

private:
    AmbientLightSensor &m_ambient;
    const SampleFilters &m_filters;
};

struct Errors
{
    double luminance = 0.0;
    double dark = 0.0;
    double bright = 0.0;
    enum class Stale { never, glance, everySecond } stale = Stale::never;
};

// The backlight after every tick. Without `corrections` the simulated user makes them and they are
// recorded there by tick; with them, they are replayed.
std::vector<double> replay(const std::vector<sim::Segment> &day, const Errors &errors,
                           std::map<std::size_t, double> &corrections, bool userActs, std::uint64_t seed)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("lumvex-replayed-day-" + std::to_string(::getpid()) + (userActs ? "a" : "b"));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    ManualClock clock(kMidnight);
    SimulatedBrightness backlight(0.5);
    sim::SimulatedUser user(sim::SimulatedUser::Taste::random(seed));
    sim::Rng noise(seed + 17);
    SampleFilters filters;
    GlanceMemory glances;
    ScreenReduction previous;
    auto light = std::make_unique<SimulatedLight>(100.0);
    SimulatedLight &room = *light;
    AmbientLightSensor ambient(std::move(light));
    NoApp app;
    MemoryDefaults defaults;
    settings::set(defaults, settings::autoAdjust, true);
    CalibrationModel calibration(dir, clock);
    DailyStats stats(dir, clock);
    AdjustmentLogger logger(dir, clock, &app);
    Surroundings surroundings(ambient, filters);
    CompensationLoop loop(CompensationLoop::Collaborators{backlight, calibration, stats, logger, clock, defaults,
                                                          surroundings, surroundings, surroundings});

    std::vector<double> brightness;
    for (const sim::Segment &s : day) {
        for (double t = s.start; t < s.end; t += kTick) {
            clock.set(kMidnight + t);
            const double progress = s.end > s.start ? (t - s.start) / (s.end - s.start) : 0.0;
            const double lux = s.luxStart + (s.luxEnd - s.luxStart) * progress;
            room.setLux(lux);
            const double L = std::clamp(s.luminance + noise.jitter(s.flicker), 0.0, 1.0);
            ContentSignature seen = s.signature;
            seen.pctDark = std::clamp(seen.pctDark + errors.dark, 0.0, 1.0);
            seen.pctBright = std::clamp(seen.pctBright + errors.bright, 0.0, 1.0);
            seen.mean = std::clamp(seen.mean + errors.luminance, 0.0, 1.0);
            ScreenReduction figures{std::clamp(L + errors.luminance, 0.0, 1.0), {}, seen};
            if (errors.stale == Errors::Stale::glance) {
                const ScreenReduction glance{L, {}, s.signature};
                if (std::optional<ScreenReduction> recalled = glances.recall(glance)) {
                    figures = *recalled;
                } else {
                    glances.remember(glance, figures);
                }
            } else if (errors.stale == Errors::Stale::everySecond && brightness.size() % 2 == 1) {
                figures = previous;
            }
            previous = figures;
            filters.apply(figures.meanLuminance, figures.signature);
            loop.onLuminanceUpdate(filters.slowLuminance(), filters.fastLuminance());
            const std::size_t tick = brightness.size();
            std::optional<double> chosen;
            if (userActs) {
                chosen = user.observe(kTick, backlight.level(), L, lux);
                if (chosen) {
                    corrections[tick] = *chosen;
                }
            } else if (const auto it = corrections.find(tick); it != corrections.end()) {
                chosen = it->second;
            }
            if (chosen) {
                backlight.set(*chosen);
                loop.onManualChange(*chosen, AdjustmentSource::scroll);
            }
            brightness.push_back(backlight.level());
        }
    }
    std::filesystem::remove_all(dir);
    return brightness;
}

} // namespace

int main(int argc, char **argv)
{
    auto stale = Errors::Stale::never;
    if (argc > 1 && (std::string_view(argv[1]) == "--glance" || std::string_view(argv[1]) == "--every-second")) {
        stale = std::string_view(argv[1]) == "--glance" ? Errors::Stale::glance : Errors::Stale::everySecond;
        --argc;
        ++argv;
    }
    const std::string scenario = argc > 1 ? argv[1] : "office";
    const Errors errors{argc > 2 ? std::atof(argv[2]) : 0.01, argc > 3 ? std::atof(argv[3]) : 0.02,
                        argc > 4 ? std::atof(argv[4]) : 0.02, stale};
    const std::uint64_t seed = argc > 5 ? std::strtoull(argv[5], nullptr, 10) : 1;
    const auto trace = sim::makeScenario(scenario, 1, seed);
    if (!trace) {
        std::fprintf(stderr, "lumvex_replayed_day: unknown scenario %s\n", scenario.c_str());
        return 2;
    }
    std::map<std::size_t, double> corrections;
    const std::vector<double> exact = replay(trace->days.front(), {}, corrections, true, seed);
    const std::vector<double> off = replay(trace->days.front(), errors, corrections, false, seed);
    double largest = 0.0;
    double sum = 0.0;
    for (std::size_t i = 0; i < exact.size(); ++i) {
        const double difference = std::abs(exact[i] - off[i]);
        largest = std::max(largest, difference);
        sum += difference;
    }
    std::printf("%s seed %llu, figures off by %+.4f luminance, %+.4f dark, %+.4f bright%s: %zu ticks, %zu "
                "corrections, backlight differs by %.4f at most, %.5f on average\n",
                scenario.c_str(), static_cast<unsigned long long>(seed), errors.luminance, errors.dark, errors.bright,
                stale == Errors::Stale::glance        ? ", reused while a glance matches"
                : stale == Errors::Stale::everySecond ? ", every second tick stale"
                                                      : "",
                exact.size(), corrections.size(), largest,
                exact.empty() ? 0.0 : sum / static_cast<double>(exact.size()));
    return 0;
}
