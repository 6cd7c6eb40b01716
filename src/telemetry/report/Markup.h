// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace lumvex::report {

// Text made safe for XML and HTML content and attribute values.
std::string escapeMarkup(std::string_view text);

// A number with a fixed count of decimals and a dot, whatever the process locale says.
std::string fixed(double value, int decimals = 1);

// "09:05" for seconds since midnight.
std::string clockTime(double secondsOfDay, bool withSeconds = false);

// "Friday" for 1 = Sunday ... 7 = Saturday, in the reader's language.
std::string weekdayName(int weekday);

} // namespace lumvex::report
