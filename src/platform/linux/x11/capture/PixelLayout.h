// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ImageView.h"

#include <cstdint>
#include <optional>

namespace lumvex {

// How the X server stores one pixel of the root window's images.
struct PixelFormat
{
    int depth = 0;
    int bitsPerPixel = 0;
    bool trueColor = false;
    std::uint32_t redMask = 0;
    std::uint32_t greenMask = 0;
    std::uint32_t blueMask = 0;
    bool mostSignificantByteFirst = false;
};

// Where the reducers find a pixel's colour bytes: their order, starting `offset` bytes into each
// 4-byte pixel. With an offset the image view reads one byte past the last pixel.
struct PixelLayout
{
    PixelOrder order = PixelOrder::BGRA;
    int offset = 0;

    friend bool operator==(const PixelLayout &, const PixelLayout &) = default;
};

// The layout of 8-bit-per-channel TrueColor in 32-bit pixels, either channel order, either byte
// order; nothing for any other format (16-bit, 30-bit, palettes).
std::optional<PixelLayout> pixelLayout(const PixelFormat &format);

} // namespace lumvex
