// SPDX-License-Identifier: MIT
#include "ProgramLocation.h"

#include <cstdlib>
#include <string_view>

namespace lumvex {

namespace fs = std::filesystem;

fs::path ownProgramPath()
{
    // The executable of an AppImage lives in a mount that is gone at the next login.
    if (const char *image = std::getenv("APPIMAGE"); image && fs::path(image).is_absolute()) {
        return image;
    }
    std::error_code error;
    // Started through the `lumvex` command, which names itself here.
    if (const char *command = std::getenv("LUMVEX_COMMAND");
        command && fs::path(command).is_absolute() && fs::is_regular_file(command, error)) {
        return command;
    }
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    // An upgrade that replaced the file leaves the link pointing at the old, deleted one.
    constexpr std::string_view kDeleted = " (deleted)";
    const std::string text = program.string();
    if (text.ends_with(kDeleted)) {
        fs::path replacement = text.substr(0, text.size() - kDeleted.size());
        return fs::exists(replacement, error) ? replacement : fs::path();
    }
    return program;
}

bool runsInSandbox()
{
    std::error_code error;
    return fs::exists("/.flatpak-info", error);
}

} // namespace lumvex
