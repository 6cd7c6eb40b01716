// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
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

// The user's own choice, learned and counted as a correction; everything else is the loop's.
constexpr bool isUserCorrection(AdjustmentSource source)
{
    return source != AdjustmentSource::automatic && source != AdjustmentSource::automaticFast;
}

// The source a log's event_type names; nothing for a word this program does not write.
constexpr std::optional<AdjustmentSource> adjustmentSourceFromLogText(std::string_view text)
{
    constexpr std::array all{AdjustmentSource::scroll, AdjustmentSource::systemKey, AdjustmentSource::command,
                             AdjustmentSource::automatic, AdjustmentSource::automaticFast};
    for (const AdjustmentSource source : all) {
        if (logText(source) == text) {
            return source;
        }
    }
    return std::nullopt;
}

} // namespace lumvex
