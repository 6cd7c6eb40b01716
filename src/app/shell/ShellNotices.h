// SPDX-License-Identifier: MIT
#pragma once

#include "system/Notifier.h"

#include <string>

namespace lumvex::notices {

// What makes tray icons appear on the desktop named by XDG_CURRENT_DESKTOP ("GNOME", "KDE", "sway", ...).
std::string trayHint(const std::string &desktop);

// No panel shows the items: Lumvex runs all the same, and this is what to do about it.
Notice noTray(const std::string &desktop);
// A second start: where to find the one that runs.
Notice alreadyRunning(bool trayShown, const std::string &desktop);
// The first start ever: what the item does.
Notice introduction();

} // namespace lumvex::notices
