// SPDX-License-Identifier: MIT
#pragma once

#include "SituationBucket.h"
#include "sensing/ContentSignature.h"

#include <optional>

namespace lumvex {

// The pure rules of the compensation loop, kept apart from its state so that each can be checked alone.

enum class FastTrackMode { normal, fast };

struct ModeParameters
{
    double gain;          // share of the remaining distance taken per update
    double largestStep;   // per update
    double bandHalfWidth; // around the user's last brightness
};

ModeParameters parametersFor(FastTrackMode mode);

// Dims a little in the evening and more at night: 1.0 from 5 to 16 h, 0.97 to 21 h, 0.93 otherwise.
double timeOfDayFactor(int hour);

// 1 + 0.5 x (ambient - anchor) within 0.7...1.3 when both are known, else the time-of-day factor.
double ambientOrClockFactor(std::optional<double> ambient, std::optional<double> anchor, int hour);

// x in 0...1 into n bins: truncated, then kept within 0...n-1.
std::int64_t binOf(double x, int n);

// 0: 5-10 h, 1: 11-16 h, 2: 17-21 h, 3: 22-4 h.
std::int64_t timeOfDayBin(int hour);

SituationBucket situationOf(const ContentSignature &signature, std::optional<double> ambient, int hour);

} // namespace lumvex
