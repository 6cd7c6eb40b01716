// SPDX-License-Identifier: MIT
#pragma once

#include "base/Files.h"

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace lumvex::test {

// A device folder at <root>/<where>/<name> with one file per attribute, each value on a line as sysfs
// shows it.
inline std::filesystem::path addSysfsDevice(const std::filesystem::path &root, const std::string &where,
                                            const std::string &name,
                                            std::initializer_list<std::pair<std::string, std::string>> attributes)
{
    const std::filesystem::path folder = root / where / name;
    std::filesystem::create_directories(folder);
    for (const auto &[file, value] : attributes) {
        files::writeAtomically(folder / file, value + "\n");
    }
    return folder;
}

inline std::filesystem::path addBacklight(const std::filesystem::path &root, const std::string &name,
                                          const std::string &type, long brightness, long maxBrightness)
{
    const std::string level = std::to_string(brightness);
    return addSysfsDevice(root, "sys/class/backlight", name,
                          {{"type", type},
                           {"brightness", level},
                           {"max_brightness", std::to_string(maxBrightness)},
                           {"actual_brightness", level}});
}

// Connectors under <root>/sys/class/drm as the kernel shows them: a status file, an EDID, a connector
// id, and the I2C adapter as a `ddc` link or as a child folder (DisplayPort's AUX channel).
class FakeDrmTree
{
public:
    explicit FakeDrmTree(std::filesystem::path root)
        : m_root(std::move(root))
    {}

    struct Connector
    {
        std::string name; // "card0-DP-1"
        std::string status = "connected";
        std::vector<std::uint8_t> edid = {};
        std::optional<int> connectorId = {};
        std::optional<int> ddcLink = {};  // the adapter the `ddc` link points at
        std::optional<int> auxChild = {}; // an i2c-N child folder
    };

    void add(const Connector &connector)
    {
        namespace fs = std::filesystem;
        const fs::path folder = m_root / "sys/class/drm" / connector.name;
        fs::create_directories(folder);
        files::writeAtomically(folder / "status", connector.status + "\n");
        files::writeAtomically(folder / "edid", std::string(connector.edid.begin(), connector.edid.end()));
        if (connector.connectorId) {
            files::writeAtomically(folder / "connector_id", std::to_string(*connector.connectorId) + "\n");
        }
        if (connector.ddcLink) {
            fs::create_symlink("../../../devices/pci0000:00/0000:00:02.0/i2c-" + std::to_string(*connector.ddcLink),
                               folder / "ddc");
        }
        if (connector.auxChild) {
            fs::create_directories(folder / ("i2c-" + std::to_string(*connector.auxChild)));
        }
    }

    const std::filesystem::path &root() const { return m_root; }

private:
    std::filesystem::path m_root;
};

// An EDID-like block that tells monitors apart by one byte.
inline std::vector<std::uint8_t> fakeEdid(std::uint8_t serial)
{
    std::vector<std::uint8_t> edid{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
    edid.resize(128, 0x00);
    edid[12] = serial;
    return edid;
}

} // namespace lumvex::test
