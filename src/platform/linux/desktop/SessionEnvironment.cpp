// SPDX-License-Identifier: MIT
#include "SessionEnvironment.h"

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

DisplayProtocol displayProtocol(const SessionEnvironment &session)
{
    if (session.sessionType == "wayland" || (session.sessionType != "x11" && !session.waylandDisplay.empty())) {
        return DisplayProtocol::wayland;
    }
    return session.display.empty() ? DisplayProtocol::none : DisplayProtocol::x11;
}

} // namespace lumvex
