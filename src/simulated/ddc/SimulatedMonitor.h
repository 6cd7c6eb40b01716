// SPDX-License-Identifier: MIT
#pragma once

#include "DdcClock.h"
#include "DdcPacket.h"
#include "DdcTimings.h"
#include "I2cTransport.h"

#include <chrono>
#include <memory>
#include <optional>
#include <vector>

namespace lumvex::ddc {

// A monitor that speaks DDC/CI on a simulated bus: it checks every message's checksum, answers Get
// VCP Feature, applies Set VCP Feature, and holds the host to the protocol's pauses: a reply read
// before it is ready is a null message, a message sent while a setting is applied is not
// acknowledged. Faults can be injected for the next transfers.
class SimulatedMonitor final : public I2cTransport
{
public:
    SimulatedMonitor(DdcClock &clock, VcpValue brightness, DdcTimings timings = {});

    std::error_code write(std::span<const std::uint8_t> bytes) override;
    std::error_code read(std::span<std::uint8_t> bytes) override;

    // A bus handle for code that owns the bus it is given; the monitor must outlive it.
    std::unique_ptr<I2cTransport> connect();

    // Time on the wire per byte, address included; about 90 µs at DDC's 100 kHz. Zero by default.
    void setByteTime(std::chrono::nanoseconds time) { m_byteTime = time; }
    void setSupportsBrightness(bool supported) { m_supported = supported; }
    // The next transfers go unacknowledged.
    void nakNext(int transfers = 1) { m_naks += transfers; }
    // The next replies arrive with a damaged byte.
    void corruptNext(int replies = 1) { m_corruptions += replies; }
    // The next get requests are answered with null messages, as by a busy display.
    void busyNext(int replies = 1) { m_busy += replies; }
    void clearFaults() { m_naks = m_corruptions = m_busy = 0; }

    VcpValue brightness() const { return m_brightness; }
    void setBrightness(VcpValue value) { m_brightness = value; }
    // Set VCP Feature messages applied.
    int writesApplied() const { return m_writesApplied; }
    // Get VCP Feature messages received.
    int readsRequested() const { return m_readsRequested; }
    // Messages rejected for their checksum or framing.
    int garbledMessages() const { return m_garbled; }
    // Transfers that came before the display was ready for them.
    int timingViolations() const { return m_violations; }

private:
    void spendBusTime(std::size_t bytes);
    bool consume(int &count);

    DdcClock &m_clock;
    VcpValue m_brightness;
    const DdcTimings m_timings;
    bool m_supported = true;
    std::chrono::nanoseconds m_byteTime{0};

    int m_naks = 0;
    int m_corruptions = 0;
    int m_busy = 0;

    std::optional<std::vector<std::uint8_t>> m_reply;
    DdcClock::TimePoint m_replyReadyAt{};
    DdcClock::TimePoint m_busyUntil{};

    int m_writesApplied = 0;
    int m_readsRequested = 0;
    int m_garbled = 0;
    int m_violations = 0;
};

} // namespace lumvex::ddc
