// SPDX-License-Identifier: MIT
#include "sensing/ScreenReduction.h"

#include "sensing/AreaThumbnail.h"
#include "sensing/HistogramReducer.h"
#include "sensing/LuminanceReducer.h"

#include <optional>

namespace lumvex {

ScreenReduction reduceScreen(const ImageView &image, int meanSize, int cells, int signatureSize)
{
    const auto &reducer = LuminanceReducer::shared();
    // Where a figure cannot come from a thumbnail at hand, the plain call gives it (or its neutral
    // answer, cheaply, when the image or the size is unusable).
    const auto fine = AreaThumbnail::squeeze(image, signatureSize);
    if (fine && meanSize >= 1 && cells >= 1 && signatureSize % cells == 0) {
        return reduceThumbnail(*fine, cells);
    }
    auto grid = fine ? fine->reducedTo(cells) : std::nullopt;
    if (!grid) {
        grid = AreaThumbnail::squeeze(image, cells);
    }
    const AreaThumbnail *coarsest = grid ? &*grid : fine ? &*fine : nullptr;

    ScreenReduction result;
    result.signature = fine ? HistogramReducer::signatureOf(*fine) : HistogramReducer::signature(image, signatureSize);
    result.grid = grid ? LuminanceReducer::gridOf(*grid) : reducer.luminanceGrid(image, cells);
    // Every thumbnail keeps the whole image's sums, so the coarsest one gives the mean cheapest.
    result.meanLuminance =
        meanSize >= 1 && coarsest ? LuminanceReducer::meanOf(*coarsest) : reducer.averageLuminance(image, meanSize);
    return result;
}

ScreenReduction reduceThumbnail(const AreaThumbnail &fine, int cells)
{
    const auto grid = fine.reducedTo(cells);
    ScreenReduction result;
    result.signature = HistogramReducer::signatureOf(fine);
    result.grid = grid ? LuminanceReducer::gridOf(*grid) : std::vector<double>{};
    result.meanLuminance = LuminanceReducer::meanOf(grid ? *grid : fine);
    return result;
}

} // namespace lumvex
