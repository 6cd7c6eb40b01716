// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lumvex::desktop_entry {

// The program as one argument of an Exec line, quoted and escaped so that a desktop reads back exactly
// this path, whatever characters it holds.
std::string execArgument(const std::filesystem::path &program);

// The autostart entry that starts the program at login.
std::string autostartText(const std::filesystem::path &program);

// Whether the desktop would start an entry of this text: it has a [Desktop Entry] group with an Exec
// line, and neither hides it (Hidden=true) nor has it switched off (X-GNOME-Autostart-enabled=false).
bool startsAtLogin(std::string_view text);

} // namespace lumvex::desktop_entry
