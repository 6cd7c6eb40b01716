// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace lumvex {

// Tells brightness changes the user made from those the desktop makes on its own: dimming an idle or
// locked session, the lock screen's fade, suspend and the restore after resume (when panels often read
// 0 for a moment). Those are taken as the current level but never learned, and the loop holds still
// while the session is away and until the desktop has settled. Times are seconds on the monotonic clock.
class DesktopChangeGuard
{
public:
    static constexpr double kSettleSeconds = 5.0;    // the desktop restores the level after activity
    static constexpr double kDarkWakeSeconds = 30.0; // a reading of 0 this soon after wake is the panel's

    void setAway(bool away, double now);
    void setSleeping(bool sleeping, double now);

    bool userChangesTrusted(double now, double brightness) const;
    bool isAway() const { return m_away; }
    bool isSleeping() const { return m_sleeping; }
    // The loop writes nothing while the desktop may be moving the backlight itself: while the session is
    // idle, locked or asleep, and until the level it restores afterwards can be trusted.
    bool holdLoop(double now, double brightness) const { return !userChangesTrusted(now, brightness); }

private:
    bool m_away = false;
    bool m_sleeping = false;
    std::optional<double> m_backAt;
    std::optional<double> m_wokeAt;
};

} // namespace lumvex
