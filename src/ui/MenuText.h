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
// "none", "low", "med", "high", "max" for 0...4, else "?"; translated.
std::string binWord(std::int64_t bin);
// "morning", "day", "evening", "night" for 0...3, else "?"; translated.
std::string timeOfDayWord(std::int64_t bin);
// A text of the status menu in the user's language.
std::string translated(const char *text, int n = -1);
// A whole number or a fixed-point number in the user's locale, for what the menu shows.
std::string localNumber(long long value);
std::string localFixed(double value, int decimals);

} // namespace lumvex::menuText
