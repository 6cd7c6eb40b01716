// SPDX-License-Identifier: MIT
#include "Markup.h"

#include "base/Translation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace lumvex::report {

std::string escapeMarkup(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            // Control characters are not allowed in XML at all.
            out += static_cast<unsigned char>(c) < 0x20 && c != '\t' ? ' ' : c;
        }
    }
    return out;
}

std::string fixed(double value, int decimals)
{
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    std::array<char, 64> text{};
    const auto [end, error] =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(text.data(), end) : std::string("0");
}

std::string clockTime(double secondsOfDay, bool withSeconds)
{
    const auto total = static_cast<long>(std::clamp(std::floor(secondsOfDay), 0.0, 99.0 * 3600.0));
    char text[48];
    if (withSeconds) {
        std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    } else {
        std::snprintf(text, sizeof text, "%02ld:%02ld", total / 3600, total / 60 % 60);
    }
    return text;
}

std::string weekdayName(int weekday)
{
    static constexpr std::array<const char *, 7> names{
        QT_TRANSLATE_NOOP("Report", "Sunday"),   QT_TRANSLATE_NOOP("Report", "Monday"),
        QT_TRANSLATE_NOOP("Report", "Tuesday"),  QT_TRANSLATE_NOOP("Report", "Wednesday"),
        QT_TRANSLATE_NOOP("Report", "Thursday"), QT_TRANSLATE_NOOP("Report", "Friday"),
        QT_TRANSLATE_NOOP("Report", "Saturday")};
    return weekday >= 1 && weekday <= 7 ? i18n::translate("Report", names[static_cast<std::size_t>(weekday - 1)])
                                        : std::string();
}

} // namespace lumvex::report
