// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/AreaThumbnail.h"
#include "sensing/ContentSignature.h"
#include "sensing/ImageView.h"

#include <vector>

namespace lumvex {

// Everything the content sampler takes from one capture.
struct ScreenReduction
{
    double meanLuminance = 0.5;
    std::vector<double> grid; // cells x cells, first row at the top
    ContentSignature signature;
};

// The three reductions in one pass over the pixels. Each figure equals, bit for bit, what
// LuminanceReducer::averageLuminance, luminanceGrid and HistogramReducer::signature give for the same
// arguments, neutral answers included. The single pass needs `cells` to divide `signatureSize`
// (4 and 64 do); otherwise the grid costs a second pass.
ScreenReduction reduceScreen(const ImageView &image, int meanSize = 64, int cells = 4, int signatureSize = 64);

// The same figures from the 64x64 thumbnail reduceScreen squeezes first (with its default sizes), so a
// caller that holds one and refreshes only the rows drawn on need not go over the whole frame again.
ScreenReduction reduceThumbnail(const AreaThumbnail &fine, int cells = 4);

} // namespace lumvex
