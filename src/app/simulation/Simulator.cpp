#include "Simulator.h"

#include "Rng.h"
#include "SimulatedUser.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "engine/FrontmostAppProvider.h"
#include "engine/ManualClock.h"
#include "engine/MemoryDefaults.h"
#include "output/SimulatedBrightness.h"
#include "sensing/AmbientLightSensor.h"
#include "sensing/SampleFilters.h"
#include "sensing/SimulatedLight.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

namespace lumvex::sim {

namespace {

constexpr double kTick = 0.1; // the sampler's period
constexpr double kDay = 86400.0;
// Monday 2025-03-03 00:00 UTC; the simulated machine runs in UTC.
const Timestamp kFirstMidnight = Timestamp::fromUnixSeconds(1740960000.0);

class CurrentApp final : public FrontmostAppProvider
{
public:
    std::optional<std::string> frontmostAppId() const override
    {
        return app.empty() ? std::nullopt : std::optional(app);
    }
    std::string app;
};

// Collects one day's figures as the ticks go by.
class DayMeter
{
public:
    void add(double perceived, double preferred)
    {
        m_errors.push_back(static_cast<float>(std::abs(perceived - preferred)));
        ++m_n;
        const double delta = perceived - m_mean;
        m_mean += delta / static_cast<double>(m_n);
        m_m2 += delta * (perceived - m_mean);
    }

    DayResult finish(int corrections, std::size_t writes)
    {
        DayResult day;
        day.corrections = corrections;
        day.writes = writes;
        day.activeSeconds = static_cast<double>(m_n) * kTick;
        if (m_n > 0) {
            double sum = 0.0;
            for (const float e : m_errors) {
                sum += e;
            }
            day.meanError = sum / static_cast<double>(m_n);
            const auto p95 = m_errors.begin() + static_cast<std::ptrdiff_t>(0.95 * static_cast<double>(m_n - 1));
            std::nth_element(m_errors.begin(), p95, m_errors.end());
            day.p95Error = *p95;
            const double variance = m_n > 1 ? m_m2 / static_cast<double>(m_n - 1) : 0.0;
            day.variation = m_mean > 0.0 ? std::sqrt(variance) / m_mean : 0.0;
        }
        *this = DayMeter();
        return day;
    }

private:
    std::vector<float> m_errors;
    std::size_t m_n = 0;
    double m_mean = 0.0;
    double m_m2 = 0.0;
};

// The classic light-sensor curve with an offset the user's corrections set.
class AmbientCurve
{
public:
    std::optional<double> target(std::optional<double> level) const
    {
        if (!level) {
            return std::nullopt;
        }
        return std::clamp(0.1 + 0.8 * *level + m_offset, 0.05, 1.0);
    }
    void correct(double brightness, std::optional<double> level)
    {
        if (level) {
            m_offset = brightness - (0.1 + 0.8 * *level);
        }
    }

private:
    double m_offset = 0.0;
};

} // namespace

std::string strategyName(Strategy strategy)
{
    switch (strategy) {
    case Strategy::lumvex:
        return "lumvex";
    case Strategy::fixed:
        return "fixed";
    case Strategy::ambientOnly:
        return "ambient";
    }
    return {};
}

RunResult simulate(const Trace &trace, Strategy strategy, const SimulationOptions &options)
{
    RunResult result{strategy, {}, {}, {}};
    ManualClock clock(kFirstMidnight);
    SimulatedBrightness backlight(0.5);
    SimulatedUser user(options.user.value_or(SimulatedUser::Taste::random(options.seed)));
    Rng noise(options.seed + 17);
    SampleFilters filters;
    auto light = std::make_unique<SimulatedLight>(100.0);
    SimulatedLight &room = *light;
    AmbientLightSensor ambient(std::move(light));

    // The engine, exactly as the program runs it, only for the strategy that uses it.
    CurrentApp app;
    MemoryDefaults defaults;
    std::unique_ptr<CalibrationModel> calibration;
    std::unique_ptr<DailyStats> stats;
    std::unique_ptr<AdjustmentLogger> logger;
    std::unique_ptr<CompensationLoop> loop;
    if (strategy == Strategy::lumvex) {
        defaults.setBool("autoAdjustEnabled", true);
        for (const auto &[key, value] : options.settings) {
            defaults.setBool(key, value);
        }
        calibration = std::make_unique<CalibrationModel>(options.outDir, clock);
        stats = std::make_unique<DailyStats>(options.outDir, clock);
        logger = std::make_unique<AdjustmentLogger>(options.outDir, clock, &app);
        loop = std::make_unique<CompensationLoop>(
            CompensationLoop::Collaborators{backlight, *calibration, *stats, *logger, clock, defaults});
        loop->ambientProvider = [&] { return ambient.read(); };
        loop->signatureProvider = [&] { return std::optional(filters.smoothedSignature()); };
    }
    AmbientCurve curve;

    std::size_t userWrites = 0;
    double nextPlot = 0.0;
    for (int d = 0; d < options.days && !trace.days.empty(); ++d) {
        const auto &segments = trace.days[static_cast<std::size_t>(d) % trace.days.size()];
        const Timestamp midnight = kFirstMidnight + d * kDay;
        DayMeter meter;
        int corrections = 0;
        const std::size_t writesBefore = backlight.writeCount() - userWrites;

        for (const Segment &s : segments) {
            for (double t = s.start; t < s.end; t += kTick) {
                clock.set(midnight + t);
                const double progress = s.end > s.start ? (t - s.start) / (s.end - s.start) : 0.0;
                const double lux = s.luxStart + (s.luxEnd - s.luxStart) * progress;
                room.setLux(lux);
                const double L = std::clamp(s.luminance + noise.jitter(s.flicker), 0.0, 1.0);
                filters.apply(L, s.signature);
                app.app = s.app;

                if (loop) {
                    loop->onLuminanceUpdate(filters.L_slow(), filters.L_fast());
                } else if (strategy == Strategy::ambientOnly) {
                    if (const auto target = curve.target(ambient.read())) {
                        const double b = backlight.get();
                        const double step = std::clamp(0.7 * (*target - b), -0.012, 0.012);
                        if (std::abs(step) > 0.003) {
                            backlight.set(b + step);
                        }
                    }
                }

                const double b = backlight.get();
                const double preferred = user.preferredPerceived(L, lux);
                meter.add(b * L, preferred);
                if (const auto chosen = user.observe(kTick, b, L, lux)) {
                    backlight.set(*chosen);
                    ++userWrites;
                    ++corrections;
                    result.corrections.push_back({clock.now() - kFirstMidnight, b, *chosen});
                    if (loop) {
                        loop->onManualChange(*chosen, "scroll");
                    } else if (strategy == Strategy::ambientOnly) {
                        curve.correct(*chosen, ambient.read());
                    }
                }
                const double elapsed = clock.now() - kFirstMidnight;
                if (elapsed >= nextPlot) {
                    result.plot.push_back({elapsed, L, backlight.get(), preferred});
                    nextPlot = elapsed + options.plotInterval;
                }
            }
        }
        result.days.push_back(meter.finish(corrections, backlight.writeCount() - userWrites - writesBefore));
        if (options.onDayDone) {
            options.onDayDone(d);
        }
    }
    return result;
}

} // namespace lumvex::sim
