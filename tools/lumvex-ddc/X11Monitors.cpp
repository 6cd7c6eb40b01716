// SPDX-License-Identifier: MIT
#include "X11Monitors.h"

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace lumvex::ddc {

namespace {

struct FreeDeleter
{
    void operator()(void *pointer) const { std::free(pointer); }
};

template<typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

struct Disconnect
{
    void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
};

// EDIDs are 128 bytes per block, rarely more than four blocks; the length is counted in 32-bit units.
constexpr std::uint32_t kEdidLongs = 256;

class Connection
{
public:
    Connection()
    {
        int screenNumber = 0;
        m_connection.reset(xcb_connect(nullptr, &screenNumber));
        if (xcb_connection_has_error(get()) != 0) {
            return;
        }
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(get()));
        for (int i = 0; i < screenNumber && screens.rem > 0; ++i) {
            xcb_screen_next(&screens);
        }
        if (screens.rem > 0) {
            m_root = screens.data->root;
        }
    }

    bool isOpen() const { return m_root != XCB_WINDOW_NONE && xcb_connection_has_error(get()) == 0; }
    xcb_connection_t *get() const { return m_connection.get(); }
    xcb_window_t root() const { return m_root; }

    template<typename T, typename Cookie>
    Reply<T> reply(T *(*fetch)(xcb_connection_t *, Cookie, xcb_generic_error_t **), Cookie cookie) const
    {
        xcb_generic_error_t *error = nullptr;
        Reply<T> result(fetch(get(), cookie, &error));
        std::free(error);
        return result;
    }

    xcb_atom_t existingAtom(std::string_view name) const
    {
        const auto atom = reply(xcb_intern_atom_reply, xcb_intern_atom(get(), 1, name.size(), name.data()));
        return atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    std::string atomName(xcb_atom_t atom) const
    {
        const auto name = reply(xcb_get_atom_name_reply, xcb_get_atom_name(get(), atom));
        return name ? std::string(xcb_get_atom_name_name(name.get()),
                                  static_cast<std::size_t>(xcb_get_atom_name_name_length(name.get())))
                    : std::string();
    }

private:
    std::unique_ptr<xcb_connection_t, Disconnect> m_connection;
    xcb_window_t m_root = XCB_WINDOW_NONE;
};

Reply<xcb_randr_get_output_property_reply_t> property(const Connection &x, xcb_randr_output_t output, xcb_atom_t name,
                                                      std::uint32_t longs)
{
    if (name == XCB_ATOM_NONE) {
        return nullptr;
    }
    return x.reply(xcb_randr_get_output_property_reply,
                   xcb_randr_get_output_property(x.get(), output, name, XCB_ATOM_ANY, 0, longs, 0, 0));
}

X11Output readOutput(const Connection &x, xcb_randr_output_t output, xcb_atom_t edidAtom, xcb_atom_t idAtom)
{
    X11Output result;
    const auto info =
        x.reply(xcb_randr_get_output_info_reply, xcb_randr_get_output_info(x.get(), output, XCB_CURRENT_TIME));
    if (info) {
        const auto *name = reinterpret_cast<const char *>(xcb_randr_get_output_info_name(info.get()));
        result.name.assign(name, static_cast<std::size_t>(xcb_randr_get_output_info_name_length(info.get())));
    }
    if (const auto edid = property(x, output, edidAtom, kEdidLongs); edid && edid->format == 8) {
        const std::uint8_t *bytes = xcb_randr_get_output_property_data(edid.get());
        result.edid.assign(bytes, bytes + edid->num_items);
    }
    if (const auto id = property(x, output, idAtom, 1); id && id->format == 32 && id->num_items == 1) {
        result.connectorId = *reinterpret_cast<const std::uint32_t *>(xcb_randr_get_output_property_data(id.get()));
    }
    return result;
}

} // namespace

std::optional<std::vector<X11Monitor>> readX11Monitors()
{
    const Connection x;
    if (!x.isOpen()) {
        return std::nullopt;
    }
    const xcb_query_extension_reply_t *randr = xcb_get_extension_data(x.get(), &xcb_randr_id);
    if (randr == nullptr || randr->present == 0) {
        return std::nullopt;
    }
    const auto version = x.reply(xcb_randr_query_version_reply, xcb_randr_query_version(x.get(), 1, 6));
    if (!version || (version->major_version == 1 && version->minor_version < 5)) {
        return std::nullopt;
    }
    const auto monitors = x.reply(xcb_randr_get_monitors_reply, xcb_randr_get_monitors(x.get(), x.root(), 1));
    if (!monitors) {
        return std::nullopt;
    }
    const xcb_atom_t edidAtom = x.existingAtom("EDID");
    const xcb_atom_t idAtom = x.existingAtom("CONNECTOR_ID");
    std::vector<X11Monitor> result;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem > 0;
         xcb_randr_monitor_info_next(&it)) {
        X11Monitor monitor;
        monitor.id = it.data->name;
        monitor.name = x.atomName(it.data->name);
        const xcb_randr_output_t *outputs = xcb_randr_monitor_info_outputs(it.data);
        for (int i = 0; i < xcb_randr_monitor_info_outputs_length(it.data); ++i) {
            monitor.outputs.push_back(readOutput(x, outputs[i], edidAtom, idAtom));
        }
        result.push_back(std::move(monitor));
    }
    return result;
}

DisplayIdentity identityOf(const X11Monitor &monitor)
{
    DisplayIdentity identity;
    if (!monitor.outputs.empty()) {
        const X11Output &first = monitor.outputs.front();
        identity.names.push_back(first.name);
        identity.edid = first.edid;
        identity.connectorId = first.connectorId;
    }
    if (!monitor.name.empty()) {
        identity.names.push_back(monitor.name);
    }
    return identity;
}

} // namespace lumvex::ddc
