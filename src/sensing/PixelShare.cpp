// SPDX-License-Identifier: MIT
#include "sensing/PixelShare.h"

#include <algorithm>
#include <cstddef>

namespace lumvex {

std::vector<PixelShare> pixelShares(int length, int side)
{
    std::vector<PixelShare> shares;
    shares.reserve(static_cast<std::size_t>(length) + static_cast<std::size_t>(side));
    std::int64_t bin = 0;
    for (int pixel = 0; pixel < length; ++pixel) {
        const std::int64_t lo = std::int64_t{pixel} * side;
        const std::int64_t hi = lo + side;
        while ((bin + 1) * length <= lo) {
            ++bin;
        }
        for (std::int64_t b = bin; b < side && b * length < hi; ++b) {
            const std::int64_t overlap = std::min(hi, (b + 1) * length) - std::max(lo, b * length);
            shares.push_back({pixel, static_cast<int>(b), static_cast<std::uint32_t>(overlap)});
        }
    }
    return shares;
}

} // namespace lumvex
