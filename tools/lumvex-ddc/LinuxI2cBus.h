// SPDX-License-Identifier: MIT
#pragma once

#include "I2cTransport.h"
#include "base/UniqueFd.h"

#include <filesystem>

namespace lumvex::ddc {

// An i2c-dev device node (/dev/i2c-N) talking to the display's DDC/CI address.
class LinuxI2cBus final : public I2cTransport
{
public:
    static OpenedBus open(const std::filesystem::path &device);

    // Takes a device whose display address is already selected.
    explicit LinuxI2cBus(UniqueFd fd)
        : m_fd(std::move(fd))
    {}

    std::error_code write(std::span<const std::uint8_t> bytes) override;
    std::error_code read(std::span<std::uint8_t> bytes) override;

private:
    UniqueFd m_fd;
};

} // namespace lumvex::ddc
