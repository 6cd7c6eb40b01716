// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex::ddc {

// A display connector as the kernel lists it under /sys/class/drm.
struct DrmConnector
{
    std::string name;      // "card0-DP-1"
    std::string connector; // "DP-1"
    bool connected = false;
    std::vector<std::uint8_t> edid;
    std::optional<std::uint32_t> connectorId;
    // N of the I2C adapter that carries the connector's DDC lines (/dev/i2c-N).
    std::optional<int> bus;
};

// Every connector of every card under <root>/sys/class/drm, sorted by name.
std::vector<DrmConnector> readDrmConnectors(const std::filesystem::path &root);

// The adapter number in an I2C adapter's name ("i2c-5" → 5).
std::optional<int> adapterNumber(std::string_view name);

// The connector named by its full name ("card0-DP-1") or by its connector part ("DP-1").
const DrmConnector *findConnector(const std::vector<DrmConnector> &connectors, std::string_view name);

} // namespace lumvex::ddc
