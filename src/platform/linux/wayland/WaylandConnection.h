// SPDX-License-Identifier: MIT
#pragma once

#include "ForeignToplevels.h"
#include "WaylandOutputs.h"
#include "WaylandPtr.h"

#include <wayland-client.h>
#include <wlr-screencopy-unstable-v1-client-protocol.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace lumvex {

// One client connection to the Wayland compositor named by WAYLAND_DISPLAY, with the globals Lumvex
// uses: the outputs, shared memory, screencopy and, where asked for, the toplevel windows. It is used on one thread,
// the one that opened it, and never waits for the compositor longer than it is told to. A busy compositor
// may take seconds to describe itself: the connection is kept and finishes describing itself whenever its
// events are dispatched, so nobody has to wait for it.
class WaylandConnection
{
public:
    using Clock = std::chrono::steady_clock;

    enum class OpenError {
        NoCompositor, // WAYLAND_DISPLAY is not set
        Unreachable,  // no compositor answers at that socket
    };

    // What a connection follows besides the outputs, shared memory and screencopy.
    enum class Toplevels { ignored, followed };

    // Connects and asks for the globals and the outputs' names and places (and the toplevels when they are
    // followed), without waiting for the answer: isDescribed() tells when it has come.
    static std::unique_ptr<WaylandConnection> open(OpenError *error = nullptr,
                                                   Toplevels toplevels = Toplevels::ignored);
    // WAYLAND_DISPLAY, or empty when it is not set.
    static std::string socketName();

    ~WaylandConnection();
    WaylandConnection(const WaylandConnection &) = delete;
    WaylandConnection &operator=(const WaylandConnection &) = delete;

    // Handles the events that have arrived, without waiting, and sends what is queued. False once the
    // connection is broken.
    bool dispatchPending();
    // The socket, for an event loop to watch for reading (and for writing while wantsWrite()).
    int fd() const;
    // Requests are still queued because the compositor has not read the ones before.
    bool wantsWrite() const { return m_wantsWrite; }
    // Handles events as they come until `done` holds or the deadline passes; returns `done()`.
    bool dispatchUntil(const std::function<bool()> &done, Clock::time_point deadline);
    bool isBroken() const { return m_broken; }
    // The compositor has told its globals and what the outputs bound from them say about themselves.
    bool isDescribed() const { return m_describeSteps == 0; }

    const WaylandOutputs &outputs() const { return m_outputs; }
    const ForeignToplevels &toplevels() const { return m_toplevels; }
    wl_shm *shm() const { return m_shm.get(); }
    zwlr_screencopy_manager_v1 *screencopy() const { return m_screencopy.get(); }

    // Made by open() only.
    class Key
    {
        friend WaylandConnection;
        Key() = default;
    };
    // Takes over the display.
    WaylandConnection(Key, wl_display *display, Toplevels toplevels);

private:
    // Reads what the socket holds, waiting at most `timeout`.
    void readEvents(std::chrono::milliseconds timeout);
    void markBrokenIf(bool failed);
    void flush();
    // Each answer to a sync brings what the requests before it asked for: the first the globals, the
    // second what the outputs bound from them say.
    void askToDescribe();

    static const wl_registry_listener kRegistryListener;

    WaylandPtr<wl_display> m_display;
    WaylandPtr<wl_registry> m_registry;
    WaylandOutputs m_outputs;
    const Toplevels m_followToplevels;
    ForeignToplevels m_toplevels;
    WaylandPtr<wl_shm> m_shm;
    WaylandPtr<zwlr_screencopy_manager_v1> m_screencopy;
    std::uint32_t m_screencopyName = 0;
    WaylandPtr<wl_callback> m_describeCallback;
    int m_describeSteps = 2;
    bool m_broken = false;
    bool m_wantsWrite = false;
};

} // namespace lumvex
