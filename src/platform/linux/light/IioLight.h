// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/LightSource.h"

#include <filesystem>
#include <optional>
#include <string>

namespace lumvex {

// An illuminance channel of an IIO device: its folder and the prefix of its files ("in_illuminance" or
// "in_illuminance0"), and whether the driver gives lux itself (…_input) or a raw value to scale (…_raw).
struct IioChannel
{
    std::filesystem::path device;
    std::string prefix;
    bool processed = false;
};

// The first device under <root>/sys/bus/iio/devices, in name order, with an illuminance channel; a
// processed channel wins over a raw one on the same device.
std::optional<IioChannel> findIlluminanceChannel(const std::filesystem::path &root);

// Reads a light sensor straight from sysfs: the processed value, or (raw + offset) × scale with the most
// specific scale and offset the driver offers (none means 1 and 0).
class IioLight final : public LightSource
{
public:
    explicit IioLight(IioChannel channel);

    std::optional<double> readLux() override;

    const IioChannel &channel() const { return m_channel; }

private:
    // The value of the first attribute that exists; nothing when it exists but is no number.
    std::optional<double> attribute(const char *suffix, double absent) const;

    IioChannel m_channel;
};

} // namespace lumvex
