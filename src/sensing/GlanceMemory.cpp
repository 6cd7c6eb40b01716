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
    // Staggered: sample (i, j) sits at (step i + j, step j + i) from the first, so that every phase of a
    // pattern repeating at the step is sampled alike and no such pattern passes for another picture.
    const int shear = step > 1 ? 1 : 0;
    for (int j = 0; step / 2 + step * j < image.height; ++j) {
        for (int i = 0;; ++i) {
            const int x = step / 2 + step * i + shear * j;
            const int y = step / 2 + step * j + shear * i;
            if (x >= image.width || y >= image.height) {
                break;
            }
            const std::uint8_t *pixel =
                image.data + static_cast<std::ptrdiff_t>(y) * image.stride + static_cast<std::ptrdiff_t>(x) * 4;
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
