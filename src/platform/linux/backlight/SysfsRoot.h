// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>
#include <filesystem>

namespace lumvex {

// The folder that stands for "/" when looking up kernel devices: $LUMVEX_SYSFS_ROOT when set and not
// empty, else "/". Tests point it at a fake tree holding sys/class/backlight and sys/bus/iio/devices.
inline std::filesystem::path sysfsRoot()
{
    const char *value = std::getenv("LUMVEX_SYSFS_ROOT");
    return value && *value ? std::filesystem::path(value) : std::filesystem::path("/");
}

} // namespace lumvex
