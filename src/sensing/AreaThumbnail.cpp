// SPDX-License-Identifier: MIT
#include "sensing/AreaThumbnail.h"

#include "sensing/ColumnBand.h"
#include "sensing/ColumnWeights.h"
#include "sensing/PixelShare.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

namespace lumvex {

namespace {

// What squeezing images of one size needs besides their pixels, with room to work in. Every capture of
// a monitor has the same size, so it is worked out once rather than for every frame.
struct SqueezePlan
{
    SqueezePlan(int width, int height, int side)
        : width(width)
        , height(height)
        , side(side)
        , columns(width, side)
        , rows(pixelShares(height, side))
        , band(width)
        , lineSums(static_cast<std::size_t>(side))
    {}

    int width;
    int height;
    int side;
    ColumnWeights columns;
    std::vector<PixelShare> rows;
    ColumnBand band;
    std::vector<ColumnWeights::Sums> lineSums;
};

// One plan per thread, as its room to work in is written.
SqueezePlan &planFor(const ImageView &image, int side)
{
    thread_local std::optional<SqueezePlan> plan;
    if (!plan || plan->width != image.width || plan->height != image.height || plan->side != side) {
        plan.emplace(image.width, image.height, side);
    }
    return *plan;
}

} // namespace

AreaThumbnail::AreaThumbnail(int side, std::uint64_t denominator, std::vector<Sums> sums)
    : m_side(side)
    , m_denominator(denominator)
    , m_inverse(1.0 / static_cast<double>(denominator))
    , m_sums(std::move(sums))
    , m_pixels(m_sums.size())
{
    roundPixels({0, side}, {0, side});
}

std::optional<AreaThumbnail> AreaThumbnail::squeeze(const ImageView &image, int side)
{
    if (!image.isReadable() || side < 1 || side > kMaxSide) {
        return std::nullopt;
    }
    std::vector<Sums> sums(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), Sums{});
    addArea(image, side, {0, side}, {0, side}, sums);
    AreaThumbnail thumbnail(side, static_cast<std::uint64_t>(image.width) * static_cast<std::uint64_t>(image.height),
                            std::move(sums));
    thumbnail.m_sourceWidth = image.width;
    thumbnail.m_sourceHeight = image.height;
    return thumbnail;
}

bool AreaThumbnail::refresh(const ImageView &image, Area drawn)
{
    if (!image.isReadable() || image.width != m_sourceWidth || image.height != m_sourceHeight) {
        return false;
    }
    // Source pixel p of a side of length n lies in thumbnail pixels p * side / n up to
    // (p + 1) * side / n, rounded out.
    const auto bins = [this](int from, int count, int length) {
        from = std::clamp(from, 0, length);
        const int end = std::clamp(from + std::max(count, 0), from, length);
        const auto side = static_cast<std::int64_t>(m_side);
        return std::pair(
            static_cast<int>(static_cast<std::int64_t>(from) * side / length),
            static_cast<int>(end == from ? 0 : (static_cast<std::int64_t>(end) * side + length - 1) / length));
    };
    const auto rows = bins(drawn.top, drawn.height, image.height);
    const auto columns = bins(drawn.left, drawn.width, image.width);
    if (rows.first >= rows.second || columns.first >= columns.second) {
        return true;
    }
    const auto stride = static_cast<std::size_t>(m_side);
    for (int row = rows.first; row < rows.second; ++row) {
        const auto start = m_sums.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(row) * stride);
        std::fill(start + columns.first, start + columns.second, Sums{});
    }
    addArea(image, m_side, rows, columns, m_sums);
    roundPixels(rows, columns);
    return true;
}

void AreaThumbnail::addArea(const ImageView &image, int side, std::pair<int, int> binRows,
                            std::pair<int, int> binColumns, std::vector<Sums> &sums)
{
    SqueezePlan &plan = planFor(image, side);
    const ColumnWeights &columns = plan.columns;
    const std::vector<PixelShare> &rows = plan.rows;
    std::vector<ColumnWeights::Sums> &lineSums = plan.lineSums;
    ColumnBand &band = plan.band;
    band.clear();
    const auto stride = static_cast<std::size_t>(image.stride);
    const auto bins = static_cast<std::size_t>(side);
    const int red = image.order == PixelOrder::RGBA ? 0 : 2;
    const auto [binFrom, binTo] = binRows;
    const auto [columnFrom, columnTo] = binColumns;
    const auto [groupFrom, groupTo] = columns.groupsOf(columnFrom, columnTo);

    // Weights one line's per-column sums into thumbnail row `binRow`.
    const auto addLineSums = [&](int binRow, std::uint64_t weight) {
        Sums *target = sums.data() + static_cast<std::size_t>(binRow) * bins;
        for (auto j = static_cast<std::size_t>(columnFrom); j < static_cast<std::size_t>(columnTo); ++j) {
            target[j][0] += weight * lineSums[j][red];
            target[j][1] += weight * lineSums[j][1];
            target[j][2] += weight * lineSums[j][2 - red];
        }
    };
    const auto rowAt = [&](int y) { return image.data + static_cast<std::size_t>(y) * stride; };
    const auto wanted = [&](int bin) { return bin >= binFrom && bin < binTo; };

    // Shares come by source row, so those of the wanted thumbnail rows lie together.
    std::size_t k = 0;
    while (k < rows.size() && rows[k].bin < binFrom) {
        ++k;
    }
    while (k < rows.size() && rows[k].bin < binTo) {
        const PixelShare &share = rows[k];
        if (share.weight != static_cast<std::uint32_t>(side)) {
            // A row cut by a thumbnail row edge is reduced on its own and weighted into each side.
            columns.reduce(rowAt(share.source), lineSums, columnFrom, columnTo);
            for (; k < rows.size() && rows[k].source == share.source; ++k) {
                if (wanted(rows[k].bin)) {
                    addLineSums(rows[k].bin, rows[k].weight);
                }
            }
            continue;
        }
        // The run of rows lying wholly inside this thumbnail row goes through the band at once.
        std::size_t end = k;
        while (end < rows.size() && rows[end].bin == share.bin && rows[end].weight == share.weight) {
            ++end;
        }
        const int last = share.source + static_cast<int>(end - k);
        for (int y = share.source; y < last;) {
            const int count = std::min(ColumnBand::kMaxRows, last - y);
            band.add(rowAt(y), stride, count, groupFrom, groupTo);
            y += count;
            columns.reduce(band, lineSums, columnFrom, columnTo);
            addLineSums(share.bin, bins);
            band.clear();
        }
        k = end;
    }
}

void AreaThumbnail::roundPixels(std::pair<int, int> rows, std::pair<int, int> columns)
{
    // sum / denominator rounded half up. A multiplication by the inverse lands within one of it and
    // the integer comparisons make it exact, with no integer division (slow, and 3 per pixel).
    const auto byte = [this](std::uint64_t sum) {
        // Signed conversions are one instruction each; every sum is below 2^62.
        auto value = static_cast<std::int64_t>(static_cast<double>(static_cast<std::int64_t>(sum)) * m_inverse + 0.5);
        const std::uint64_t twice = 2 * sum + m_denominator;
        if (value > 0 && twice < 2 * static_cast<std::uint64_t>(value) * m_denominator) {
            --value;
        } else if (twice >= 2 * static_cast<std::uint64_t>(value + 1) * m_denominator) {
            ++value;
        }
        return static_cast<std::uint8_t>(value);
    };
    const auto side = static_cast<std::size_t>(m_side);
    for (auto row = static_cast<std::size_t>(rows.first); row < static_cast<std::size_t>(rows.second); ++row) {
        for (auto column = static_cast<std::size_t>(columns.first); column < static_cast<std::size_t>(columns.second);
             ++column) {
            const Sums &sums = m_sums[row * side + column];
            m_pixels[row * side + column] = {byte(sums[0]), byte(sums[1]), byte(sums[2])};
        }
    }
}

std::optional<AreaThumbnail> AreaThumbnail::reducedTo(int side) const
{
    if (side < 1 || m_side % side != 0) {
        return std::nullopt;
    }
    const int factor = m_side / side;
    std::vector<Sums> sums(static_cast<std::size_t>(side) * static_cast<std::size_t>(side), Sums{});
    const Sums *from = m_sums.data();
    for (int row = 0; row < m_side; ++row) {
        Sums *to = sums.data() + static_cast<std::size_t>(row / factor) * static_cast<std::size_t>(side);
        for (int column = 0; column < side; ++column) {
            for (int k = 0; k < factor; ++k, ++from) {
                to[column][0] += (*from)[0];
                to[column][1] += (*from)[1];
                to[column][2] += (*from)[2];
            }
        }
    }
    // Each block's sum is factor² times the coarse pixel's own sum; the denominator follows.
    const auto area = static_cast<std::uint64_t>(factor) * static_cast<std::uint64_t>(factor);
    return AreaThumbnail(side, m_denominator * area, std::move(sums));
}

} // namespace lumvex
