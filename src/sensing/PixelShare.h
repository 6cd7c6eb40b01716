// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <vector>

namespace lumvex {

// The part of one source pixel that falls into one thumbnail pixel along an axis. On a scale where a
// source pixel is `side` units long and a thumbnail pixel `length` units, every overlap is a whole
// number of units, so the area average needs no fractions: a pixel wholly inside one thumbnail pixel
// weighs `side`.
struct PixelShare
{
    int source;
    int bin;
    std::uint32_t weight;
};

// Every share of `length` source pixels squeezed into `side` thumbnail pixels, by source, then bin.
std::vector<PixelShare> pixelShares(int length, int side);

} // namespace lumvex
