// SPDX-License-Identifier: MIT
#pragma once

#include "DdcClock.h"
#include "DdcPacket.h"
#include "DdcTimings.h"
#include "I2cTransport.h"

#include <system_error>

namespace lumvex::ddc {

enum class DdcResult {
    Ok,
    NoReply,     // transfers not acknowledged, or only null messages
    BadReply,    // replies arrived but failed their checksum or framing
    Unsupported, // the display says it has no such feature
};

struct DdcOutcome
{
    DdcResult result = DdcResult::Ok;
    VcpValue value;           // for reads that succeeded
    std::error_code busError; // the last transfer error, if any

    bool ok() const { return result == DdcResult::Ok; }
};

// VCP feature requests over one I2C bus, with the pauses DDC/CI asks for between messages and one
// retry of an exchange that failed on the way.
class DdcChannel
{
public:
    DdcChannel(I2cTransport &bus, DdcClock &clock, DdcTimings timings = {});

    DdcOutcome read(std::uint8_t code);
    DdcOutcome write(std::uint8_t code, std::uint16_t value);

    // The earliest moment the display takes another message. A run of the tool that finds the
    // display still busy from the previous run starts with it.
    DdcClock::TimePoint quietUntil() const { return m_quietUntil; }
    void setQuietUntil(DdcClock::TimePoint moment) { m_quietUntil = moment; }

private:
    DdcOutcome readOnce(std::uint8_t code);
    void waitUntilQuiet();
    void pauseFor(std::chrono::milliseconds delay);

    I2cTransport &m_bus;
    DdcClock &m_clock;
    const DdcTimings m_timings;
    DdcClock::TimePoint m_quietUntil{};
};

} // namespace lumvex::ddc
