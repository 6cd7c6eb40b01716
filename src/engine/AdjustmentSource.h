// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace lumvex {

// What moved the brightness: the user (scroll on the icon, the brightness keys, a script through the
// control interface) or the loop itself.
enum class AdjustmentSource {
    scroll,
    systemKey,
    command,
    automatic,
    automaticFast,
};

// The event_type column of adjustments.csv; stored logs and reports rely on these exact words.
constexpr std::string_view logText(AdjustmentSource source)
{
    switch (source) {
    case AdjustmentSource::scroll:
        return "scroll";
    case AdjustmentSource::systemKey:
        return "system_key";
    case AdjustmentSource::command:
        return "command";
    case AdjustmentSource::automatic:
        return "auto";
    case AdjustmentSource::automaticFast:
        return "auto_fast";
    }
    return "unknown";
}

} // namespace lumvex
