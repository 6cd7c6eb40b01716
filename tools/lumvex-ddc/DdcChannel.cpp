// SPDX-License-Identifier: MIT
#include "DdcChannel.h"

#include <algorithm>
#include <array>

namespace lumvex::ddc {

DdcChannel::DdcChannel(I2cTransport &bus, DdcClock &clock, DdcTimings timings)
    : m_bus(bus)
    , m_clock(clock)
    , m_timings(timings)
{}

DdcOutcome DdcChannel::read(std::uint8_t code)
{
    DdcOutcome outcome{DdcResult::NoReply, {}, {}};
    for (int attempt = 0; attempt < m_timings.attempts; ++attempt) {
        if (attempt > 0) {
            pauseFor(m_timings.retryDelay);
        }
        outcome = readOnce(code);
        if (outcome.result == DdcResult::Ok || outcome.result == DdcResult::Unsupported) {
            break;
        }
    }
    return outcome;
}

DdcOutcome DdcChannel::write(std::uint8_t code, std::uint16_t value)
{
    DdcOutcome outcome{DdcResult::NoReply, {}, {}};
    for (int attempt = 0; attempt < m_timings.attempts; ++attempt) {
        if (attempt > 0) {
            pauseFor(m_timings.retryDelay);
        }
        waitUntilQuiet();
        outcome.busError = m_bus.write(setVcpRequest(code, value));
        if (!outcome.busError) {
            // Set VCP Feature has no reply: an acknowledged transfer is all the display says.
            pauseFor(m_timings.writeDelay);
            return {DdcResult::Ok, {}, {}};
        }
    }
    return outcome;
}

DdcOutcome DdcChannel::readOnce(std::uint8_t code)
{
    waitUntilQuiet();
    if (const std::error_code error = m_bus.write(getVcpRequest(code))) {
        return {DdcResult::NoReply, {}, error};
    }
    pauseFor(m_timings.replyDelay);
    waitUntilQuiet();
    std::array<std::uint8_t, kVcpReplySize> bytes{};
    if (const std::error_code error = m_bus.read(bytes)) {
        return {DdcResult::NoReply, {}, error};
    }
    const VcpReply reply = parseVcpReply(bytes, code);
    switch (reply.status) {
    case ReplyStatus::Ok:
        return {DdcResult::Ok, reply.value, {}};
    case ReplyStatus::Unsupported:
        return {DdcResult::Unsupported, {}, {}};
    case ReplyStatus::NullMessage:
        return {DdcResult::NoReply, {}, {}};
    case ReplyStatus::BadChecksum:
    case ReplyStatus::Malformed:
        break;
    }
    return {DdcResult::BadReply, {}, {}};
}

void DdcChannel::waitUntilQuiet()
{
    m_clock.sleepUntil(m_quietUntil);
}

// Pauses are kept as a moment rather than slept at once, so that one still running when the tool
// ends is honoured by the next run.
void DdcChannel::pauseFor(std::chrono::milliseconds delay)
{
    m_quietUntil = std::max(m_quietUntil, m_clock.now() + delay);
}

} // namespace lumvex::ddc
