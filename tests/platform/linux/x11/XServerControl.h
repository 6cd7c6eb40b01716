// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/x11/MonitorRules.h"
#include "platform/linux/x11/XcbConnection.h"

#include <xcb/randr.h>
#include <xcb/xtest.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace lumvex::test {

// The test's hand on the X server: defines monitors with `xrandr --setmonitor`, switches the single
// output of Xvfb off and on, sets its connector type and EDID, moves the pointer, plays the window manager and
// draws on the root window as any program's drawing would land there. Every change has been carried
// out by the server when the call returns.
class XServerControl
{
public:
    XServerControl()
    {
        m_output = resources() ? xcb_randr_get_screen_resources_current_outputs(resources().get())[0] : 0;
        xcb_create_gc(m_x.get(), m_gc, m_x.root(), 0, nullptr);
    }
    ~XServerControl() { xcb_free_gc(m_x.get(), m_gc); }
    XServerControl(const XServerControl &) = delete;
    XServerControl &operator=(const XServerControl &) = delete;

    // `rgb` as 0xRRGGBB, which a 24-bit TrueColor root takes as its pixel value.
    void fill(int x, int y, int width, int height, std::uint32_t rgb)
    {
        xcb_change_gc(m_x.get(), m_gc, XCB_GC_FOREGROUND, &rgb);
        const xcb_rectangle_t rectangle{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                                        static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height)};
        xcb_poly_fill_rectangle(m_x.get(), m_x.root(), m_gc, 1, &rectangle);
        sync();
    }

    xcb_atom_t atom(std::string_view name)
    {
        const auto reply = m_x.reply(xcb_intern_atom_reply, xcb_intern_atom(m_x.get(), 0, name.size(), name.data()));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    // A monitor named `name`, on the server's output or on none, made by xrandr: the request as
    // libxcb-randr 1.15 sends it carries a stray, uninitialised iovec. The server refuses a name in use.
    void setMonitor(const std::string &name, MonitorGeometry geometry, bool onOutput = false)
    {
        deleteMonitor(name);
        const std::string command = "xrandr --setmonitor '" + std::string(geometry.primary ? "*" : "") + name + "' " +
                                    std::to_string(geometry.width) + "/" + std::to_string(geometry.width / 4) + "x" +
                                    std::to_string(geometry.height) + "/" + std::to_string(geometry.height / 4) + "+" +
                                    std::to_string(geometry.x) + "+" + std::to_string(geometry.y) +
                                    (onOutput ? " screen" : " none") + " >/dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        sync();
    }

    struct PanelAndExternal
    {
        xcb_atom_t panel = XCB_ATOM_NONE;
        xcb_atom_t external = XCB_ATOM_NONE;
    };

    // The tests' usual desktop, from a reset: the panel eDP-1 (primary, on the server's output) at the
    // origin, 1920x1080, and DP-1 of the given size to its right.
    PanelAndExternal panelBesideExternal(int externalWidth = 1920, int externalHeight = 1080)
    {
        reset();
        setMonitor("eDP-1", {0, 0, 1920, 1080, true}, true);
        setMonitor("DP-1", {1920, 0, externalWidth, externalHeight, false});
        return {atom("eDP-1"), atom("DP-1")};
    }

    void deleteMonitor(std::string_view name)
    {
        xcb_randr_delete_monitor(m_x.get(), m_x.root(), atom(name));
        sync();
    }

    // Back to what Xvfb starts with: the output on, no primary output, no connector type or EDID, and
    // only the server's own monitor for its output.
    void reset()
    {
        setOutputEnabled(true);
        xcb_randr_set_output_primary(m_x.get(), m_x.root(), XCB_NONE);
        for (const std::string_view property : {"ConnectorType", "EDID"}) {
            xcb_randr_delete_output_property(m_x.get(), m_output, atom(property));
        }
        const auto monitors = m_x.reply(xcb_randr_get_monitors_reply, xcb_randr_get_monitors(m_x.get(), m_x.root(), 0));
        for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem > 0;
             xcb_randr_monitor_info_next(&it)) {
            if (it.data->automatic == 0) {
                xcb_randr_delete_monitor(m_x.get(), m_x.root(), it.data->name);
            }
        }
        sync();
    }

    void setConnectorType(std::string_view type)
    {
        const xcb_atom_t value = atom(type);
        xcb_randr_change_output_property(m_x.get(), m_output, atom("ConnectorType"), XCB_ATOM_ATOM, 32,
                                         XCB_PROP_MODE_REPLACE, 1, &value);
        sync();
    }

    // The EDID of a monitor plugged into the output.
    void setEdid(const std::vector<std::uint8_t> &edid)
    {
        xcb_randr_change_output_property(m_x.get(), m_output, atom("EDID"), XCB_ATOM_INTEGER, 8, XCB_PROP_MODE_REPLACE,
                                         static_cast<std::uint32_t>(edid.size()), edid.data());
        sync();
    }

    // Switching the output off is what unplugging does to its monitor.
    void setOutputEnabled(bool enabled)
    {
        const auto current = resources();
        const xcb_randr_crtc_t crtc = xcb_randr_get_screen_resources_current_crtcs(current.get())[0];
        const xcb_randr_mode_t mode = enabled ? xcb_randr_get_screen_resources_current_modes(current.get())[0].id : 0;
        const auto cookie = xcb_randr_set_crtc_config(m_x.get(), crtc, XCB_CURRENT_TIME, current->config_timestamp, 0,
                                                      0, mode, XCB_RANDR_ROTATION_ROTATE_0, enabled ? 1 : 0, &m_output);
        m_x.reply(xcb_randr_set_crtc_config_reply, cookie);
    }

    // Moves the pointer as a device would, so that raw motion events follow.
    void movePointer(int x, int y)
    {
        xcb_test_fake_input(m_x.get(), XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, m_x.root(), static_cast<std::int16_t>(x),
                            static_cast<std::int16_t>(y), 0);
        sync();
    }

    // Moves the pointer without any device event.
    void warpPointer(int x, int y)
    {
        xcb_warp_pointer(m_x.get(), XCB_WINDOW_NONE, m_x.root(), 0, 0, 0, 0, static_cast<std::int16_t>(x),
                         static_cast<std::int16_t>(y));
        sync();
    }

    // A client window with the given class and application id, if any.
    xcb_window_t window(std::string_view wmClass, std::string_view gtkApplicationId = {})
    {
        const xcb_window_t id = xcb_generate_id(m_x.get());
        xcb_create_window(m_x.get(), XCB_COPY_FROM_PARENT, id, m_x.root(), 0, 0, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        for (const auto &[property, type, text] :
             {std::tuple{xcb_atom_t{XCB_ATOM_WM_CLASS}, xcb_atom_t{XCB_ATOM_STRING}, wmClass},
              {atom("_GTK_APPLICATION_ID"), atom("UTF8_STRING"), gtkApplicationId}}) {
            if (!text.empty()) {
                xcb_change_property(m_x.get(), XCB_PROP_MODE_REPLACE, id, property, type, 8,
                                    static_cast<std::uint32_t>(text.size()), text.data());
            }
        }
        sync();
        return id;
    }

    void destroyWindow(xcb_window_t window)
    {
        xcb_destroy_window(m_x.get(), window);
        sync();
    }

    // Names the active window as a window manager does; XCB_WINDOW_NONE for none.
    void setActiveWindow(xcb_window_t window)
    {
        xcb_change_property(m_x.get(), XCB_PROP_MODE_REPLACE, m_x.root(), atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW,
                            32, 1, &window);
        sync();
    }

private:
    XcbReply<xcb_randr_get_screen_resources_current_reply_t> resources()
    {
        return m_x.reply(xcb_randr_get_screen_resources_current_reply,
                         xcb_randr_get_screen_resources_current(m_x.get(), m_x.root()));
    }

    // A round trip: the server has handled everything sent before, and flushed the events it caused.
    void sync() { m_x.reply(xcb_get_input_focus_reply, xcb_get_input_focus(m_x.get())); }

    XcbConnection m_x;
    xcb_randr_output_t m_output = 0;
    const xcb_gcontext_t m_gc = xcb_generate_id(m_x.get());
};

} // namespace lumvex::test
