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
        const bool acrossColumns = r.x < area.x + area.width && area.x < r.x + r.width;
        if (acrossColumns && top < bottom) {
            spans.push_back({top - area.y, bottom - top});
        }
    }
    std::ranges::sort(spans, {}, &RowSpan::first);
    std::vector<RowSpan> joined;
    for (const RowSpan &span : spans) {
        if (!joined.empty() && span.first <= joined.back().first + joined.back().count + kJoinGap) {
            RowSpan &last = joined.back();
            last.count = std::max(last.count, span.first + span.count - last.first);
        } else {
            joined.push_back(span);
        }
    }
    if (joined.size() > kMaxSpans) {
        joined = {{joined.front().first, joined.back().first + joined.back().count - joined.front().first}};
    }
    return joined;
}

} // namespace lumvex
