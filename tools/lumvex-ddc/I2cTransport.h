// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <system_error>

namespace lumvex::ddc {

// One I2C bus with the display's DDC/CI address selected: every transfer goes to that address.
// A transfer that the display does not acknowledge fails with the bus's error.
class I2cTransport
{
public:
    virtual ~I2cTransport() = default;

    virtual std::error_code write(std::span<const std::uint8_t> bytes) = 0;
    // Fills the whole buffer or fails.
    virtual std::error_code read(std::span<std::uint8_t> bytes) = 0;
};

// The outcome of opening a bus: the bus, or why there is none.
struct OpenedBus
{
    std::unique_ptr<I2cTransport> bus;
    std::error_code error;
    // The device opened, but refused to address the display (not an I2C adapter, or a kernel driver
    // holds the address).
    bool addressRefused = false;
};

} // namespace lumvex::ddc
