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
    double sum = 0.0;
    long dark = 0;
    long bright = 0;
    long count = 0;
    for (int y = step / 2; y < image.height; y += step) {
        const std::uint8_t *row = image.data + static_cast<std::ptrdiff_t>(y) * image.stride;
        for (int x = step / 2; x < image.width; x += step) {
            const std::uint8_t *pixel = row + static_cast<std::ptrdiff_t>(x) * 4;
            const double L = luminanceOf(pixel[red], pixel[1], pixel[2 - red]);
            sum += L;
            dark += L < 0.2 ? 1 : 0;
            bright += L > 0.8 ? 1 : 0;
            ++count;
        }
    }
    if (count > 0) {
        const double n = static_cast<double>(count);
        glance.meanLuminance = sum / n;
        glance.signature = {static_cast<double>(dark) / n, static_cast<double>(bright) / n, sum / n};
    }
    return glance;
}

} // namespace lumvex
