// SPDX-License-Identifier: MIT
#pragma once

namespace lumvex {

// What kind of picture the screen shows: the share of dark pixels (luminance below 0.2), of bright
// pixels (above 0.8) and the mean luminance, each 0...1.
struct ContentSignature
{
    double pctDark = 0.0;
    double pctBright = 0.0;
    double mean = 0.0;

    friend bool operator==(const ContentSignature &, const ContentSignature &) = default;
};

} // namespace lumvex
