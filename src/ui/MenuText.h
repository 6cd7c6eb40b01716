// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

namespace lumvex::menuText {

// Fixed-point text with the given decimals and a point, whatever the process's locale, as printf's
// "%.Nf" in the C locale.
std::string fixed(double value, int decimals);
// round(value x 100), halves away from zero, as a whole number.
std::string percentNumber(double value);
// "none", "low", "med", "high", "max" for 0...4, else "?".
std::string binWord(std::int64_t bin);
// "morning", "day", "evening", "night" for 0...3, else "?".
std::string timeOfDayWord(std::int64_t bin);

} // namespace lumvex::menuText
