// SPDX-License-Identifier: MIT
#pragma once

#include <algorithm>

namespace lumvex {

// Whether the whole screen keeps changing (a video, a game, long scrolling): settled after
// kSettleTicks ticks in a row that each found most of the screen drawn on, when a capture may look
// less often or less closely. The first tick that finds less drawn brings back the full rate.
class BusyScreenPace
{
public:
    static constexpr int kSettleTicks = 30;

    bool isSettled() const { return m_busyTicks >= kSettleTicks; }

    // What a tick found.
    void noteTick(bool mostDrawnOn) { m_busyTicks = mostDrawnOn ? std::min(m_busyTicks + 1, kSettleTicks) : 0; }

private:
    int m_busyTicks = 0;
};

} // namespace lumvex
