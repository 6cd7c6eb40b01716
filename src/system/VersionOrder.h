// SPDX-License-Identifier: MIT
#pragma once

#include <compare>
#include <string_view>

namespace lumvex {

// Orders dotted version numbers as people read them: "1.10" is newer than "1.9", "1.0" equals "1.0.0",
// and a release tag after the numbers ("0.2.0-rc1", "0.2.0~beta", "1.0b2") marks a pre-release, older
// than the plain release and ordered by its numbers ("rc10" after "rc9"). A leading "v" and build
// metadata after "+" are ignored.
std::strong_ordering compareVersions(std::string_view a, std::string_view b);

// Whether the text is a version at all: digits first, after an optional "v".
bool isVersion(std::string_view text);

} // namespace lumvex
