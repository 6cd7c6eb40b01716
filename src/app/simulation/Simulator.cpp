// SPDX-License-Identifier: MIT
#include "Simulator.h"

#include "Rng.h"
#include "SimulatedUser.h"
#include "app/shell/BrightnessPoll.h"
#include "app/shell/DesktopChangeGuard.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/ControlLaw.h"
#include "engine/DailyStats.h"
#include "engine/FrontmostAppProvider.h"
#include "engine/Settings.h"
#include "output/RationedBrightness.h"
#include "sensing/AmbientLightSensor.h"
#include "sensing/LightSource.h"
#include "sensing/SampleFilters.h"
#include "simulated/ManualClock.h"
#include "simulated/MemoryDefaults.h"
#include "simulated/SimulatedBrightness.h"
#include "simulated/SimulatedLight.h"
#include "simulated/ddc/FakeDdcClock.h"
#include "simulated/ddc/SimulatedMonitor.h"

#include "DdcChannel.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <utility>

namespace lumvex::sim {

namespace {

constexpr double kTick = 0.1; // the sampler's period
constexpr double kPollPeriod = 0.25;
constexpr double kDay = 86400.0;
// A user change that something else writes over this soon is lost.
constexpr double kOverwriteWindow = 1.0;
// The desktop's idle and lock dimming, and how long a panel reads 0 after wake.
constexpr double kDimFactor = 0.3;
constexpr double kDarkAfterWake = 1.5;
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
// The loop's surroundings in a simulated day: the room's light sensor, the filters' signatures and
// whether a monitor is docked. Every tick brings a sample, so no capture is ever asked for.
class LoopSurroundings final : public AmbientLevelProvider, public ContentSignatureProvider, public MainDisplayProvider
{
public:
    LoopSurroundings(AmbientLightSensor &ambient, const SampleFilters &filters, const bool &docked)
        : m_ambient(ambient)
        , m_filters(filters)
        , m_docked(docked)
    {}

    std::optional<double> ambientLevel() override { return lastAmbient = m_ambient.read(); }
    std::optional<ContentSignature> smoothedSignature() override { return m_filters.smoothedSignature(); }
    std::optional<ContentSignature> latestSignature() override { return m_filters.latestSignature(); }
    bool requestSignature() override { return false; }
    bool mainDisplayIsBuiltIn() const override { return !m_docked; }

    // The level last read; reading advances the sensor's smoothing, so the run's own meters look here.
    std::optional<double> lastAmbient;

private:
    AmbientLightSensor &m_ambient;
    const SampleFilters &m_filters;
    const bool &m_docked;
};

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

enum class Writer { none, user, desktop, tool };

// A monitor reached over DDC/CI, as the helper drives it: every write starts the helper, which reads the
// monitor's scale and then sets the level, with the pauses the protocol asks for on a 100 kHz bus. The
// light changes when the write is through; levels are whole points of 0-100.
class DdcLink
{
public:
    // Starting the helper process before it talks to the bus.
    static constexpr double kHelperStart = 0.03;

    explicit DdcLink(double initial)
        : m_monitor(m_clock, {static_cast<std::uint16_t>(std::lround(initial * 100.0)), 100})
        , m_channel(m_monitor, m_clock)
    {
        m_monitor.setByteTime(std::chrono::microseconds(90));
    }

    static double quantised(double level) { return std::round(std::clamp(level, 0.0, 1.0) * 100.0) / 100.0; }

    // How long the write takes until the monitor shows the level.
    double write(double level)
    {
        ++m_writes;
        const auto before = m_clock.slept();
        m_channel.read(ddc::kBrightnessCode);
        m_channel.write(ddc::kBrightnessCode, static_cast<std::uint16_t>(std::lround(quantised(level) * 100.0)));
        return kHelperStart + std::chrono::duration<double>(m_clock.slept() - before).count();
    }
    std::size_t writes() const { return m_writes; }

private:
    ddc::FakeDdcClock m_clock;
    ddc::SimulatedMonitor m_monitor;
    ddc::DdcChannel m_channel;
    std::size_t m_writes = 0;
};

// The panel, remembering who wrote it last; the tool's writes come through set().
class TrackedBacklight final : public BrightnessController
{
public:
    explicit TrackedBacklight(double initial)
        : m_panel(initial)
    {}

    // Over DDC/CI the program reads the level it last asked for; the monitor shows it once written.
    std::optional<double> get() override { return m_ddc ? m_asked : level(); }
    // The simulated panel always has a level.
    double level() const { return m_panel.level(); }
    bool set(double value) override
    {
        if (m_ddc) {
            m_asked = DdcLink::quantised(value);
            m_showAt = m_now + m_ddc->write(value);
            m_lastWriter = Writer::tool;
        } else {
            write(value, Writer::tool);
        }
        ++m_toolWrites;
        if (onToolWrite) {
            onToolWrite();
        }
        return true;
    }
    void write(double value, Writer writer)
    {
        if (m_ddc) {
            // The user's scroll is a write like any other; its own feedback comes at once.
            m_ddc->write(value);
            value = m_asked = DdcLink::quantised(value);
            m_showAt.reset();
        }
        m_panel.set(value);
        m_lastWriter = writer;
    }
    // From here on the display is a monitor over DDC/CI.
    void overDdc(DdcLink &link)
    {
        m_ddc = &link;
        m_asked = DdcLink::quantised(level());
        m_panel.set(m_asked);
    }
    // Shows a written level once its write is through.
    void tick(double now)
    {
        m_now = now;
        if (m_showAt && now >= *m_showAt) {
            m_panel.set(m_asked);
            m_showAt.reset();
        }
    }

    Writer lastWriter() const { return m_lastWriter; }
    std::size_t toolWrites() const { return m_toolWrites; }
    std::function<void()> onToolWrite;

private:
    SimulatedBrightness m_panel;
    Writer m_lastWriter = Writer::none;
    std::size_t m_toolWrites = 0;
    DdcLink *m_ddc = nullptr;
    double m_asked = 0.0;
    std::optional<double> m_showAt;
    double m_now = 0.0;
};

// The user's changes as they fare: written over within a second, learned or not.
class UserChangeMeter
{
public:
    explicit UserChangeMeter(bool strategyLearns)
        : m_strategyLearns(strategyLearns)
    {}

    void changed(double t)
    {
        finish();
        m_open = Open{t, false, false};
    }
    void learned()
    {
        if (m_open) {
            m_open->learned = true;
        }
    }
    void toolWrote(double t, Writer before)
    {
        if (m_open && before == Writer::user && t - m_open->t <= kOverwriteWindow) {
            m_open->overwritten = true;
        }
    }
    // Closes the day: the last change is judged too.
    int lost()
    {
        finish();
        return std::exchange(m_lost, 0);
    }

private:
    struct Open
    {
        double t;
        bool learned;
        bool overwritten;
    };
    void finish()
    {
        if (m_open && (m_open->overwritten || (m_strategyLearns && !m_open->learned))) {
            ++m_lost;
        }
        m_open.reset();
    }

    const bool m_strategyLearns;
    std::optional<Open> m_open;
    int m_lost = 0;
};

// The user's last choice while its situation holds (the same situation and a working luminance within the
// loop's margin of its value then): taken back when the strategy moves the panel 0.02 or more away from it.
class ChoiceMeter
{
public:
    static constexpr double kTakenBack = 0.02;

    void chose(double level, const SituationBucket &situation, double luminance)
    {
        m_choice = Choice{level, situation, luminance};
        m_open = true;
    }
    void close() { m_open = false; }
    // After the strategy's turn on a tick; `situation` gives the one on screen.
    template<typename Situation>
    void look(double panel, Writer lastWriter, Situation &&situation, double luminance)
    {
        if (!m_open) {
            return;
        }
        if (situation() != m_choice.situation ||
            std::abs(luminance - m_choice.luminance) > CompensationLoop::kChoiceLuminanceMargin) {
            m_open = false; // the screen or the light moved on
        } else if (lastWriter == Writer::tool && std::abs(panel - m_choice.level) >= kTakenBack - 1e-6) {
            ++m_takenBack;
            m_open = false;
        }
    }
    int takenBack() { return std::exchange(m_takenBack, 0); }

private:
    struct Choice
    {
        double level = 0.0;
        SituationBucket situation{};
        double luminance = 0.0;
    };
    // A flag beside a value, not an optional: GCC 12 sees uninitialised use in one at -O2.
    Choice m_choice;
    bool m_open = false;
    int m_takenBack = 0;
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
    TrackedBacklight backlight(0.5);
    SimulatedUser user(options.user.value_or(SimulatedUser::Taste::random(options.seed)), options.behaviour,
                       options.seed);
    Rng noise(options.seed + 17);
    SampleFilters filters;
    auto light = std::make_unique<SimulatedLight>(100.0);
    SimulatedLight &room = *light;
    // With the lid closed the sensor in it sees nothing; the room's light still matters to the user.
    const bool lidClosed = trace.lidClosed;
    AmbientLightSensor ambient([&]() -> std::unique_ptr<LightSource> {
        if (lidClosed) {
            return std::make_unique<NoLightSource>();
        }
        return std::move(light);
    }());
    DdcLink monitor(backlight.level());
    if (lidClosed) {
        backlight.overDdc(monitor);
    }
    // The loop's writes to the monitor go through the same ration as in the program.
    RationedBrightness rationed(backlight, clock);
    BrightnessController &driven = lidClosed ? static_cast<BrightnessController &>(rationed) : backlight;

    // The engine, exactly as the program runs it, only for the strategy that uses it.
    CurrentApp app;
    MemoryDefaults defaults;
    std::unique_ptr<CalibrationModel> calibration;
    std::unique_ptr<DailyStats> stats;
    std::unique_ptr<AdjustmentLogger> logger;
    bool docked = false;
    LoopSurroundings surroundings(ambient, filters, docked);
    std::unique_ptr<CompensationLoop> loop;
    if (strategy == Strategy::lumvex) {
        settings::set(defaults, settings::autoAdjust, true);
        settings::set(defaults, settings::adjustExternalDisplays, lidClosed);
        for (const auto &[key, value] : options.settings) {
            defaults.setBool(key, value);
        }
        calibration = std::make_unique<CalibrationModel>(options.outDir, clock);
        stats = std::make_unique<DailyStats>(options.outDir, clock);
        logger = std::make_unique<AdjustmentLogger>(options.outDir, clock, &app);
        loop = std::make_unique<CompensationLoop>(
            CompensationLoop::Collaborators{driven, *calibration, *stats, *logger, clock, defaults, surroundings,
                                            surroundings, surroundings},
            lidClosed ? CompensationLoop::ContentJumps::band : CompensationLoop::ContentJumps::fastTrack);
        // Without the setting the loop leaves an external main display alone, as a docked one.
        docked = lidClosed && !settings::value(defaults, settings::adjustExternalDisplays);
    }
    AmbientCurve curve;

    // The desktop around the program, as the shell sees it: its own changes to the panel, the poll that
    // finds changes made with the brightness keys, and the guard that tells the two apart.
    DesktopChangeGuard guard;
    BrightnessPoll poll;
    poll.setLastShown(backlight.level());
    double savedLevel = backlight.level();
    // When the desktop restores the level after a wake; infinity while none is due. (An optional here
    // trips GCC 12's uninitialised-use false positive at -O3.)
    double restoreAt = std::numeric_limits<double>::infinity();
    double nextPoll = 0.0;
    Rng keys(options.seed + 29);
    bool pressDuringNextWrite = false;
    bool toolWroteThisTick = false;
    UserChangeMeter userChanges(strategy != Strategy::fixed);
    ChoiceMeter choices;
    // The situation on screen now, as the loop sees it.
    const auto situationNow = [&] {
        return situationOf(filters.latestSignature(), surroundings.lastAmbient, clock.localNow().hour);
    };
    Writer writerBeforeTool = Writer::none;
    backlight.onToolWrite = [&] {
        toolWroteThisTick = true;
        userChanges.toolWrote(clock.monotonicSeconds(), writerBeforeTool);
    };
    const auto desktopEvent = [&](const DesktopEvent &e) {
        const double now = clock.monotonicSeconds();
        const bool wasHere = !guard.isAway() && !guard.isSleeping();
        switch (e.kind) {
        case DesktopEvent::Kind::idle:
        case DesktopEvent::Kind::lock:
            if (wasHere) {
                savedLevel = backlight.level();
                backlight.write(savedLevel * kDimFactor, Writer::desktop);
            }
            guard.setAway(true, now);
            break;
        case DesktopEvent::Kind::active:
        case DesktopEvent::Kind::unlock:
            guard.setAway(false, now);
            backlight.write(savedLevel, Writer::desktop);
            break;
        case DesktopEvent::Kind::suspend:
            if (wasHere) {
                savedLevel = backlight.level();
            }
            guard.setSleeping(true, now);
            break;
        case DesktopEvent::Kind::resume:
            guard.setSleeping(false, now);
            backlight.write(0.0, Writer::desktop);
            restoreAt = now + kDarkAfterWake;
            break;
        case DesktopEvent::Kind::dock:
            docked = true;
            break;
        case DesktopEvent::Kind::undock:
            docked = false;
            break;
        }
    };

    double nextPlot = 0.0;
    for (int d = 0; d < options.days && !trace.days.empty(); ++d) {
        const auto &segments = trace.days[static_cast<std::size_t>(d) % trace.days.size()];
        static const std::vector<DesktopEvent> kNoEvents;
        const auto &events =
            trace.events.empty() ? kNoEvents : trace.events[static_cast<std::size_t>(d) % trace.events.size()];
        auto nextEvent = events.begin();
        const Timestamp midnight = kFirstMidnight + d * kDay;
        DayMeter meter;
        int corrections = 0;
        int desktopLearned = 0;
        const std::size_t writesBefore = backlight.toolWrites();
        const std::size_t displayWritesBefore = monitor.writes();

        for (const Segment &s : segments) {
            for (double t = s.start; t < s.end; t += kTick) {
                clock.set(midnight + t);
                for (; nextEvent != events.end() && nextEvent->t <= t; ++nextEvent) {
                    desktopEvent(*nextEvent);
                }
                const double now = clock.monotonicSeconds();
                backlight.tick(now);
                if (now >= restoreAt) {
                    backlight.write(savedLevel, Writer::desktop);
                    restoreAt = std::numeric_limits<double>::infinity();
                }
                const bool here = !guard.isAway() && !guard.isSleeping();
                toolWroteThisTick = false;
                writerBeforeTool = backlight.lastWriter();
                const double progress = s.end > s.start ? (t - s.start) / (s.end - s.start) : 0.0;
                const double lux = s.luxStart + (s.luxEnd - s.luxStart) * progress;
                room.setLux(lux);
                const double L = std::clamp(s.luminance + noise.jitter(s.flicker), 0.0, 1.0);
                filters.apply(L, s.signature);
                app.app = s.app;

                if (loop) {
                    const bool hold = guard.holdLoop(now, backlight.level());
                    if (hold != loop->paused()) {
                        loop->setPaused(hold);
                    }
                    if (here) { // the sampler runs only while the session is here
                        loop->onLuminanceUpdate(filters.slowLuminance(), filters.fastLuminance());
                    }
                    if (lidClosed) {
                        rationed.settle(); // the program's poll does this for a monitor it drives
                    } else if (!guard.isSleeping() && now >= nextPoll) {
                        nextPoll = now + kPollPeriod;
                        BrightnessPoll::Reading reading;
                        reading.brightness = backlight.level();
                        reading.loopCurrent = loop->currentBrightness();
                        reading.loopEnabled = loop->enabled();
                        reading.userChangesTrusted = guard.userChangesTrusted(now, reading.brightness);
                        const BrightnessPoll::Actions actions = poll.tick(reading);
                        if (actions.reportManualChange) {
                            if (backlight.lastWriter() == Writer::desktop) {
                                ++desktopLearned;
                            } else if (backlight.lastWriter() == Writer::user) {
                                userChanges.learned();
                                // The loop has the key press from here on; one it never gets is lost above.
                                choices.chose(reading.brightness, situationNow(), filters.slowLuminance());
                            }
                            loop->onManualChange(reading.brightness, AdjustmentSource::systemKey);
                        } else if (actions.acceptAsCurrent) {
                            loop->acceptBrightness(reading.brightness);
                        }
                    }
                } else if (strategy == Strategy::ambientOnly && !guard.isSleeping()) {
                    surroundings.lastAmbient = ambient.read();
                    if (const auto target = curve.target(surroundings.lastAmbient)) {
                        const double b = backlight.level();
                        const double step = std::clamp(0.7 * (*target - b), -0.012, 0.012);
                        if (std::abs(step) > 0.003) {
                            backlight.set(b + step);
                        }
                    }
                }

                const double b = backlight.level();
                const double preferred = user.preferredPerceived(L, lux);
                if (!here || docked) {
                    choices.close();
                } else {
                    choices.look(b, backlight.lastWriter(), situationNow, filters.slowLuminance());
                }
                if (!here) {
                    continue; // nobody looks; the desktop and the program go on
                }
                meter.add(b * L, preferred);
                if (const auto chosen = user.observe(kTick, b, L, lux)) {
                    backlight.write(*chosen, Writer::user);
                    userChanges.changed(now);
                    choices.chose(*chosen, situationNow(), filters.slowLuminance());
                    ++corrections;
                    result.corrections.push_back({clock.now() - kFirstMidnight, b, *chosen});
                    if (loop) {
                        loop->onManualChange(*chosen, AdjustmentSource::scroll);
                        userChanges.learned();
                    } else if (strategy == Strategy::ambientOnly) {
                        curve.correct(*chosen, ambient.read());
                        userChanges.learned();
                    }
                } else if (trace.keyPressesPerHour > 0.0 && !docked && guard.userChangesTrusted(now, b)) {
                    // Brightness keys at random moments, half of them right between two automatic writes.
                    const double chance = trace.keyPressesPerHour / 2.0 * kTick / 3600.0;
                    pressDuringNextWrite = pressDuringNextWrite || keys.chance(chance);
                    const bool press = keys.chance(chance) || (pressDuringNextWrite && toolWroteThisTick);
                    const double key = b * L < preferred ? SimulatedUser::kNotch : -SimulatedUser::kNotch;
                    const double level = std::clamp(b + key, 0.05, 1.0);
                    if (press && std::abs(level - b) > 0.01) {
                        pressDuringNextWrite = false;
                        backlight.write(level, Writer::user);
                        userChanges.changed(now);
                        if (!loop) {
                            choices.chose(level, situationNow(), filters.slowLuminance());
                        }
                    }
                }
                const double elapsed = clock.now() - kFirstMidnight;
                if (elapsed >= nextPlot) {
                    result.plot.push_back({elapsed, L, backlight.level(), preferred});
                    nextPlot = elapsed + options.plotInterval;
                }
            }
        }
        DayResult day = meter.finish(corrections, backlight.toolWrites() - writesBefore);
        day.desktopChangesLearned = desktopLearned;
        day.displayWrites = monitor.writes() - displayWritesBefore;
        day.userChangesLost = userChanges.lost();
        day.choicesTakenBack = choices.takenBack();
        result.days.push_back(day);
        if (options.onDayDone) {
            options.onDayDone(d);
        }
    }
    return result;
}

} // namespace lumvex::sim
