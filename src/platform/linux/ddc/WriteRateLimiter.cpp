#include "WriteRateLimiter.h"

#include <algorithm>

namespace lumvex::external {

WriteRateLimiter::Decision WriteRateLimiter::request(DisplayId display, double brightness, double now)
{
    const auto last = m_lastWrite.find(display);
    if (last == m_lastWrite.end()) {
        return {Action::WriteNow, 0.0};
    }
    const double elapsed = now - last->second;
    if (elapsed >= kMinWriteInterval) {
        // Also when a timer is armed but late: it will find nothing pending and write nothing.
        return {Action::WriteNow, 0.0};
    }
    m_pending[display] = brightness;
    if (m_armed.contains(display)) {
        return {Action::Hold, 0.0};
    }
    m_armed.insert(display);
    return {Action::ArmTimer, std::max(kMinWriteInterval - elapsed, kMinTimerDelay)};
}

void WriteRateLimiter::recordWrite(DisplayId display, double at)
{
    m_lastWrite[display] = at;
    m_pending.erase(display);
}

std::optional<double> WriteRateLimiter::timerFired(DisplayId display)
{
    m_armed.erase(display);
    return pendingValue(display);
}

std::optional<double> WriteRateLimiter::pendingValue(DisplayId display) const
{
    const auto found = m_pending.find(display);
    return found == m_pending.end() ? std::nullopt : std::optional(found->second);
}

} // namespace lumvex::external
