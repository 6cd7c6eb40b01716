// SPDX-License-Identifier: MIT
#pragma once

#include "ServerScaler.h"
#include "sensing/DisplayId.h"
#include "sensing/ScreenCapture.h"

#include <atomic>
#include <chrono>
#include <memory>

namespace lumvex {

// Captures one RandR monitor of an X11 desktop: its rectangle of the root window, copied by the
// server into memory shared with us (MIT-SHM), then reduced. By default DAMAGE guides it: while
// nothing is drawn on the monitor the previous figures are given again, and after a drawing only the
// rectangles drawn on are copied into the frame kept from before (whole rows where the server cannot
// make pixmaps on shared memory), and only the thumbnail pixels they fall in are squeezed again. When most of the
// monitor was drawn on (a video, scrolling), the server shrinks the frame before it is copied, at figures within
// 0.01 of the exact ones: with a GPU the shrink runs there and the read is small; on a server that draws in memory
// it still costs less, the server's time and ours together, than the plain copy. The X connections are made on
// first use, on the thread that captures.
class X11ShmCapture final : public ScreenCapture
{
public:
    enum class Mode {
        WhenDrawn, // read only what was drawn on the monitor since the previous capture
        EveryTime, // read the whole monitor every time, for comparison
    };

    // The cheapest shrinking that keeps the figures within bounds on the test images
    // (bench/sampler-cpu.sh --sweep; point filters and larger factors miss text and fine lines).
    static constexpr ServerScale kScale{ServerScale::Filter::Box, 4};

    // Where the whole screen keeps changing, the glance that tells whether a full read is due.
    static constexpr ServerScale kGlance{ServerScale::Filter::Nearest, 16, true};

    enum class Pace {
        GlanceWhenBusy, // while the whole screen keeps changing, a full read only when a glance says
                        // the figures changed (GlanceMemory)
        Full,           // a full read on every capture that finds a drawing, for comparison
    };

    // Without `scale` every frame read is read at full size, and the pace is always full.
    explicit X11ShmCapture(DisplayId display, Mode mode = Mode::WhenDrawn, std::optional<ServerScale> scale = kScale,
                           Pace pace = Pace::GlanceWhenBusy);
    ~X11ShmCapture() override;
    X11ShmCapture(const X11ShmCapture &) = delete;
    X11ShmCapture &operator=(const X11ShmCapture &) = delete;

    std::optional<ScreenReduction> captureAndReduce() override;
    std::optional<std::string> unavailableReason() const override { return m_unavailableReason; }
    // Lets go of the connection and the frame, which a 4K monitor makes 33 MB; the next capture
    // connects again and reads the whole frame.
    void pause() override;

    // Frames read from the server so far, whole or in part, and the monitor rows they took; captures
    // that reuse figures read none. Any thread.
    int framesRead() const { return m_framesRead; }
    long rowsRead() const { return m_rowsRead; }
    // Of those frames, the ones the server shrank; they count no rows.
    int scaledFramesRead() const { return m_scaledFramesRead; }

private:
    struct Session;

    // Connects when there is no usable connection, at most every kRetryInterval.
    bool ensureSession();
    std::unique_ptr<Session> connect();

    static constexpr std::chrono::seconds kRetryInterval{5};

    const DisplayId m_display;
    const Mode m_mode;
    const std::optional<ServerScale> m_scale;
    const Pace m_pace;
    std::unique_ptr<Session> m_session;
    std::optional<std::string> m_unavailableReason;
    std::chrono::steady_clock::time_point m_nextAttempt;
    std::atomic<int> m_framesRead = 0;
    std::atomic<long> m_rowsRead = 0;
    std::atomic<int> m_scaledFramesRead = 0;
};

} // namespace lumvex
