// SPDX-License-Identifier: MIT
#pragma once

#include "ToolLocation.h"
#include "ToolRunner.h"
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

// External displays' brightness through the lumvex-ddc helper, run for reads and writes without the
// main thread ever waiting: at most one run per display at a time, each with a one-second limit. While
// one runs, only the latest wanted value waits; writes to a display are spaced at least 0.1 s apart by
// a timer of the event loop, which also runs while a menu is open. Every failure is silent. Main thread
// only.
class ExternalBrightnessController final : public ExternalBrightness
{
public:
    static constexpr double kMinWriteInterval = 0.1;

    // Seconds on a monotonic clock; a wall clock set back would hold writes back for as long.
    using MonotonicClock = std::function<double()>;

    static double steadySeconds();

    explicit ExternalBrightnessController(std::optional<std::filesystem::path> toolPath = external::locateTool(),
                                          MonotonicClock clock = steadySeconds);
    ~ExternalBrightnessController() override;
    ExternalBrightnessController(const ExternalBrightnessController &) = delete;
    ExternalBrightnessController &operator=(const ExternalBrightnessController &) = delete;

    bool isAvailable() const override { return m_toolPath.has_value(); }
    const std::optional<std::filesystem::path> &toolPath() const { return m_toolPath; }

    // The latest value asked for while it is being written, else the level last read or written; with
    // none known, a read starts in the background (onLevelKnown tells its result).
    std::optional<double> get(DisplayId display) override;
    // Queues the value and returns at once; false for no tool or a value that is not a number.
    bool set(DisplayId display, double brightness) override;
    bool answers(DisplayId display) const override;

private:
    struct Display
    {
        bool running = false;
        bool readWanted = false;
        bool failed = false;
        std::optional<double> wanted; // to write next
        std::optional<double> writing;
        std::optional<double> known;
        double lastWrite = -1e300;
        std::unique_ptr<QTimer> spacing;
    };

    void next(DisplayId display);
    void run(DisplayId display, const std::vector<std::string> &arguments,
             std::function<void(Display &, std::optional<std::string>)> then);
    void armSpacing(DisplayId display, Display &state, double delay);

    const std::optional<std::filesystem::path> m_toolPath;
    const MonotonicClock m_clock;
    std::unordered_map<DisplayId, Display> m_displays;
    external::ToolRunner m_runner; // last: its helpers die before the state their callbacks touch
};

} // namespace lumvex
