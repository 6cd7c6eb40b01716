// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/AreaThumbnail.h"
#include "sensing/ImageView.h"

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

namespace lumvex::test {

using Rgb = AreaThumbnail::Rgb;

// An owned image for the reducers. The buffer ends right after the last row's pixels, so a read past
// them is out of bounds (and seen by sanitizers); row padding holds junk that must not count.
class TestImage
{
public:
    TestImage(int width, int height, PixelOrder order = PixelOrder::BGRA, int padding = 0)
        : m_width(width)
        , m_height(height)
        , m_stride(width * 4 + padding)
        , m_order(order)
        , m_bytes(height > 0 ? static_cast<std::size_t>(height - 1) * m_stride + static_cast<std::size_t>(width) * 4
                             : 0,
                  0xa5)
    {}

    void paint(const std::function<Rgb(int x, int y)> &colour)
    {
        for (int y = 0; y < m_height; ++y) {
            for (int x = 0; x < m_width; ++x) {
                const Rgb c = colour(x, y);
                std::uint8_t *pixel = m_bytes.data() + static_cast<std::size_t>(y) * m_stride + x * 4;
                pixel[0] = m_order == PixelOrder::RGBA ? c.r : c.b;
                pixel[1] = c.g;
                pixel[2] = m_order == PixelOrder::RGBA ? c.b : c.r;
                pixel[3] = static_cast<std::uint8_t>(x * 7 + y); // alpha is ignored
            }
        }
    }

    void fill(Rgb colour)
    {
        paint([colour](int, int) { return colour; });
    }

    void randomise(unsigned seed)
    {
        std::mt19937 random(seed);
        std::uniform_int_distribution<int> byte(0, 255);
        paint([&](int, int) {
            return Rgb{static_cast<std::uint8_t>(byte(random)), static_cast<std::uint8_t>(byte(random)),
                       static_cast<std::uint8_t>(byte(random))};
        });
    }

    ImageView view() const { return {m_bytes.data(), m_width, m_height, m_stride, m_order}; }

private:
    int m_width;
    int m_height;
    int m_stride;
    PixelOrder m_order;
    std::vector<std::uint8_t> m_bytes;
};

} // namespace lumvex::test
