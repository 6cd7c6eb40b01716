// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace lumvex {

// The volume in whole percent, rounded half away from zero; levels outside 0...1 (and NaN) show as the
// nearest end, so no reading can produce an absurd figure.
int volumePercent(double volume);

// The menu's volume status line: "Volume: 42%", or "Volume: muted" whatever the level.
std::string volumeMenuLine(double volume, bool muted);

// The title of the menu item that toggles mute: what choosing it will do.
std::string muteMenuTitle(bool muted);

} // namespace lumvex
