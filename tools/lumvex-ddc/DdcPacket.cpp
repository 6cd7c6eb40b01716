// SPDX-License-Identifier: MIT
#include "DdcPacket.h"

namespace lumvex::ddc {

namespace {

constexpr std::uint8_t kDisplayWrite = 0x6E; // destination of host messages, source of replies
constexpr std::uint8_t kHostSource = 0x51;
// Replies are summed as if sent to this host address.
constexpr std::uint8_t kHostDestination = 0x50;
constexpr std::uint8_t kLengthFlag = 0x80;

constexpr std::uint8_t kGetVcp = 0x01;
constexpr std::uint8_t kVcpReplyOpcode = 0x02;
constexpr std::uint8_t kSetVcp = 0x03;
constexpr std::size_t kVcpReplyPayload = 8;

std::uint8_t checksum(std::uint8_t seed, std::span<const std::uint8_t> bytes)
{
    std::uint8_t sum = seed;
    for (const std::uint8_t byte : bytes) {
        sum ^= byte;
    }
    return sum;
}

// Source, length, payload, checksum; `seed` stands for the bytes the checksum covers but the buffer
// does not hold.
std::vector<std::uint8_t> frame(std::uint8_t source, std::span<const std::uint8_t> payload, std::uint8_t seed)
{
    std::vector<std::uint8_t> message;
    message.reserve(payload.size() + 3);
    message.push_back(source);
    message.push_back(static_cast<std::uint8_t>(kLengthFlag | payload.size()));
    for (const std::uint8_t byte : payload) {
        message.push_back(byte);
    }
    message.push_back(checksum(seed, message));
    return message;
}

// The destination address goes on the wire from i2c-dev, yet counts in the checksum.
std::vector<std::uint8_t> hostMessage(std::initializer_list<std::uint8_t> payload)
{
    return frame(kHostSource, std::span(payload.begin(), payload.size()), kDisplayWrite);
}

std::vector<std::uint8_t> displayMessage(std::initializer_list<std::uint8_t> payload)
{
    return frame(kDisplayWrite, std::span(payload.begin(), payload.size()), kHostDestination);
}

std::uint8_t high(std::uint16_t value)
{
    return static_cast<std::uint8_t>(value >> 8);
}

std::uint8_t low(std::uint16_t value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace

std::vector<std::uint8_t> getVcpRequest(std::uint8_t code)
{
    return hostMessage({kGetVcp, code});
}

std::vector<std::uint8_t> setVcpRequest(std::uint8_t code, std::uint16_t value)
{
    return hostMessage({kSetVcp, code, high(value), low(value)});
}

VcpReply parseVcpReply(std::span<const std::uint8_t> bytes, std::uint8_t code)
{
    if (bytes.size() < 3 || bytes[0] != kDisplayWrite || (bytes[1] & kLengthFlag) == 0) {
        return {ReplyStatus::Malformed, {}};
    }
    const std::size_t length = bytes[1] & ~kLengthFlag;
    if (bytes.size() < length + 3) {
        return {ReplyStatus::Malformed, {}};
    }
    if (checksum(kHostDestination, bytes.first(length + 2)) != bytes[length + 2]) {
        return {ReplyStatus::BadChecksum, {}};
    }
    if (length == 0) {
        return {ReplyStatus::NullMessage, {}};
    }
    const std::span<const std::uint8_t> payload = bytes.subspan(2, length);
    if (length != kVcpReplyPayload || payload[0] != kVcpReplyOpcode || payload[2] != code) {
        return {ReplyStatus::Malformed, {}};
    }
    switch (payload[1]) {
    case 0x00:
        break;
    case 0x01:
        return {ReplyStatus::Unsupported, {}};
    default:
        return {ReplyStatus::Malformed, {}};
    }
    const auto word = [&](std::size_t at) { return static_cast<std::uint16_t>(payload[at] << 8 | payload[at + 1]); };
    return {ReplyStatus::Ok, {word(6), word(4)}};
}

std::optional<std::vector<std::uint8_t>> parseHostMessage(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 3 || bytes[0] != kHostSource || (bytes[1] & kLengthFlag) == 0) {
        return std::nullopt;
    }
    const std::size_t length = bytes[1] & ~kLengthFlag;
    if (bytes.size() != length + 3 || checksum(kDisplayWrite, bytes.first(length + 2)) != bytes[length + 2]) {
        return std::nullopt;
    }
    const std::span<const std::uint8_t> payload = bytes.subspan(2, length);
    return std::vector<std::uint8_t>(payload.begin(), payload.end());
}

std::vector<std::uint8_t> vcpReply(std::uint8_t code, VcpValue value, bool supported)
{
    return displayMessage({kVcpReplyOpcode, static_cast<std::uint8_t>(supported ? 0x00 : 0x01), code, 0x00,
                           high(value.maximum), low(value.maximum), high(value.current), low(value.current)});
}

std::vector<std::uint8_t> nullMessage()
{
    return displayMessage({});
}

} // namespace lumvex::ddc
