// SPDX-License-Identifier: MIT
#include "OpenDesktop.h"
#include "platform/linux/Logging.h"

#include "WaylandDesktop.h"
#include "X11Desktop.h"

namespace lumvex {

std::unique_ptr<Desktop> openDesktop(const SessionEnvironment &session, Defaults &defaults,
                                     const std::optional<std::string> &captureOverride)
{
    if (displayProtocol(session) != DisplayProtocol::wayland) {
        return std::make_unique<X11Desktop>();
    }
    WaylandDesktop::CaptureChoice choice = WaylandDesktop::CaptureChoice::automatic;
    if (captureOverride == "screencopy") {
        choice = WaylandDesktop::CaptureChoice::screencopy;
    } else if (captureOverride == "portal") {
        choice = WaylandDesktop::CaptureChoice::portal;
    } else if (captureOverride && !captureOverride->empty()) {
        qCWarning(lcDesktop, "LUMVEX_CAPTURE=%s is neither screencopy nor portal; choosing by the compositor",
                  captureOverride->c_str());
    }
    return std::make_unique<WaylandDesktop>(defaults, choice);
}

} // namespace lumvex
