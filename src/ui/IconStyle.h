// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace lumvex {

class Defaults;

// How the level is shown: a pie growing counter-clockwise from 12 o'clock, or a wedge symmetric about
// 6 o'clock that opens upwards on both sides. Persisted under "iconStyle" as its raw value.
enum class IconStyle { pie, curtain };

namespace iconStyle {

inline constexpr std::array<IconStyle, 2> allCases = {IconStyle::pie, IconStyle::curtain};

// "pie", "curtain".
std::string rawValue(IconStyle style);
// "Pie", "Curtain".
std::string displayName(IconStyle style);
// Exactly "pie" or "curtain", case-sensitive; nothing for anything else.
std::optional<IconStyle> fromRawValue(std::string_view raw);

// The stored style: "curtain" is curtain; absent, not a string or any other text is pie. Not cached.
IconStyle current(const Defaults &defaults);
void setCurrent(Defaults &defaults, IconStyle style);

} // namespace iconStyle
} // namespace lumvex
