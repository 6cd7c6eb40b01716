// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace lumvex::test {

// A Wayland window on its own thread and connection that shows a new colour on every frame the
// compositor offers, so that the output it covers is drawn on all the time: fullscreen, or tiled as the
// compositor places new windows. Its application id is `appId`.
class WaylandRepainter
{
public:
    explicit WaylandRepainter(std::string appId = "org.lumvex.Repainter", bool fullscreen = true);
    ~WaylandRepainter();
    WaylandRepainter(const WaylandRepainter &) = delete;
    WaylandRepainter &operator=(const WaylandRepainter &) = delete;

    // Waits until the window has been shown; false when it could not be.
    bool waitUntilShown();
    long framesShown() const { return m_frames; }

private:
    struct Window;
    void run();

    std::atomic<bool> m_quit = false;
    std::atomic<bool> m_failed = false;
    std::atomic<long> m_frames = 0;
    const std::string m_appId;
    const bool m_fullscreen;
    std::thread m_thread;
};

} // namespace lumvex::test
