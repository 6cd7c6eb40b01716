// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/AreaThumbnail.h"
#include "sensing/ContentSignature.h"
#include "sensing/ImageView.h"

namespace lumvex::HistogramReducer {

// The answer when an image cannot be read: mid-grey, neither dark nor bright.
inline constexpr ContentSignature kNeutralSignature{0.0, 0.0, 0.5};

// The image squeezed to a size x size thumbnail: the share of its pixels darker than 0.2, brighter
// than 0.8 (both strict) and their mean luminance. kNeutralSignature when the image cannot be read
// or `size` is outside 1...AreaThumbnail::kMaxSide.
ContentSignature signature(const ImageView &image, int size = 64);

// The same from a thumbnail already at hand.
ContentSignature signatureOf(const AreaThumbnail &thumbnail);

} // namespace lumvex::HistogramReducer
