// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace lumvex::xdg {

// The user's home: $HOME, else the password database.
std::filesystem::path home();

// XDG base directories: the variable when it holds an absolute path, else the default under home().
std::filesystem::path dataHome();   // $XDG_DATA_HOME or ~/.local/share
std::filesystem::path stateHome();  // $XDG_STATE_HOME or ~/.local/state
std::filesystem::path configHome(); // $XDG_CONFIG_HOME or ~/.config

// Lumvex's own places.
std::filesystem::path dataDir();      // learned table and daily statistics
std::filesystem::path stateDir();     // adjustment log
std::filesystem::path telemetryDir(); // telemetry-<day>.jsonl files
std::filesystem::path settingsFile(); // lumvex.conf
std::filesystem::path autostartFile();

} // namespace lumvex::xdg
