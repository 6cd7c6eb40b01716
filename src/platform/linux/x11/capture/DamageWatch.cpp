// SPDX-License-Identifier: MIT
#include "DamageWatch.h"

#include <cstdlib>

namespace lumvex {

std::unique_ptr<DamageWatch> DamageWatch::create(const XcbConnection &x)
{
    const xcb_query_extension_reply_t *damage = x.extension(xcb_damage_id);
    if (damage == nullptr || x.extension(xcb_xfixes_id) == nullptr) {
        return nullptr;
    }
    // Both extensions refuse requests from clients that have not asked for their version.
    const auto damageCookie = xcb_damage_query_version(x.get(), 1, 1);
    const auto fixesCookie = xcb_xfixes_query_version(x.get(), 2, 0);
    const auto damageVersion = x.reply(xcb_damage_query_version_reply, damageCookie);
    const auto fixesVersion = x.reply(xcb_xfixes_query_version_reply, fixesCookie);
    if (!damageVersion || !fixesVersion || fixesVersion->major_version < 2 ||
        (damageVersion->major_version == 1 && damageVersion->minor_version < 1)) {
        return nullptr;
    }
    const xcb_damage_damage_t id = xcb_generate_id(x.get());
    const xcb_xfixes_region_t region = xcb_generate_id(x.get());
    xcb_xfixes_create_region(x.get(), region, 0, nullptr);
    xcb_generic_error_t *error =
        xcb_request_check(x.get(), xcb_damage_create_checked(x.get(), id, x.root(), XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY));
    if (error != nullptr) {
        std::free(error);
        xcb_xfixes_destroy_region(x.get(), region);
        return nullptr;
    }
    return std::make_unique<DamageWatch>(Created{}, x, damage->first_event, id, region);
}

DamageWatch::~DamageWatch()
{
    if (m_x.isOpen()) {
        xcb_damage_destroy(m_x.get(), m_damage);
        xcb_xfixes_destroy_region(m_x.get(), m_region);
        xcb_flush(m_x.get());
    }
}

void DamageWatch::handleEvent(const xcb_generic_event_t &event)
{
    if ((event.response_type & 0x7f) != m_eventBase + XCB_DAMAGE_NOTIFY) {
        return;
    }
    if (reinterpret_cast<const xcb_damage_notify_event_t &>(event).damage == m_damage) {
        m_announced = true;
    }
}

std::vector<RowSpan> DamageWatch::takeDamage(const MonitorGeometry &area)
{
    if (!m_announced) {
        return {};
    }
    m_announced = false;
    // Moving the damage into the region empties it, so that the next drawing is announced again.
    xcb_damage_subtract(m_x.get(), m_damage, XCB_NONE, m_region);
    const auto drawn = m_x.reply(xcb_xfixes_fetch_region_reply, xcb_xfixes_fetch_region(m_x.get(), m_region));
    if (!drawn) {
        return {{0, area.height, 0, area.width}};
    }
    return damagedRows({xcb_xfixes_fetch_region_rectangles(drawn.get()),
                        static_cast<std::size_t>(xcb_xfixes_fetch_region_rectangles_length(drawn.get()))},
                       area);
}

} // namespace lumvex
