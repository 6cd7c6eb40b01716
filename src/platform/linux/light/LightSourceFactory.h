#pragma once

#include "platform/linux/backlight/SysfsRoot.h"
#include "sensing/LightSource.h"

#include <filesystem>
#include <memory>

namespace lumvex {

// The machine's light sensor: through the sensor proxy daemon when it runs and has one (it may hold the
// device in buffered mode, where direct reads fail), else an IIO device under <root>/sys/bus/iio/devices,
// else nothing.
std::unique_ptr<LightSource> openLightSource(const std::filesystem::path &root = sysfsRoot());

} // namespace lumvex
