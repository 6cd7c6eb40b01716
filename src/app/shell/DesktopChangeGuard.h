#pragma once

#include "engine/Timestamp.h"

#include <optional>

namespace lumvex {

// Tells brightness changes the user made from those the desktop makes on its own: dimming an idle or
// locked session, the lock screen's fade, suspend and the restore after resume (when panels often read
// 0 for a moment). Those are taken as the current level but never learned, and the loop holds still
// while the session is away.
class DesktopChangeGuard
{
public:
    static constexpr double kSettleSeconds = 5.0;    // the desktop restores the level after activity
    static constexpr double kDarkWakeSeconds = 30.0; // a reading of 0 this soon after wake is the panel's

    void setAway(bool away, Timestamp now);
    void setSleeping(bool sleeping, Timestamp now);

    bool userChangesTrusted(Timestamp now, double brightness) const;
    bool isAway() const { return m_away; }
    bool isSleeping() const { return m_sleeping; }
    // The loop writes nothing while the session is idle, locked or going to sleep.
    bool holdLoop() const { return m_away || m_sleeping; }

private:
    bool m_away = false;
    bool m_sleeping = false;
    std::optional<Timestamp> m_backAt;
    std::optional<Timestamp> m_wokeAt;
};

} // namespace lumvex
