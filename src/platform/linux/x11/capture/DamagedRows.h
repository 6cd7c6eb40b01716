// SPDX-License-Identifier: MIT
#pragma once

#include "platform/linux/x11/MonitorRules.h"

#include <xcb/xproto.h>

#include <span>
#include <vector>

namespace lumvex {

// Rows of a monitor, counted from its top edge, and the columns drawn on in them, from its left edge.
struct RowSpan
{
    int first = 0;
    int count = 0;
    int left = 0;
    int width = 0;

    friend bool operator==(const RowSpan &, const RowSpan &) = default;
};

// The rows of `area` that the drawn rectangles touch, top to bottom, as few spans as is cheap to read:
// spans less than kJoinGap rows apart are joined, and more than kMaxSpans become one. Each span's
// columns reach over all the drawing in it.
std::vector<RowSpan> damagedRows(std::span<const xcb_rectangle_t> drawn, const MonitorGeometry &area);

inline constexpr int kJoinGap = 32;
inline constexpr std::size_t kMaxSpans = 8;

} // namespace lumvex
