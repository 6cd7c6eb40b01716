// SPDX-License-Identifier: MIT
#pragma once

#include "OutputLayout.h"
#include "sensing/DisplayServices.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

namespace lumvex {

class WaylandConnection;

// The displays of a Wayland desktop: the compositor's outputs, each known by the id of its name
// (outputNameId). Nothing here waits for the compositor: the owner's event loop watches fd() and calls
// dispatch(), and every question also first handles what has arrived since. Until the compositor has
// described its outputs, however long it takes, and after it has gone, the answers are neutral. Used
// on one thread.
//
// Wayland tells no client where the pointer is, so the position comes from hints: the owner passes
// on the positions it learns (a click on a tray item) with notePointerAt(). A hint expires like the
// router's other position hints (DisplayRouter::kStaleness): the pointer has moved on since.
class WaylandDisplayServices final : public DisplayServices
{
public:
    // Connects to the compositor at WAYLAND_DISPLAY without waiting for it. LUMVEX_BUILTIN_OUTPUT names
    // an output to take as built in besides the eDP, LVDS and DSI connectors.
    WaylandDisplayServices();
    ~WaylandDisplayServices() override;
    WaylandDisplayServices(const WaylandDisplayServices &) = delete;
    WaylandDisplayServices &operator=(const WaylandDisplayServices &) = delete;

    // Whether the compositor has described its outputs; otherwise every answer is neutral.
    bool isConnected();
    // Connected, and the compositor has not described its outputs yet.
    bool isWaiting();
    // Not connected, and its socket still looked for (at login the compositor may come later).
    bool isLookingForCompositor() const { return !m_connection && !m_lost && m_attemptsLeft > 0; }
    // Handles what the compositor has sent and sends what is queued, without waiting.
    void dispatch();
    // The connection's socket to watch for reading, -1 without one; it changes when onConnectionChange runs.
    int fd() const;
    // Grows whenever the outputs change or the compositor finishes describing them.
    std::uint64_t changes() const;
    // Requests wait for the compositor to read the ones before: watch fd() for writing too.
    bool wantsWrite() const;
    // Runs when a connection has been made or let go.
    std::function<void()> onConnectionChange;
    // Whether the compositor lets clients copy its outputs (zwlr_screencopy_manager_v1).
    bool offersScreencopy();

    DisplayId mainDisplay() override;
    bool isBuiltIn(DisplayId id) override;
    std::optional<std::vector<DisplayId>> onlineDisplays() override;
    std::vector<Screen> screens() override;
    std::optional<Point> pointerLocation() override;
    std::optional<std::string> outputName(DisplayId id) override;

    // The output's place in the compositor's logical coordinates, y growing downwards.
    std::optional<OutputRect> logicalGeometry(DisplayId id);
    // The pointer was last seen here, in the compositor's logical coordinates (y down).
    void notePointerAt(int x, int y);

    // The application id of the active window where the compositor tells (wlroots compositors); nothing
    // elsewhere, or when no window is active.
    std::optional<std::string> activeAppId();
    // Runs from any question above once a window of another application than the last one has become
    // active; moving to no window at all is not a switch.
    std::function<void()> onAppSwitch;

private:
    // The outputs as they are now; empty without a connection.
    std::vector<NamedOutput> currentOutputs();
    const NamedOutput *find(const std::vector<NamedOutput> &outputs, DisplayId id) const;

    std::unique_ptr<WaylandConnection> m_connection;
    // LUMVEX_BUILTIN_OUTPUT names the panel where its connector name does not tell.
    BuiltInRule m_builtIn;
    struct PointerHint
    {
        int x;
        int y;
        std::chrono::steady_clock::time_point at;
    };
    std::optional<PointerHint> m_pointerHint;
    std::optional<std::string> m_lastApp;
    void connect();
    void letGo();

    // A compositor not yet listening when we start (at login) is looked for every second for a minute, but
    // never after a connection has broken.
    bool m_lost = false;
    int m_attemptsLeft = 60;
    std::chrono::steady_clock::time_point m_nextAttempt;
    // Names of every output seen, so that a display that has just gone is still known.
    std::unordered_map<DisplayId, std::string> m_names;
};

} // namespace lumvex
