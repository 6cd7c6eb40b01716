// SPDX-License-Identifier: MIT
#include "XcbConnection.h"

#include <QAbstractEventDispatcher>
#include <QSocketNotifier>

namespace lumvex {

XcbConnection::XcbConnection()
{
    int screenNumber = 0;
    // xcb hands back a connection object even on failure; it must be disconnected all the same.
    m_connection.reset(xcb_connect(nullptr, &screenNumber));
    if (!isOpen()) {
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(get()));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
        xcb_screen_next(&screens);
    }
    if (screens.rem > 0) {
        m_root = screens.data->root;
    }
    // Without an event loop on this thread, events are still handled whenever the owner queries.
    if (QAbstractEventDispatcher::instance() != nullptr) {
        m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(get()), QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { dispatchEvents(); });
    }
}

XcbConnection::~XcbConnection() = default;

bool XcbConnection::isOpen() const
{
    return m_connection && xcb_connection_has_error(m_connection.get()) == 0;
}

const xcb_query_extension_reply_t *XcbConnection::extension(xcb_extension_t &id) const
{
    if (!isOpen()) {
        return nullptr;
    }
    const xcb_query_extension_reply_t *data = xcb_get_extension_data(get(), &id);
    return data != nullptr && data->present ? data : nullptr;
}

void XcbConnection::dispatchEvents()
{
    if (!m_connection) {
        return;
    }
    while (XcbReply<xcb_generic_event_t> event{xcb_poll_for_event(get())}) {
        if (m_handler) {
            m_handler(*event);
        }
    }
    // A lost connection keeps its socket readable forever; stop listening rather than spin.
    if (!isOpen() && m_notifier) {
        m_notifier->setEnabled(false);
    }
}

} // namespace lumvex
