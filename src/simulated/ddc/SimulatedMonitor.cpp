// SPDX-License-Identifier: MIT
#include "simulated/ddc/SimulatedMonitor.h"

#include <algorithm>
#include <utility>

namespace lumvex::ddc {

namespace {

constexpr std::uint8_t kGetVcp = 0x01;
constexpr std::uint8_t kSetVcp = 0x03;

std::error_code notAcknowledged()
{
    return std::make_error_code(std::errc::no_such_device_or_address);
}

class Connection final : public I2cTransport
{
public:
    explicit Connection(I2cTransport &monitor)
        : m_monitor(monitor)
    {}
    std::error_code write(std::span<const std::uint8_t> bytes) override { return m_monitor.write(bytes); }
    std::error_code read(std::span<std::uint8_t> bytes) override { return m_monitor.read(bytes); }

private:
    I2cTransport &m_monitor;
};

} // namespace

SimulatedMonitor::SimulatedMonitor(DdcClock &clock, VcpValue brightness, DdcTimings timings)
    : m_clock(clock)
    , m_brightness(brightness)
    , m_timings(timings)
{}

std::error_code SimulatedMonitor::write(std::span<const std::uint8_t> bytes)
{
    spendBusTime(bytes.size());
    if (m_clock.now() < m_busyUntil) {
        ++m_violations;
        return notAcknowledged();
    }
    if (consume(m_naks)) {
        return notAcknowledged();
    }
    // A new message ends any conversation in progress.
    m_reply.reset();
    const std::optional<std::vector<std::uint8_t>> payload = parseHostMessage(bytes);
    if (!payload || payload->empty()) {
        ++m_garbled;
        return {};
    }
    const std::vector<std::uint8_t> &message = *payload;
    if (message[0] == kGetVcp && message.size() == 2) {
        ++m_readsRequested;
        const bool known = message[1] == kBrightnessCode && m_supported;
        m_reply = consume(m_busy) ? nullMessage() : vcpReply(message[1], known ? m_brightness : VcpValue{}, known);
        m_replyReadyAt = m_clock.now() + m_timings.replyDelay;
    } else if (message[0] == kSetVcp && message.size() == 4) {
        if (message[1] == kBrightnessCode && m_supported) {
            const auto value = static_cast<std::uint16_t>(message[2] << 8 | message[3]);
            m_brightness.current = std::min(value, m_brightness.maximum);
            ++m_writesApplied;
        }
        m_busyUntil = m_clock.now() + m_timings.writeDelay;
    } else {
        ++m_garbled;
    }
    return {};
}

std::error_code SimulatedMonitor::read(std::span<std::uint8_t> bytes)
{
    spendBusTime(bytes.size());
    if (m_clock.now() < m_busyUntil) {
        ++m_violations;
        return notAcknowledged();
    }
    if (consume(m_naks)) {
        return notAcknowledged();
    }
    std::vector<std::uint8_t> reply = nullMessage();
    if (m_reply && m_clock.now() < m_replyReadyAt) {
        ++m_violations;
    } else if (m_reply) {
        reply = *std::exchange(m_reply, std::nullopt);
        if (consume(m_corruptions)) {
            reply[reply.size() / 2] ^= 0x04;
        }
    }
    // Past the message the display sends idle bytes.
    std::ranges::fill(bytes, 0xFF);
    std::copy_n(reply.begin(), std::min(reply.size(), bytes.size()), bytes.begin());
    return {};
}

std::unique_ptr<I2cTransport> SimulatedMonitor::connect()
{
    return std::make_unique<Connection>(*this);
}

void SimulatedMonitor::spendBusTime(std::size_t bytes)
{
    if (m_byteTime.count() > 0) {
        m_clock.sleepUntil(m_clock.now() + m_byteTime * static_cast<long>(bytes + 1));
    }
}

bool SimulatedMonitor::consume(int &count)
{
    if (count <= 0) {
        return false;
    }
    --count;
    return true;
}

} // namespace lumvex::ddc
