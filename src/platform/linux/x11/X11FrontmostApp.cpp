// SPDX-License-Identifier: MIT
#include "X11FrontmostApp.h"

#include "WindowClass.h"

#include <cstdlib>
#include <cstring>

namespace lumvex {

namespace {

// In 32-bit units: enough for any application id or window class.
constexpr std::uint32_t kMaxPropertyLength = 1024;

std::string propertyText(const xcb_get_property_reply_t *reply)
{
    if (reply == nullptr || reply->format != 8) {
        return {};
    }
    return std::string(static_cast<const char *>(xcb_get_property_value(reply)),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply)));
}

} // namespace

X11FrontmostApp::X11FrontmostApp(std::function<void()> onSwitch)
    : m_onSwitch(std::move(onSwitch))
{
    if (!m_x.isOpen() || m_x.root() == XCB_WINDOW_NONE) {
        return;
    }
    m_activeWindowAtom = intern("_NET_ACTIVE_WINDOW");
    m_gtkApplicationIdAtom = intern("_GTK_APPLICATION_ID");
    if (m_activeWindowAtom == XCB_ATOM_NONE) {
        return;
    }
    if (m_watch.isOpen() && m_watch.root() == m_x.root()) {
        m_watch.setEventHandler([this](const xcb_generic_event_t &event) { handleEvent(event); });
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        // Checked, so that the watch is in place before the first answer below is read.
        std::free(xcb_request_check(m_watch.get(), xcb_change_window_attributes_checked(m_watch.get(), m_watch.root(),
                                                                                        XCB_CW_EVENT_MASK, &mask)));
    }
    m_lastApp = frontmostApp();
}

xcb_atom_t X11FrontmostApp::intern(std::string_view name) const
{
    // Made if missing: a window manager that starts later sets the property under this very atom.
    const auto reply = m_x.reply(xcb_intern_atom_reply,
                                 xcb_intern_atom(m_x.get(), 0, static_cast<std::uint16_t>(name.size()), name.data()));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t X11FrontmostApp::activeWindow() const
{
    if (!isConnected()) {
        return XCB_WINDOW_NONE;
    }
    const auto reply = m_x.reply(xcb_get_property_reply,
                                 xcb_get_property(m_x.get(), 0, m_x.root(), m_activeWindowAtom, XCB_ATOM_WINDOW, 0, 1));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return XCB_WINDOW_NONE;
    }
    xcb_window_t window = XCB_WINDOW_NONE;
    std::memcpy(&window, xcb_get_property_value(reply.get()), sizeof window);
    return window;
}

X11FrontmostApp::App X11FrontmostApp::appOf(xcb_window_t window) const
{
    // Both requests go out before the first answer is awaited: one round trip.
    const auto gtkCookie = xcb_get_property(m_x.get(), 0, window, m_gtkApplicationIdAtom, XCB_GET_PROPERTY_TYPE_ANY, 0,
                                            kMaxPropertyLength);
    const auto classCookie =
        xcb_get_property(m_x.get(), 0, window, XCB_ATOM_WM_CLASS, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxPropertyLength);
    const auto gtk = m_x.reply(xcb_get_property_reply, gtkCookie);
    const auto wmClass = m_x.reply(xcb_get_property_reply, classCookie);

    App app;
    app.name = x11::windowClassName(propertyText(wmClass.get()));
    if (std::string id = propertyText(gtk.get()); !id.empty() && x11::isValidUtf8(id)) {
        app.id = std::move(id);
    } else {
        app.id = app.name;
    }
    return app;
}

std::optional<X11FrontmostApp::App> X11FrontmostApp::frontmostApp() const
{
    const xcb_window_t window = activeWindow();
    if (window == XCB_WINDOW_NONE) {
        return std::nullopt;
    }
    return appOf(window);
}

std::optional<std::string> X11FrontmostApp::frontmostAppId() const
{
    const auto app = frontmostApp();
    return app ? app->id : std::nullopt;
}

std::optional<std::string> X11FrontmostApp::frontmostAppName() const
{
    const auto app = frontmostApp();
    return app ? app->name : std::nullopt;
}

void X11FrontmostApp::handleEvent(const xcb_generic_event_t &event)
{
    if ((event.response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
        return;
    }
    const auto &change = reinterpret_cast<const xcb_property_notify_event_t &>(event);
    if (change.window != m_watch.root() || change.atom != m_activeWindowAtom) {
        return;
    }
    // Window managers pass through "no window" between two others; only a new application counts.
    const auto app = frontmostApp();
    if (!app || app == m_lastApp) {
        return;
    }
    m_lastApp = app;
    if (m_onSwitch) {
        m_onSwitch();
    }
}

} // namespace lumvex
