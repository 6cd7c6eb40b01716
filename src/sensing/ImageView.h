// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace lumvex {

// Byte order of a 32-bit pixel in memory; the fourth byte (alpha or padding) is ignored.
enum class PixelOrder { RGBA, BGRA };

// A borrowed image of 4-byte pixels, rows from the top of the screen down. `stride` is the distance
// between row starts in bytes; the last row needs only `width * 4` bytes.
struct ImageView
{
    // Larger sides are refused: no screen comes near, and the exact integer sums stay far from overflow.
    static constexpr int kMaxSide = 1 << 16;

    const std::uint8_t *data = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;
    PixelOrder order = PixelOrder::BGRA;

    // Whether the reducers can read the image at all; they answer neutral values when not.
    bool isReadable() const
    {
        return data != nullptr && width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
               static_cast<std::int64_t>(stride) >= static_cast<std::int64_t>(width) * 4;
    }
};

} // namespace lumvex
