#include "CaptureBackend.h"

#include "UnavailableCapture.h"
#include "X11ShmCapture.h"

#include <cstdlib>

namespace lumvex {

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

SessionEnvironment SessionEnvironment::current()
{
    return {environment("DISPLAY"), environment("WAYLAND_DISPLAY"), environment("XDG_SESSION_TYPE")};
}

std::optional<std::string> sessionCaptureProblem(const SessionEnvironment &session)
{
    // The login manager's session type wins over WAYLAND_DISPLAY, which a nested compositor inside an
    // X11 session sets too.
    const bool wayland =
        session.sessionType == "wayland" || (session.sessionType != "x11" && !session.waylandDisplay.empty());
    if (wayland) {
        return "Screen capture is not available in a Wayland session yet; automatic adjustment needs an X11 "
               "session.";
    }
    if (session.display.empty()) {
        return "Screen capture needs an X server, and DISPLAY is not set.";
    }
    return std::nullopt;
}

std::unique_ptr<ScreenCapture> makeScreenCapture(DisplayId display)
{
    if (std::optional<std::string> problem = sessionCaptureProblem(SessionEnvironment::current())) {
        return std::make_unique<UnavailableCapture>(std::move(*problem));
    }
    return std::make_unique<X11ShmCapture>(display);
}

} // namespace lumvex
