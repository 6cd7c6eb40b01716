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
    LuminanceTally tally;
    for (const auto &pixel : thumbnail.pixels()) {
        tally.add(luminanceOf(pixel.r, pixel.g, pixel.b));
    }
    return tally.signature();
}

} // namespace lumvex::HistogramReducer
