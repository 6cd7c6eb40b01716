// SPDX-License-Identifier: MIT
#pragma once

#include "DamagedRows.h"
#include "platform/linux/x11/XcbConnection.h"

#include <xcb/damage.h>
#include <xcb/xfixes.h>

#include <memory>

namespace lumvex {

// Tells which rows of an area of the root window were drawn on since the previous look. The server
// announces only the first drawing after each look, so a screen that does not change costs no request
// at all; only after an announcement is the drawn region fetched and laid over the area.
class DamageWatch
{
    struct Created
    {
        explicit Created() = default;
    };

public:
    // Watches the root window; nothing when the server lacks DAMAGE 1.1 or XFixes 2.
    static std::unique_ptr<DamageWatch> create(const XcbConnection &x);
    DamageWatch(Created, const XcbConnection &x, std::uint8_t eventBase, xcb_damage_damage_t damage,
                xcb_xfixes_region_t region)
        : m_x(x)
        , m_eventBase(eventBase)
        , m_damage(damage)
        , m_region(region)
    {}
    ~DamageWatch();
    DamageWatch(const DamageWatch &) = delete;
    DamageWatch &operator=(const DamageWatch &) = delete;

    // Notes the announcements among the connection's events.
    void handleEvent(const xcb_generic_event_t &event);
    // The rows of `area` drawn on since the previous call, none when nothing was; all drawing so far
    // is forgotten either way.
    std::vector<RowSpan> takeDamage(const MonitorGeometry &area);

private:
    const XcbConnection &m_x;
    std::uint8_t m_eventBase;
    xcb_damage_damage_t m_damage;
    xcb_xfixes_region_t m_region;
    bool m_announced = false;
};

} // namespace lumvex
