// SPDX-License-Identifier: MIT
#include "sensing/ColumnBand.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace lumvex {

namespace {

// Bytes [from, to) of `Rows` lines into the slots, added to them or replacing them.
template<int Rows, bool Accumulate>
void addPortable(std::uint16_t *__restrict sums, const std::uint8_t *const *lines, std::size_t from, std::size_t to)
{
    for (std::size_t byte = from; byte < to; ++byte) {
        unsigned total = 0;
        for (int r = 0; r < Rows; ++r) {
            total += lines[r][byte];
        }
        std::uint16_t &slot = sums[ColumnBand::slotOf(byte)];
        slot = static_cast<std::uint16_t>(Accumulate ? slot + total : total);
    }
}

template<int Rows, bool Accumulate>
void addLines(std::uint16_t *sums, const std::uint8_t *const *lines, std::size_t count)
{
#if defined(__SSE2__)
    const std::size_t whole = count & ~std::size_t{15};
    const __m128i lowBytes = _mm_set1_epi16(0x00ff);
    for (std::size_t byte = 0; byte < whole; byte += 16) {
        __m128i even = _mm_setzero_si128();
        __m128i odd = _mm_setzero_si128();
        for (int r = 0; r < Rows; ++r) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(lines[r] + byte));
            even = _mm_add_epi16(even, _mm_and_si128(bytes, lowBytes));
            odd = _mm_add_epi16(odd, _mm_srli_epi16(bytes, 8));
        }
        auto *slots = reinterpret_cast<__m128i *>(sums + byte);
        if constexpr (Accumulate) {
            even = _mm_add_epi16(even, _mm_loadu_si128(slots));
            odd = _mm_add_epi16(odd, _mm_loadu_si128(slots + 1));
        }
        _mm_storeu_si128(slots, even);
        _mm_storeu_si128(slots + 1, odd);
    }
    addPortable<Rows, Accumulate>(sums, lines, whole, count);
#else
    addPortable<Rows, Accumulate>(sums, lines, 0, count);
#endif
}

} // namespace

ColumnBand::ColumnBand(int width)
    : m_lineBytes(static_cast<std::size_t>(width) * 4)
    , m_sums((m_lineBytes + 15) & ~std::size_t{15}, 0)
{}

void ColumnBand::add(const std::uint8_t *first, std::size_t stride, int count)
{
    add(first, stride, count, 0, static_cast<int>((m_lineBytes + 15) / 16));
}

void ColumnBand::add(const std::uint8_t *first, std::size_t stride, int count, int fromGroup, int toGroup)
{
    const std::size_t from = static_cast<std::size_t>(fromGroup) * 16;
    const std::size_t bytes = std::min(m_lineBytes, static_cast<std::size_t>(toGroup) * 16) - from;
    std::uint16_t *sums = m_sums.data() + from;
    // Four rows at a time halve the traffic to the sums.
    constexpr int kGroup = 4;
    const std::uint8_t *lines[kGroup];
    const auto line = [&](int row) { return first + from + static_cast<std::size_t>(row) * stride; };
    int row = 0;
    for (; row + kGroup <= count; row += kGroup) {
        for (int r = 0; r < kGroup; ++r) {
            lines[r] = line(row + r);
        }
        if (m_rows == 0) {
            addLines<kGroup, false>(sums, lines, bytes);
        } else {
            addLines<kGroup, true>(sums, lines, bytes);
        }
        m_rows += kGroup;
    }
    for (; row < count; ++row) {
        lines[0] = line(row);
        if (m_rows == 0) {
            addLines<1, false>(sums, lines, bytes);
        } else {
            addLines<1, true>(sums, lines, bytes);
        }
        ++m_rows;
    }
}

} // namespace lumvex
