// SPDX-License-Identifier: MIT
#include "sensing/HistogramReducer.h"

#include "sensing/Luminance.h"

namespace lumvex::HistogramReducer {

ContentSignature signature(const ImageView &image, int size)
{
    const auto thumbnail = AreaThumbnail::squeeze(image, size);
    return thumbnail ? signatureOf(*thumbnail) : kNeutralSignature;
}

ContentSignature signatureOf(const AreaThumbnail &thumbnail)
{
    const auto &pixels = thumbnail.pixels();
    int dark = 0;
    int bright = 0;
    double sum = 0.0;
    for (const auto &pixel : pixels) {
        const double y = luminanceOf(pixel.r, pixel.g, pixel.b);
        // Strict on both sides; without branches, as screen content makes them unpredictable.
        dark += y < 0.2;
        bright += y > 0.8;
        sum += y;
    }
    const auto n = static_cast<double>(pixels.size());
    return {dark / n, bright / n, sum / n};
}

} // namespace lumvex::HistogramReducer
