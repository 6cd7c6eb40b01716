#pragma once

#include "sensing/DisplayId.h"

#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace lumvex::external {

// Spaces writes to each display at least kMinWriteInterval apart without losing the last value: the
// first write of a burst goes at once, later ones wait, and the latest of them is written by a timer
// when the interval has passed. The owner runs the writes and the timers; times are seconds on a
// monotonic clock. Plain C++.
class WriteRateLimiter
{
public:
    static constexpr double kMinWriteInterval = 0.1;
    // Shortest timer delay, so that a write due at once still leaves the event loop a turn.
    static constexpr double kMinTimerDelay = 0.005;

    enum class Action {
        WriteNow, // the caller writes the value now, after recordWrite()
        Hold,     // kept as the pending value; the armed timer will write it
        ArmTimer, // kept as the pending value; the caller arms a timer of `delay` seconds
    };

    struct Decision
    {
        Action action = Action::WriteNow;
        double delay = 0.0;
    };

    Decision request(DisplayId display, double brightness, double now);
    // An immediate write is starting: counts from `at`, whether or not it succeeds; drops the pending value.
    void recordWrite(DisplayId display, double at);
    // The display's timer fired: the value it is to write now, if one is still pending.
    std::optional<double> timerFired(DisplayId display);

    bool isTimerArmed(DisplayId display) const { return m_armed.contains(display); }
    std::optional<double> pendingValue(DisplayId display) const;

private:
    std::unordered_map<DisplayId, double> m_lastWrite;
    std::unordered_map<DisplayId, double> m_pending;
    std::unordered_set<DisplayId> m_armed;
};

} // namespace lumvex::external
