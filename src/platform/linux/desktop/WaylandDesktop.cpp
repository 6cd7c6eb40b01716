// SPDX-License-Identifier: MIT
#include "WaylandDesktop.h"

#include "WaylandFrontmostApp.h"

#include "platform/linux/capture/UnavailableCapture.h"
#include "platform/linux/portal/PortalScreenCapture.h"
#include "platform/linux/wayland/WlrScreencopyCapture.h"

namespace lumvex {

WaylandDesktop::WaylandDesktop(Defaults &defaults, CaptureChoice choice)
    : m_defaults(defaults)
    , m_choice(choice)
{}

std::unique_ptr<ScreenCapture> WaylandDesktop::makeCapture(DisplayId display)
{
    if (!m_displays.isConnected()) {
        return std::make_unique<UnavailableCapture>(
            "Screen capture cannot reach the Wayland compositor (WAYLAND_DISPLAY is not set or does not answer).");
    }
    const bool screencopy = m_choice == CaptureChoice::screencopy ||
                            (m_choice == CaptureChoice::automatic && m_displays.offersScreencopy());
    if (screencopy) {
        return std::make_unique<WlrScreencopyCapture>(m_displays.outputName(display).value_or(std::string()));
    }
    std::optional<QRect> area;
    if (const std::optional<OutputRect> rect = m_displays.logicalGeometry(display)) {
        area = QRect(rect->x, rect->y, rect->width, rect->height);
    }
    return std::make_unique<PortalScreenCapture>(m_defaults, area);
}

FrontmostAppProvider &WaylandDesktop::watchFrontmostApp(std::function<void()> onSwitch)
{
    m_displays.onAppSwitch = std::move(onSwitch);
    m_frontmostApp = std::make_unique<WaylandFrontmostApp>(m_displays);
    return *m_frontmostApp;
}

void WaylandDesktop::notePointerAt(int x, int y)
{
    m_displays.notePointerAt(x, y);
}

} // namespace lumvex
