// SPDX-License-Identifier: MIT
#include "PixelLayout.h"

namespace lumvex {

std::optional<PixelLayout> pixelLayout(const PixelFormat &format)
{
    if (!format.trueColor || format.bitsPerPixel != 32 || (format.depth != 24 && format.depth != 32) ||
        format.greenMask != 0x00ff00) {
        return std::nullopt;
    }
    const bool redHigh = format.redMask == 0xff0000 && format.blueMask == 0x0000ff;
    const bool redLow = format.redMask == 0x0000ff && format.blueMask == 0xff0000;
    if (!redHigh && !redLow) {
        return std::nullopt;
    }
    // In memory, least significant byte first: 0x00RRGGBB is B G R X. Most significant first it is
    // X R G B, which from its second byte reads as R G B.
    if (!format.mostSignificantByteFirst) {
        return PixelLayout{redHigh ? PixelOrder::BGRA : PixelOrder::RGBA, 0};
    }
    return PixelLayout{redHigh ? PixelOrder::RGBA : PixelOrder::BGRA, 1};
}

} // namespace lumvex
