// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/x11/XcbConnection.h"

#include <cstdint>

namespace lumvex::test {

// Draws straight onto the root window of the test's X server, as any program's drawing would land
// there. Every drawing has been carried out by the server when the call returns.
class ScreenPainter
{
public:
    ScreenPainter()
        : m_gc(xcb_generate_id(m_x.get()))
    {
        xcb_create_gc(m_x.get(), m_gc, m_x.root(), 0, nullptr);
    }
    ~ScreenPainter() { xcb_free_gc(m_x.get(), m_gc); }
    ScreenPainter(const ScreenPainter &) = delete;
    ScreenPainter &operator=(const ScreenPainter &) = delete;

    // `rgb` as 0xRRGGBB, which a 24-bit TrueColor root takes as its pixel value.
    void fill(int x, int y, int width, int height, std::uint32_t rgb)
    {
        xcb_change_gc(m_x.get(), m_gc, XCB_GC_FOREGROUND, &rgb);
        const xcb_rectangle_t rectangle{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                                        static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height)};
        xcb_poly_fill_rectangle(m_x.get(), m_x.root(), m_gc, 1, &rectangle);
        m_x.reply(xcb_get_input_focus_reply, xcb_get_input_focus(m_x.get()));
    }

private:
    XcbConnection m_x;
    xcb_gcontext_t m_gc;
};

} // namespace lumvex::test
