// SPDX-License-Identifier: MIT
#include "MenuText.h"

#include <array>
#include <charconv>
#include <cmath>

namespace lumvex::menuText {

std::string fixed(double value, int decimals)
{
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
    }
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string percentNumber(double value)
{
    return std::to_string(static_cast<long long>(std::round(value * 100.0)));
}

std::string binWord(std::int64_t bin)
{
    static const std::array<const char *, 5> words{"none", "low", "med", "high", "max"};
    return bin >= 0 && bin < 5 ? words[static_cast<std::size_t>(bin)] : "?";
}

std::string timeOfDayWord(std::int64_t bin)
{
    static const std::array<const char *, 4> words{"morning", "day", "evening", "night"};
    return bin >= 0 && bin < 4 ? words[static_cast<std::size_t>(bin)] : "?";
}

} // namespace lumvex::menuText
