// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>

namespace lumvex {

// The path that starts this program again: the AppImage file when running from one, else the `lumvex`
// command that started it, else the executable (/proc/self/exe, also after a package upgrade replaced it). Empty when it cannot be determined.
std::filesystem::path ownProgramPath();

// Whether the program runs inside a Flatpak sandbox.
bool runsInSandbox();

} // namespace lumvex
