// SPDX-License-Identifier: MIT
#include "sensing/ColumnWeights.h"

#include "sensing/PixelShare.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumvex {

namespace {

#if defined(__SSE2__)
// A group of 4 pixels as two vectors of 16-bit values: bytes 0 and 2 of each pixel, bytes 1 and 3.
struct Group
{
    __m128i even;
    __m128i odd;
};

struct BandGroups
{
    const std::uint16_t *slots;
    int largest; // the largest value a slot can hold

    Group operator()(int group) const
    {
        const auto *at = reinterpret_cast<const __m128i *>(slots + static_cast<std::size_t>(group) * 16);
        return {_mm_loadu_si128(at), _mm_loadu_si128(at + 1)};
    }
    Group edge(int group) const { return (*this)(group); }
};

struct LineGroups
{
    const std::uint8_t *line;
    std::size_t bytes;
    int largest = 0xff;

    static Group split(__m128i pixels)
    {
        return {_mm_and_si128(pixels, _mm_set1_epi16(0x00ff)), _mm_srli_epi16(pixels, 8)};
    }

    // A group between a column's first and last lies before the line's last group, so it is whole.
    Group operator()(int group) const
    {
        return split(_mm_loadu_si128(reinterpret_cast<const __m128i *>(line + static_cast<std::size_t>(group) * 16)));
    }

    // The line's last group may be partial: never read past the line's end.
    Group edge(int group) const
    {
        const std::size_t at = static_cast<std::size_t>(group) * 16;
        if (at + 16 <= bytes) {
            return (*this)(group);
        }
        alignas(16) std::uint8_t tail[16] = {};
        std::memcpy(tail, line + at, bytes - at);
        return split(_mm_load_si128(reinterpret_cast<const __m128i *>(tail)));
    }
};
#else
struct BandGroups
{
    const std::uint16_t *slots;

    std::uint32_t operator()(int x, int channel) const
    {
        return slots[ColumnBand::slotOf(static_cast<std::size_t>(x) * 4 + static_cast<std::size_t>(channel))];
    }
};

struct LineGroups
{
    const std::uint8_t *line;
    std::size_t bytes;

    std::uint32_t operator()(int x, int channel) const
    {
        return line[static_cast<std::size_t>(x) * 4 + static_cast<std::size_t>(channel)];
    }
};
#endif

} // namespace

ColumnWeights::ColumnWeights(int width, int side)
    : m_width(width)
    , m_whole(static_cast<std::uint32_t>(side))
    , m_columns(static_cast<std::size_t>(side))
{
    for (const PixelShare &share : pixelShares(width, side)) {
        Column &column = m_columns[static_cast<std::size_t>(share.bin)];
        const int group = share.source / 4;
        const auto pixel = static_cast<std::size_t>(share.source % 4);
        if (column.firstGroup < 0) {
            column.firstGroup = group;
            column.lastGroup = group;
        }
        if (group == column.firstGroup) {
            column.first[pixel] = share.weight;
            continue;
        }
        if (group > column.lastGroup) {
            column.lastGroup = group;
            column.last = {};
        }
        column.last[pixel] = share.weight;
    }
}

void ColumnWeights::reduce(const ColumnBand &band, std::vector<Sums> &out, int fromColumn, int toColumn) const
{
#if defined(__SSE2__)
    reduceGroups(BandGroups{band.slots(), std::max(band.rows(), 1) * 0xff}, out, fromColumn, toColumn);
#else
    reduceGroups(BandGroups{band.slots()}, out, fromColumn, toColumn);
#endif
}

void ColumnWeights::reduce(const std::uint8_t *line, std::vector<Sums> &out, int fromColumn, int toColumn) const
{
    reduceGroups(LineGroups{line, static_cast<std::size_t>(m_width) * 4}, out, fromColumn, toColumn);
}

template<typename Groups>
void ColumnWeights::reduceGroups(const Groups &groups, std::vector<Sums> &out, int fromColumn, int toColumn) const
{
    out.resize(m_columns.size());
    const auto from = static_cast<std::size_t>(fromColumn);
    const auto to = static_cast<std::size_t>(toColumn);
#if defined(__SSE2__)
    // One 32-bit lane per pixel of a group and per channel: the even 16-bit values times (weight, 0)
    // pairs pick byte 0 of each pixel, times (0, weight) byte 2, the odd values times (weight, 0)
    // byte 1. Groups wholly inside a column all weigh the same, so their values are first added in
    // 16 bits, for as many groups as stay below 2^15 (the multiplication is signed).
    const int run = std::max(1, 0x7fff / groups.largest);
    const __m128i whole = _mm_set1_epi32(static_cast<int>(m_whole));
    const __m128i wholeHigh = _mm_slli_epi32(whole, 16);
    for (std::size_t j = from; j < to; ++j) {
        const Column &column = m_columns[j];
        __m128i sum0 = _mm_setzero_si128();
        __m128i sum1 = _mm_setzero_si128();
        __m128i sum2 = _mm_setzero_si128();
        const auto addWeighted = [&](const Group &values, __m128i weight, __m128i weightHigh) {
            sum0 = _mm_add_epi32(sum0, _mm_madd_epi16(values.even, weight));
            sum1 = _mm_add_epi32(sum1, _mm_madd_epi16(values.odd, weight));
            sum2 = _mm_add_epi32(sum2, _mm_madd_epi16(values.even, weightHigh));
        };
        const auto addEdge = [&](const std::array<std::uint32_t, 4> &pixelWeights, int group) {
            const __m128i weight = _mm_loadu_si128(reinterpret_cast<const __m128i *>(pixelWeights.data()));
            addWeighted(groups.edge(group), weight, _mm_slli_epi32(weight, 16));
        };
        addEdge(column.first, column.firstGroup);
        if (column.lastGroup != column.firstGroup) {
            addEdge(column.last, column.lastGroup);
        }
        for (int group = column.firstGroup + 1; group < column.lastGroup;) {
            const int end = std::min(column.lastGroup, group + run);
            Group inside{_mm_setzero_si128(), _mm_setzero_si128()};
            for (; group < end; ++group) {
                const Group values = groups(group);
                inside.even = _mm_add_epi16(inside.even, values.even);
                inside.odd = _mm_add_epi16(inside.odd, values.odd);
            }
            addWeighted(inside, whole, wholeHigh);
        }
        // Transposed adds: (sum0, sum1, sum2, 0) across the lanes.
        const __m128i zero = _mm_setzero_si128();
        const __m128i pairs01 = _mm_add_epi32(_mm_unpacklo_epi32(sum0, sum1), _mm_unpackhi_epi32(sum0, sum1));
        const __m128i pairs2 = _mm_add_epi32(_mm_unpacklo_epi32(sum2, zero), _mm_unpackhi_epi32(sum2, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i *>(out[j].data()),
                         _mm_add_epi32(_mm_unpacklo_epi64(pairs01, pairs2), _mm_unpackhi_epi64(pairs01, pairs2)));
    }
#else
    for (std::size_t j = from; j < to; ++j) {
        const Column &column = m_columns[j];
        out[j] = {};
        const auto addGroup = [&](int group, const auto &weightOf) {
            for (int k = 0; k < 4 && group * 4 + k < m_width; ++k) {
                for (int c = 0; c < 3; ++c) {
                    out[j][static_cast<std::size_t>(c)] += weightOf(k) * groups(group * 4 + k, c);
                }
            }
        };
        addGroup(column.firstGroup, [&](int k) { return column.first[static_cast<std::size_t>(k)]; });
        for (int group = column.firstGroup + 1; group < column.lastGroup; ++group) {
            addGroup(group, [&](int) { return m_whole; });
        }
        if (column.lastGroup != column.firstGroup) {
            addGroup(column.lastGroup, [&](int k) { return column.last[static_cast<std::size_t>(k)]; });
        }
    }
#endif
}

} // namespace lumvex
