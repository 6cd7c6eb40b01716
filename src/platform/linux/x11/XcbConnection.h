// SPDX-License-Identifier: MIT
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace lumvex {

struct FreeDeleter
{
    void operator()(void *pointer) const { std::free(pointer); }
};

// A reply or event that xcb allocated for us.
template<typename T>
using XcbReply = std::unique_ptr<T, FreeDeleter>;

// A connection of our own to the X server named by DISPLAY, independent of the toolkit's, so that it
// also serves a program without windows. Events are handed over on the thread that made it: from
// Qt's event loop when one runs there, and whenever dispatchEvents() is called.
class XcbConnection
{
public:
    XcbConnection();
    ~XcbConnection();
    XcbConnection(const XcbConnection &) = delete;
    XcbConnection &operator=(const XcbConnection &) = delete;

    // Connected, and no error since.
    bool isOpen() const;
    xcb_connection_t *get() const { return m_connection.get(); }
    xcb_window_t root() const { return m_root; }
    // The extension's details when the server has it, nothing otherwise.
    const xcb_query_extension_reply_t *extension(xcb_extension_t &id) const;

    void setEventHandler(std::function<void(const xcb_generic_event_t &)> handler) { m_handler = std::move(handler); }
    // Hands every event read so far to the handler, including those that xcb queued while it waited for
    // a reply and that the socket therefore no longer announces.
    void dispatchEvents();

    // Waits for the reply to a request; a failed request gives nothing.
    template<typename Reply, typename Cookie>
    XcbReply<Reply> reply(Reply *(*fetch)(xcb_connection_t *, Cookie, xcb_generic_error_t **), Cookie cookie) const
    {
        xcb_generic_error_t *error = nullptr;
        XcbReply<Reply> result(fetch(get(), cookie, &error));
        std::free(error);
        return result;
    }

private:
    struct Disconnect
    {
        void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
    };

    std::unique_ptr<xcb_connection_t, Disconnect> m_connection;
    xcb_window_t m_root = XCB_WINDOW_NONE;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::function<void(const xcb_generic_event_t &)> m_handler;
};

} // namespace lumvex
