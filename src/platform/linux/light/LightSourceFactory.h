// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/backlight/SysfsRoot.h"
#include "sensing/LightSource.h"

#include <filesystem>
#include <memory>

namespace lumvex {

// The machine's light sensor: through the sensor proxy daemon when it runs and has one (it may hold the
// device in buffered mode, where direct reads fail), else an IIO device under <root>/sys/bus/iio/devices,
// else a source that keeps looking for either and reads nothing until one appears.
std::unique_ptr<LightSource> openLightSource(const std::filesystem::path &root = sysfsRoot());

} // namespace lumvex
