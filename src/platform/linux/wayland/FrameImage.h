// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ImageView.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lumvex {

// The byte order of a wl_shm format that the reducers can read: XRGB8888 and ARGB8888 lie in memory
// as BGRA, XBGR8888 and ABGR8888 as RGBA; nothing for any other format.
std::optional<PixelOrder> shmPixelOrder(std::uint32_t format);

// The frame with its first row at the top. A frame stored bottom row first is copied, reversed, into
// `scratch`, which the view then borrows; any other is returned as it is.
ImageView uprightImage(const ImageView &frame, bool yInverted, std::vector<std::uint8_t> &scratch);

} // namespace lumvex
