// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ScreenCapture.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

struct wl_output;

namespace lumvex {

class WaylandConnection;

// Captures one output of a wlroots-based compositor by name, over the screencopy protocol into memory
// shared with the compositor, then reduces it. By default one copy waits at the compositor until the
// output is drawn on again: while it waits the previous figures are given again, so a still screen
// costs neither side a frame. Made on any thread; the connection is opened on first use, on the
// thread that captures, and no capture waits for the compositor longer than kWaitLimit (what it waited
// for is kept for the next one).
class WlrScreencopyCapture final : public ScreenCapture
{
public:
    enum class Mode {
        WhenDrawn, // copy again only after the compositor has drawn on the output
        EveryTime, // copy the whole output on every capture, for comparison
    };

    static constexpr std::chrono::milliseconds kWaitLimit{450};
    // The glance at a busy output's copies: one pixel in kGlanceStep x kGlanceStep.
    static constexpr int kGlanceStep = 16;

    explicit WlrScreencopyCapture(std::string outputName, Mode mode = Mode::WhenDrawn);
    ~WlrScreencopyCapture() override;
    WlrScreencopyCapture(const WlrScreencopyCapture &) = delete;
    WlrScreencopyCapture &operator=(const WlrScreencopyCapture &) = delete;

    std::optional<ScreenReduction> captureAndReduce() override;
    std::optional<std::string> unavailableReason() const override { return m_unavailableReason; }
    // Lets go of the connection and the shared buffer (8 MB at 1920x1080); the next capture
    // connects again.
    void pause() override;

    // Frames copied and reduced so far; captures that give the previous figures again copy none.
    // Any thread.
    int framesRead() const { return m_framesRead; }

private:
    struct Frame;
    struct Session;
    using Clock = std::chrono::steady_clock;

    // Connects when there is no usable connection and the back-off allows it.
    bool ensureSession(Clock::time_point deadline);
    void dropSession();
    std::optional<ScreenReduction> reduceReadyFrame();
    // Asks for a copy of the output's next drawing, to be looked at by later captures.
    void watchForDrawing(wl_output *output, Clock::time_point deadline);

    static constexpr std::chrono::milliseconds kDescribeLimit{50};
    static constexpr std::chrono::seconds kFirstRetry{1};
    static constexpr std::chrono::seconds kLongestRetry{30};

    const std::string m_outputName;
    const Mode m_mode;
    std::unique_ptr<Session> m_session;
    // Connected, and waiting for the compositor to describe itself.
    std::unique_ptr<WaylandConnection> m_connecting;
    std::optional<std::string> m_unavailableReason;
    bool m_everConnected = false;
    Clock::time_point m_nextAttempt;
    std::chrono::seconds m_retryDelay = kFirstRetry;
    std::atomic<int> m_framesRead = 0;
};

} // namespace lumvex
