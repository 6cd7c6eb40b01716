// SPDX-License-Identifier: MIT
#pragma once

#include "engine/FrontmostAppProvider.h"
#include "platform/linux/x11/XcbConnection.h"

#include <functional>
#include <optional>
#include <string>

namespace lumvex {

// The application of the active window of an X11 desktop (the window manager's _NET_ACTIVE_WINDOW): its
// GTK application id, else its window class, as identifier, and its window class as name. Asks the server
// on every call, so the answer is never stale. Without a server or a window manager there is no application.
class X11FrontmostApp final : public FrontmostAppProvider
{
public:
    struct App
    {
        std::optional<std::string> id;
        std::optional<std::string> name;

        friend bool operator==(const App &, const App &) = default;
    };

    // `onSwitch` runs, from Qt's event loop of this thread, whenever a window of another application becomes
    // active; moving between windows of one application, or to no window at all, is not a switch.
    explicit X11FrontmostApp(std::function<void()> onSwitch = {});
    X11FrontmostApp(const X11FrontmostApp &) = delete;
    X11FrontmostApp &operator=(const X11FrontmostApp &) = delete;

    bool isConnected() const { return m_x.isOpen() && m_activeWindowAtom != XCB_ATOM_NONE; }

    // Nothing when no window is active.
    std::optional<App> frontmostApp() const;
    std::optional<std::string> frontmostAppId() const override;
    std::optional<std::string> frontmostAppName() const override;

private:
    xcb_atom_t intern(std::string_view name) const;
    xcb_window_t activeWindow() const;
    App appOf(xcb_window_t window) const;
    void handleEvent(const xcb_generic_event_t &event);

    // Questions and the watch go over separate connections: events that arrive while a question waits for
    // its answer are queued inside xcb, where the watch's socket notifier would not see them.
    XcbConnection m_x;
    XcbConnection m_watch;
    xcb_atom_t m_activeWindowAtom = XCB_ATOM_NONE;
    xcb_atom_t m_gtkApplicationIdAtom = XCB_ATOM_NONE;
    std::function<void()> m_onSwitch;
    std::optional<App> m_lastApp;
};

} // namespace lumvex
