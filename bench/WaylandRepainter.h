#pragma once

#include <atomic>
#include <memory>
#include <thread>

namespace lumvex::bench {

// A fullscreen Wayland window on its own thread and connection that shows a new colour on every frame
// the compositor offers, so that the output it covers is drawn on all the time.
class WaylandRepainter
{
public:
    WaylandRepainter();
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
    std::thread m_thread;
};

} // namespace lumvex::bench
