// SPDX-License-Identifier: MIT
#include "BrightnessPoll.h"

#include <cmath>

namespace lumvex {

namespace {

constexpr double kOutsideChange = 0.03; // away from what the loop last wrote or accepted
constexpr double kKeyStep = 0.01;       // away from the level last handed to the loop
constexpr double kTelemetryStep = 0.004;
constexpr double kAutoMatch = 0.02;
constexpr double kIconStep = 0.005;

} // namespace

BrightnessPoll::Actions BrightnessPoll::tick(const Reading &r)
{
    Actions actions;
    const double b = r.brightness;
    // Judged against the level last handed over, not against the icon: a key press in the middle of a fast
    // automatic walk can bring the panel back to what the icon showed a poll ago.
    if (r.loopCurrent && std::abs(b - *r.loopCurrent) > kOutsideChange) {
        if (!m_handedOver || std::abs(b - *m_handedOver) > kKeyStep) {
            actions.reportManualChange = r.userChangesTrusted;
            actions.acceptAsCurrent = !r.userChangesTrusted;
            m_handedOver = b;
        }
    } else {
        m_handedOver.reset(); // the loop has taken it
    }
    if (r.recording && std::abs(b - m_recorderLast) > kTelemetryStep) {
        // Judged against the loop's value from before this tick: a key press reported just above has
        // already moved it onto b, and would otherwise pass for the loop's own work.
        const bool automatic = r.loopCurrent && r.loopEnabled && std::abs(b - *r.loopCurrent) < kAutoMatch;
        actions.telemetry = TelemetryEvent{automatic ? "auto" : "manual", m_recorderLast, b};
        m_recorderLast = b;
    }
    if (std::abs(b - m_lastShown) > kIconStep) {
        m_lastShown = b;
        actions.showBrightness = true;
    }
    return actions;
}

bool samplingWanted(bool loopEnabled, bool recording, bool away, bool sleeping)
{
    return !sleeping && ((loopEnabled && !away) || recording);
}

bool VolumePoll::changed(double volume)
{
    if (std::abs(volume - m_lastShown) > kIconStep) {
        m_lastShown = volume;
        return true;
    }
    return false;
}

} // namespace lumvex
