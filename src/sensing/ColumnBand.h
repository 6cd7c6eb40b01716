// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace lumvex {

// Per-byte column sums over a band of rows of 4-byte pixels, in 16 bits, so that taking in a row is
// a plain vector add: the cheapest way through a full-screen frame. Each group of 16 line bytes
// (4 pixels) is held as the sums of its 8 even bytes, then of its 8 odd bytes; widening them so needs
// no byte shuffles. ColumnWeights reads this layout.
class ColumnBand
{
public:
    // 128 rows of 255 stay below 2^15: the weighted reduction takes the sums as signed 16 bits.
    static constexpr int kMaxRows = 128;

    explicit ColumnBand(int width);

    // Adds `count` rows, the first at `first` and each `stride` bytes after the previous one.
    // rows() + count must not exceed kMaxRows. Only the groups [fromGroup, toGroup) of each line
    // when given; the others' slots are left as they were and mean nothing until a whole add.
    void add(const std::uint8_t *first, std::size_t stride, int count);
    void add(const std::uint8_t *first, std::size_t stride, int count, int fromGroup, int toGroup);

    // Starts a new band: the next add overwrites the sums rather than adding to them.
    void clear() { m_rows = 0; }

    int rows() const { return m_rows; }

    // 16 slots per group of 4 pixels, whole groups; slots past the line's width stay zero.
    const std::uint16_t *slots() const { return m_sums.data(); }

    static std::size_t slotOf(std::size_t byte)
    {
        return (byte & ~std::size_t{15}) | ((byte & 1) << 3) | ((byte & 15) >> 1);
    }

private:
    std::size_t m_lineBytes;
    int m_rows = 0;
    std::vector<std::uint16_t> m_sums;
};

} // namespace lumvex
