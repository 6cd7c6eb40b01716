// SPDX-License-Identifier: MIT
#include "GlanceMemory.h"

#include "Luminance.h"

namespace lumvex {

ScreenReduction glanceOf(const ImageView &image, int step)
{
    ScreenReduction glance;
    if (!image.isReadable() || step < 1) {
        return glance;
    }
    const int red = image.order == PixelOrder::RGBA ? 0 : 2;
    LuminanceTally tally;
    for (int y = step / 2; y < image.height; y += step) {
        const std::uint8_t *row = image.data + static_cast<std::ptrdiff_t>(y) * image.stride;
        for (int x = step / 2; x < image.width; x += step) {
            const std::uint8_t *pixel = row + static_cast<std::ptrdiff_t>(x) * 4;
            tally.add(luminanceOf(pixel[red], pixel[1], pixel[2 - red]));
        }
    }
    if (tally.count > 0) {
        glance.signature = tally.signature();
        glance.meanLuminance = glance.signature.mean;
    }
    return glance;
}

} // namespace lumvex
