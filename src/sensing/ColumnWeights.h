// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ColumnBand.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace lumvex {

// How much each pixel of a line weighs in each thumbnail column (PixelShare units), and the
// reduction of a line or a band of lines to per-column sums. Laid out for 4 pixels at a time: a
// column's pixels span a range of 4-pixel groups, the first and last with weights of their own
// (pixels cut by the column's edges, or outside it), every group between lies wholly inside.
class ColumnWeights
{
public:
    // Weighted sums of bytes 0, 1 and 2 (memory order) of a column's pixels, and a padding lane.
    // At most 32640 times the width: 32 bits hold any line ImageView admits.
    using Sums = std::array<std::uint32_t, 4>;

    ColumnWeights(int width, int side);

    // Per thumbnail column in [fromColumn, toColumn), the weighted sums over the band's rows; the
    // other entries of `out` are left alone.
    void reduce(const ColumnBand &band, std::vector<Sums> &out, int fromColumn, int toColumn) const;
    // The same for one line of `width` pixels.
    void reduce(const std::uint8_t *line, std::vector<Sums> &out, int fromColumn, int toColumn) const;

    // The 4-pixel groups that thumbnail columns [fromColumn, toColumn) read: [first, second).
    std::pair<int, int> groupsOf(int fromColumn, int toColumn) const
    {
        return {m_columns[static_cast<std::size_t>(fromColumn)].firstGroup,
                m_columns[static_cast<std::size_t>(toColumn - 1)].lastGroup + 1};
    }

private:
    struct Column
    {
        int firstGroup = -1;
        int lastGroup = -1;
        std::array<std::uint32_t, 4> first{}; // per pixel of the first group
        std::array<std::uint32_t, 4> last{};  // per pixel of the last group, when it is another one
    };

    template<typename Groups>
    void reduceGroups(const Groups &groups, std::vector<Sums> &out, int fromColumn, int toColumn) const;

    int m_width;
    std::uint32_t m_whole; // the weight of a pixel wholly inside a column
    std::vector<Column> m_columns;
};

} // namespace lumvex
