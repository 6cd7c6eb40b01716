// SPDX-License-Identifier: MIT
#include "DamagedRows.h"

#include <algorithm>

namespace lumvex {

std::vector<RowSpan> damagedRows(std::span<const xcb_rectangle_t> drawn, const MonitorGeometry &area)
{
    std::vector<RowSpan> spans;
    for (const xcb_rectangle_t &r : drawn) {
        const int top = std::max<int>(r.y, area.y);
        const int bottom = std::min<int>(r.y + r.height, area.y + area.height);
        const int left = std::max<int>(r.x, area.x);
        const int right = std::min<int>(r.x + r.width, area.x + area.width);
        if (left < right && top < bottom) {
            spans.push_back({top - area.y, bottom - top, left - area.x, right - left});
        }
    }
    std::ranges::sort(spans, {}, &RowSpan::first);
    // Widens `into` to reach over `span` too.
    const auto join = [](RowSpan &into, const RowSpan &span) {
        const int right = std::max(into.left + into.width, span.left + span.width);
        into.count = std::max(into.count, span.first + span.count - into.first);
        into.left = std::min(into.left, span.left);
        into.width = right - into.left;
    };
    std::vector<RowSpan> joined;
    for (const RowSpan &span : spans) {
        if (!joined.empty() && span.first <= joined.back().first + joined.back().count + kJoinGap) {
            join(joined.back(), span);
        } else {
            joined.push_back(span);
        }
    }
    if (joined.size() > kMaxSpans) {
        RowSpan all = joined.front();
        for (const RowSpan &span : joined) {
            join(all, span);
        }
        joined = {all};
    }
    return joined;
}

} // namespace lumvex
