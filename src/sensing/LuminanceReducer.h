// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/AreaThumbnail.h"
#include "sensing/ImageView.h"

#include <vector>

namespace lumvex {

// Mean luminance and the coarse luminance grid of a screen image. Stateless and safe to call from
// any thread; reached through its one process-wide instance.
class LuminanceReducer
{
public:
    // The answer when an image cannot be read: mid-grey, so that a failed capture moves nothing.
    static constexpr double kNeutralLuminance = 0.5;

    static LuminanceReducer &shared();

    LuminanceReducer(const LuminanceReducer &) = delete;
    LuminanceReducer &operator=(const LuminanceReducer &) = delete;

    // Mean luminance of the image shrunk, aspect ratio kept, to a thumbnail whose longer side is
    // `size`, each channel averaged and rounded to a byte. An exact area average covers the whole
    // image evenly, so any valid `size` gives the same answer. 0.5 when the image cannot be read or
    // `size` < 1.
    double averageLuminance(const ImageView &image, int size) const;

    // The image squeezed to cells x cells: cells² luminances row by row, the first row at the top of
    // the image. All 0.5 when the image cannot be read; empty when `cells` is outside
    // 1...AreaThumbnail::kMaxSide.
    std::vector<double> luminanceGrid(const ImageView &image, int cells) const;

    // The same figures from a thumbnail already at hand.
    static double meanOf(const AreaThumbnail &thumbnail);
    static std::vector<double> gridOf(const AreaThumbnail &thumbnail);

private:
    LuminanceReducer() = default;
};

} // namespace lumvex
