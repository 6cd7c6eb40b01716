#pragma once

#include "sensing/DisplayId.h"
#include "sensing/ScreenCapture.h"

#include <memory>
#include <optional>
#include <string>

namespace lumvex {

// What decides which capture this session gets.
struct SessionEnvironment
{
    std::string display;        // DISPLAY
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string sessionType;    // XDG_SESSION_TYPE

    static SessionEnvironment current();
};

// Why no capture of ours can work in this session, in one line for the user; nothing when X11 capture
// may. A Wayland session is refused even with an X server beside it: that server's root window shows
// only the X11 programs, so its figures would describe a mostly empty screen.
std::optional<std::string> sessionCaptureProblem(const SessionEnvironment &session);

// The capture of one display for this session: X11 shared memory, or one that says why there is none.
std::unique_ptr<ScreenCapture> makeScreenCapture(DisplayId display);

} // namespace lumvex
