// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ImageView.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace lumvex {

// An image squeezed to side x side pixels by an exact area average: each source pixel counts in a
// thumbnail pixel with the share of its area that falls inside it, so thin lines and text keep their
// true weight. The per-channel sums are held as integers over one common denominator, which lets a
// coarser thumbnail be derived from a finer one without any rounding in between.
class AreaThumbnail
{
public:
    // A side beyond this is refused; thumbnails are meant to be small.
    static constexpr int kMaxSide = 1024;

    struct Rgb
    {
        std::uint8_t r;
        std::uint8_t g;
        std::uint8_t b;

        friend bool operator==(const Rgb &, const Rgb &) = default;
    };

    // Empty when the image cannot be read or `side` is outside 1...kMaxSide. Row 0 is the top.
    static std::optional<AreaThumbnail> squeeze(const ImageView &image, int side);

    int side() const { return m_side; }

    // A rectangle of the source image, in its pixels.
    struct Area
    {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
    };

    // Squeezes again only the thumbnail pixels that `drawn` falls into, from `image`, which must have
    // the size this thumbnail was squeezed from. The result equals squeezing the image whole; false
    // (and unchanged) when the size differs.
    bool refresh(const ImageView &image, Area drawn);

    // The pixels row by row, each channel rounded to the nearest byte as an 8-bit render stores it.
    const std::vector<Rgb> &pixels() const { return m_pixels; }

    // The thumbnail of side `side` that squeezing the source directly would give, bit for bit.
    // Empty unless `side` divides this thumbnail's side.
    std::optional<AreaThumbnail> reducedTo(int side) const;

private:
    using Sums = std::array<std::uint64_t, 3>; // R, G, B

    AreaThumbnail(int side, std::uint64_t denominator, std::vector<Sums> sums);

    // Adds the image's shares for the thumbnail pixels in rows [rows.first, rows.second) and columns
    // [columns.first, columns.second) into `sums`, where they start zeroed.
    static void addArea(const ImageView &image, int side, std::pair<int, int> rows, std::pair<int, int> columns,
                        std::vector<Sums> &sums);

    // Rounds the sums of the pixels in rows [rows.first, rows.second) and columns
    // [columns.first, columns.second) to bytes.
    void roundPixels(std::pair<int, int> rows, std::pair<int, int> columns);

    int m_side;
    int m_sourceWidth = 0;
    int m_sourceHeight = 0;
    std::uint64_t m_denominator;
    double m_inverse;
    std::vector<Sums> m_sums;
    // Kept rounded, so that a refresh rounds only the pixels it changed.
    std::vector<Rgb> m_pixels;
};

} // namespace lumvex
