// SPDX-License-Identifier: MIT
#include "FrameImage.h"

#include <wayland-client-protocol.h>

#include <algorithm>
#include <cstddef>

namespace lumvex {

std::optional<PixelOrder> shmPixelOrder(std::uint32_t format)
{
    switch (format) {
    case WL_SHM_FORMAT_XRGB8888:
    case WL_SHM_FORMAT_ARGB8888:
        return PixelOrder::BGRA;
    case WL_SHM_FORMAT_XBGR8888:
    case WL_SHM_FORMAT_ABGR8888:
        return PixelOrder::RGBA;
    default:
        return std::nullopt;
    }
}

ImageView uprightImage(const ImageView &frame, bool yInverted, std::vector<std::uint8_t> &scratch)
{
    if (!yInverted || !frame.isReadable()) {
        return frame;
    }
    // The reducers read rows top down with a positive stride, so the rows are put in order once.
    const auto rowBytes = static_cast<std::size_t>(frame.width) * 4;
    scratch.resize(rowBytes * static_cast<std::size_t>(frame.height));
    for (int row = 0; row < frame.height; ++row) {
        const std::uint8_t *source = frame.data + static_cast<std::ptrdiff_t>(frame.height - 1 - row) * frame.stride;
        std::copy_n(source, rowBytes, scratch.data() + static_cast<std::size_t>(row) * rowBytes);
    }
    return {scratch.data(), frame.width, frame.height, static_cast<int>(rowBytes), frame.order};
}

} // namespace lumvex
