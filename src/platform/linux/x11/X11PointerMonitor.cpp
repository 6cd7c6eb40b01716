// SPDX-License-Identifier: MIT
#include "X11PointerMonitor.h"

#include <xcb/xinput.h>

#include <algorithm>

namespace lumvex {

X11PointerMonitor::X11PointerMonitor(std::function<void()> onMotion, std::chrono::milliseconds minInterval)
    : m_onMotion(std::move(onMotion))
    , m_minInterval(minInterval)
{
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { report(); });

    const xcb_query_extension_reply_t *xinput = m_x.extension(xcb_input_id);
    if (xinput == nullptr || m_x.root() == XCB_WINDOW_NONE) {
        return;
    }
    // The server speaks XInput2 only to clients that have announced their version.
    const auto version = m_x.reply(xcb_input_xi_query_version_reply, xcb_input_xi_query_version(m_x.get(), 2, 2));
    if (!version || version->major_version < 2) {
        return;
    }
    m_xinputOpcode = xinput->major_opcode;

    struct
    {
        xcb_input_event_mask_t header;
        std::uint32_t bits;
    } mask{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, XCB_INPUT_XI_EVENT_MASK_RAW_MOTION};
    // Raw events reach the root window whatever window the pointer is over, and even during grabs.
    const xcb_void_cookie_t select = xcb_input_xi_select_events_checked(m_x.get(), m_x.root(), 1, &mask.header);
    XcbReply<xcb_generic_error_t> error(xcb_request_check(m_x.get(), select));
    m_active = !error;
    m_x.setEventHandler([this](const xcb_generic_event_t &event) { handleEvent(event); });
}

void X11PointerMonitor::handleEvent(const xcb_generic_event_t &event)
{
    if ((event.response_type & 0x7f) != XCB_GE_GENERIC) {
        return;
    }
    const auto &generic = reinterpret_cast<const xcb_ge_generic_event_t &>(event);
    if (generic.extension != m_xinputOpcode || generic.event_type != XCB_INPUT_RAW_MOTION || m_timer.isActive()) {
        return;
    }
    const auto sinceLast = std::chrono::steady_clock::now() - m_lastReport;
    const auto wait = std::max(std::chrono::milliseconds(0),
                               m_minInterval - std::chrono::duration_cast<std::chrono::milliseconds>(sinceLast));
    m_timer.start(wait);
}

void X11PointerMonitor::report()
{
    m_lastReport = std::chrono::steady_clock::now();
    if (m_onMotion) {
        m_onMotion();
    }
}

} // namespace lumvex
