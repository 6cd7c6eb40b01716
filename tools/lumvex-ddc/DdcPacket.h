// SPDX-License-Identifier: MIT
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace lumvex::ddc {

// The display's DDC/CI address on the I2C bus (0x6E for writes, 0x6F for reads on the wire).
inline constexpr std::uint16_t kDisplayAddress = 0x37;
// VCP feature "luminance", the monitor's brightness control.
inline constexpr std::uint8_t kBrightnessCode = 0x10;
// A Get VCP Feature reply as read from the bus: source, length, eight payload bytes, checksum.
inline constexpr std::size_t kVcpReplySize = 11;

struct VcpValue
{
    std::uint16_t current = 0;
    std::uint16_t maximum = 0;

    auto operator<=>(const VcpValue &) const = default;
};

// Host messages as handed to i2c-dev, which puts the address byte on the wire itself: source address,
// length, payload and a checksum that still covers that address byte.
std::vector<std::uint8_t> getVcpRequest(std::uint8_t code);
std::vector<std::uint8_t> setVcpRequest(std::uint8_t code, std::uint16_t value);

enum class ReplyStatus {
    Ok,
    NullMessage, // the display has nothing to say yet: busy, or not listening
    BadChecksum,
    Malformed, // wrong framing, opcode or feature; often a bus that returns idle bytes
    Unsupported,
};

struct VcpReply
{
    ReplyStatus status = ReplyStatus::Malformed;
    VcpValue value;
};

// Decodes the reply to a Get VCP Feature request for `code`.
VcpReply parseVcpReply(std::span<const std::uint8_t> bytes, std::uint8_t code);

// The display's side of the protocol, for simulated monitors.

// The payload of a host message whose framing and checksum hold.
std::optional<std::vector<std::uint8_t>> parseHostMessage(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> vcpReply(std::uint8_t code, VcpValue value, bool supported = true);
std::vector<std::uint8_t> nullMessage();

} // namespace lumvex::ddc
