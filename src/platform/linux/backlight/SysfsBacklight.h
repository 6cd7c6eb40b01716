// SPDX-License-Identifier: MIT
#pragma once

#include "BacklightRules.h"
#include "SysfsRoot.h"
#include "output/BrightnessController.h"

#include <filesystem>
#include <optional>
#include <string>

namespace lumvex {

// The built-in panel's backlight under <root>/sys/class/backlight, where root is "/" unless
// $LUMVEX_SYSFS_ROOT names another folder (see sysfsRoot()). The device is chosen once, at construction:
// firmware before platform before raw, ties by name. Whether the brightness file takes writes is probed
// once too, by writing its current value back; when it does not, writes go through the login manager. A
// device that appears later (a driver that loads late) is found by rescan().
//
// Levels are stored in single precision. A raw step is coarser than a float on most panels, so the level
// last written is remembered and reported while the device still holds the step it was written as; a
// change made by anyone else shows as raw / max. Without a device, or when the brightness file cannot be
// read, a read gives no level and a write fails.
class SysfsBacklight final : public BrightnessController
{
public:
    explicit SysfsBacklight(const std::filesystem::path &root = sysfsRoot());

    std::optional<double> get() override;
    bool set(double value) override;
    std::optional<std::string> writeProblem() const override { return m_writeProblem; }
    bool isAvailable() const override { return m_maxBrightness > 0; }
    // Looks for a device again while there is none; true once there is one.
    bool rescan();

    // The device's folder name ("intel_backlight"); empty without a device.
    const std::string &deviceName() const { return m_name; }
    bool writesThroughLogind() const { return m_throughLogind; }
    // How long a write through the login manager may wait for its answer.
    void setLogindTimeout(int milliseconds) { m_logindTimeoutMs = milliseconds; }

private:
    void open();
    std::optional<long> readRaw() const;
    bool writeRaw(long raw) const;

    const std::filesystem::path m_root;
    std::filesystem::path m_folder;
    std::string m_name;
    long m_maxBrightness = 0;
    long m_minStep = 0;
    bool m_throughLogind = false;
    int m_logindTimeoutMs = 1000;
    std::optional<backlight::WrittenLevel> m_written;
    std::optional<std::string> m_writeProblem;
};

} // namespace lumvex
