#pragma once

#include "ToolLocation.h"
#include "ToolRunner.h"
#include "WriteRateLimiter.h"
#include "output/ExternalBrightness.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QTimer;

namespace lumvex {

// External displays' brightness through the lumvex-ddc helper, run once for every read and every
// write with a one-second limit. Writes to each display are spaced at least 0.1 s apart; the last
// value of a burst is written by a timer of the event loop, which also runs while a menu is open.
// Every failure is silent: a read gives nothing, a write false. Main thread only.
class ExternalBrightnessController final : public ExternalBrightness
{
public:
    // Seconds on a monotonic clock; a wall clock set back would hold writes back for as long.
    using MonotonicClock = std::function<double()>;

    static double steadySeconds();

    explicit ExternalBrightnessController(std::optional<std::filesystem::path> toolPath = external::locateTool(),
                                          MonotonicClock clock = steadySeconds);
    ~ExternalBrightnessController() override;
    ExternalBrightnessController(const ExternalBrightnessController &) = delete;
    ExternalBrightnessController &operator=(const ExternalBrightnessController &) = delete;

    bool isAvailable() const { return m_toolPath.has_value(); }
    const std::optional<std::filesystem::path> &toolPath() const { return m_toolPath; }

    // Whether a read of the display runs successfully, whatever it prints.
    bool probe(DisplayId display);
    std::optional<double> get(DisplayId display) override;
    // True only when the value was written at once and the helper succeeded; false when it was held
    // back for a later write or failed.
    bool set(DisplayId display, double brightness) override;

private:
    std::optional<std::string> run(const std::vector<std::string> &arguments);
    bool writeNow(DisplayId display, double brightness, double at);
    void scheduleTrailingWrite(DisplayId display, double delay);
    void trailingWriteDue(DisplayId display);

    const std::optional<std::filesystem::path> m_toolPath;
    const MonotonicClock m_clock;
    external::WriteRateLimiter m_limiter;
    external::ToolRunner m_runner;
    // One single-shot timer per display, reused for every deferred write.
    std::unordered_map<DisplayId, std::unique_ptr<QTimer>> m_trailingTimers;
};

} // namespace lumvex
