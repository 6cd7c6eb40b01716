// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/DisplayId.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumvex::external {

// The DDC tool's command lines and the reading of its output. Plain C++.

std::vector<std::string> readArguments(DisplayId display);
std::vector<std::string> writeArguments(DisplayId display, int percent);

// Well-formed UTF-8: no stray continuation bytes, overlong forms, surrogates or code points past U+10FFFF.
bool isValidUtf8(std::string_view bytes);

// Valid UTF-8 without the white space and line breaks at either end, Unicode's as well as ASCII's.
std::string_view trimWhitespace(std::string_view text);

// A decimal integer and nothing else: an optional "+" or "-", then one or more ASCII digits. Nothing
// for anything else or for a value that does not fit in 64 bits.
std::optional<std::int64_t> parseInteger(std::string_view text);

// The brightness a read printed (valid UTF-8): the integer between any white space, limited to
// 0...100 and divided by 100; nothing when the output is not such an integer.
std::optional<double> brightnessFromOutput(std::string_view output);

// The percentage the tool is given for a brightness: ×100 rounded to the nearest integer, halves away
// from zero, then limited to 0...100. Nothing for a value that is not a number.
std::optional<int> percentForBrightness(double brightness);

} // namespace lumvex::external
