// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace lumvex {

// What a desktop session tells its programs about itself.
struct SessionEnvironment
{
    std::string display;        // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string sessionType;    // XDG_SESSION_TYPE

    static SessionEnvironment current();
};

enum class DisplayProtocol { x11, wayland, none };

// The display server the session's screen belongs to. The login manager's session type wins over
// WAYLAND_DISPLAY, which a nested compositor inside an X11 session sets too; in a Wayland session an X
// server beside the compositor shows only the X11 programs, so it does not count.
DisplayProtocol displayProtocol(const SessionEnvironment &session);

} // namespace lumvex
