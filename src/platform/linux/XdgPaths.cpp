// SPDX-License-Identifier: MIT
#include "XdgPaths.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace lumvex::xdg {

namespace fs = std::filesystem;

namespace {

fs::path fromVariable(const char *name, const fs::path &fallback)
{
    // Relative values are invalid by the base directory rules and are ignored.
    const char *value = std::getenv(name);
    if (value && *value && fs::path(value).is_absolute()) {
        return value;
    }
    return home() / fallback;
}

} // namespace

fs::path home()
{
    if (const char *value = std::getenv("HOME"); value && *value) {
        return value;
    }
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd *found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_dir) {
        return found->pw_dir;
    }
    return "/";
}

fs::path dataHome()
{
    return fromVariable("XDG_DATA_HOME", ".local/share");
}

fs::path stateHome()
{
    return fromVariable("XDG_STATE_HOME", ".local/state");
}

fs::path configHome()
{
    return fromVariable("XDG_CONFIG_HOME", ".config");
}

fs::path dataDir()
{
    return dataHome() / "lumvex";
}

fs::path stateDir()
{
    return stateHome() / "lumvex";
}

fs::path telemetryDir()
{
    return stateDir() / "telemetry";
}

fs::path settingsFile()
{
    return configHome() / "lumvex" / "lumvex.conf";
}

fs::path autostartFile()
{
    return configHome() / "autostart" / "lumvex.desktop";
}

} // namespace lumvex::xdg
