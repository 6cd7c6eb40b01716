// SPDX-License-Identifier: MIT
#include "ControlLaw.h"

#include <algorithm>
#include <cmath>

namespace lumvex {

ModeParameters parametersFor(FastTrackMode mode)
{
    return mode == FastTrackMode::fast ? ModeParameters{0.9, 0.05, 0.15} : ModeParameters{0.7, 0.012, 0.06};
}

double timeOfDayFactor(int hour)
{
    if (hour >= 5 && hour <= 16) {
        return 1.0;
    }
    if (hour >= 17 && hour <= 21) {
        return 0.97;
    }
    return 0.93;
}

double ambientOrClockFactor(std::optional<double> ambient, std::optional<double> anchor, int hour)
{
    if (!ambient || !anchor) {
        return timeOfDayFactor(hour);
    }
    const double factor = 1.0 + 0.5 * (*ambient - *anchor);
    return factor >= 1.3 ? 1.3 : std::max(factor, 0.7);
}

std::int64_t binOf(double x, int n)
{
    const double scaled = std::trunc(x * n);
    if (!(scaled >= 0.0)) { // also NaN
        return 0;
    }
    return static_cast<std::int64_t>(std::min(scaled, static_cast<double>(n - 1)));
}

std::int64_t timeOfDayBin(int hour)
{
    if (hour >= 5 && hour <= 10) {
        return 0;
    }
    if (hour >= 11 && hour <= 16) {
        return 1;
    }
    if (hour >= 17 && hour <= 21) {
        return 2;
    }
    return 3;
}

SituationBucket situationOf(const ContentSignature &signature, std::optional<double> ambient, int hour)
{
    std::optional<std::int64_t> ambientBin;
    if (ambient) {
        ambientBin = binOf(*ambient, 3);
    }
    return {binOf(signature.pctDark, 5), binOf(signature.pctBright, 5), binOf(signature.mean, 5), ambientBin,
            timeOfDayBin(hour)};
}

} // namespace lumvex
