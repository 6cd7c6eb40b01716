// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/x11/XcbConnection.h"

#include <QImage>

#include <algorithm>

namespace lumvex::test {

// Puts an image at the root's origin, as a program drawing a full-screen picture would; the server has
// drawn it when this returns.
inline void showOnRoot(const QImage &image)
{
    XcbConnection x;
    const xcb_gcontext_t gc = xcb_generate_id(x.get());
    xcb_create_gc(x.get(), gc, x.root(), 0, nullptr);
    constexpr int kRows = 16; // stays below the core protocol's request size
    for (int y = 0; y < image.height(); y += kRows) {
        const int rows = std::min(kRows, image.height() - y);
        xcb_put_image(x.get(), XCB_IMAGE_FORMAT_Z_PIXMAP, x.root(), gc, static_cast<std::uint16_t>(image.width()),
                      static_cast<std::uint16_t>(rows), 0, static_cast<std::int16_t>(y), 0, 24,
                      static_cast<std::uint32_t>(rows * image.bytesPerLine()), image.constScanLine(y));
    }
    xcb_free_gc(x.get(), gc);
    x.reply(xcb_get_input_focus_reply, xcb_get_input_focus(x.get()));
}

} // namespace lumvex::test
