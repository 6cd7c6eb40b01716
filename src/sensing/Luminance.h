// SPDX-License-Identifier: MIT
#pragma once

#include "ContentSignature.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace lumvex {

// v / 255.0 for every byte: the reducers evaluate the formula thousands of times per capture, and the
// divisions would dominate. Folded at compile time with the same correctly rounded division.
inline constexpr std::array<double, 256> kByteFractions = [] {
    std::array<double, 256> fractions{};
    for (int v = 0; v < 256; ++v) {
        fractions[static_cast<std::size_t>(v)] = v / 255.0;
    }
    return fractions;
}();

// Rec. 709 weights on the gamma-encoded bytes, no linearisation. The order of the additions is fixed
// so that greys 51 and 204 come out at exactly 0.2 and 0.8, the signature's thresholds.
inline double luminanceOf(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return (0.2126 * kByteFractions[r] + 0.7152 * kByteFractions[g]) + 0.0722 * kByteFractions[b];
}

// Sums luminances into a content signature: shares strictly below 0.2 and above 0.8, and the mean.
struct LuminanceTally
{
    double sum = 0.0;
    long dark = 0;
    long bright = 0;
    long count = 0;

    void add(double y)
    {
        // Without branches: screen content makes them unpredictable.
        sum += y;
        dark += y < 0.2;
        bright += y > 0.8;
        ++count;
    }
    // Meaningful once something was counted.
    ContentSignature signature() const
    {
        const auto n = static_cast<double>(count);
        return {static_cast<double>(dark) / n, static_cast<double>(bright) / n, sum / n};
    }
};

} // namespace lumvex
