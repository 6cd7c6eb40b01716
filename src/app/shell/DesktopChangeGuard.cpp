// SPDX-License-Identifier: MIT
#include "DesktopChangeGuard.h"

namespace lumvex {

void DesktopChangeGuard::setAway(bool away, double now)
{
    if (m_away && !away) {
        m_backAt = now;
    }
    m_away = away;
}

void DesktopChangeGuard::setSleeping(bool sleeping, double now)
{
    if (m_sleeping && !sleeping) {
        m_wokeAt = now;
    }
    m_sleeping = sleeping;
}

bool DesktopChangeGuard::userChangesTrusted(double now, double brightness) const
{
    if (m_away || m_sleeping) {
        return false;
    }
    const auto within = [now](const std::optional<double> &since, double seconds) {
        return since && now - *since >= 0.0 && now - *since < seconds;
    };
    if (within(m_backAt, kSettleSeconds) || within(m_wokeAt, kSettleSeconds)) {
        return false;
    }
    return !(brightness < 0.0005 && within(m_wokeAt, kDarkWakeSeconds));
}

} // namespace lumvex
