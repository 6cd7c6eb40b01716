// SPDX-License-Identifier: MIT
#pragma once

#include "engine/FrontmostAppProvider.h"
#include "platform/linux/wayland/WaylandDisplayServices.h"

namespace lumvex {

// The application in front on a Wayland desktop: the active window's application id, where the
// compositor tells its task bars (wlroots compositors); nothing elsewhere. The id serves as the name too,
// as Wayland has no window class.
class WaylandFrontmostApp final : public FrontmostAppProvider
{
public:
    // `displays` must outlive the provider.
    explicit WaylandFrontmostApp(WaylandDisplayServices &displays)
        : m_displays(displays)
    {}

    std::optional<std::string> frontmostAppId() const override { return m_displays.activeAppId(); }
    std::optional<std::string> frontmostAppName() const override { return m_displays.activeAppId(); }

private:
    WaylandDisplayServices &m_displays;
};

} // namespace lumvex
