// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

namespace lumvex {

class CompensationLoop;
class SysfsBacklight;

// The level to put the panel back to as the program quits: the user's last choice, when the panel holds
// exactly the level automatic adjustment wrote last, so nobody else has moved it since (a key press the
// poll has not seen yet, the desktop dimming a locked or idle screen). Nothing otherwise.
std::optional<double> userLevelToRestore(double panel, const CompensationLoop &loop);

// Sets that level, waiting at most half a second for the login manager where writes go through it.
void leaveUserLevel(SysfsBacklight &backlight, const CompensationLoop &loop);

} // namespace lumvex
