// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ContentSignature.h"

#include <optional>

namespace lumvex {

// What the compensation loop reads from its surroundings at each step. Every one is required, so that a
// missing part is a choice the caller writes down, never a silent default.

class AmbientLevelProvider
{
public:
    virtual ~AmbientLevelProvider() = default;

    // The current ambient level 0...1, or nothing without a sensor reading.
    virtual std::optional<double> ambientLevel() = 0;
};

class ContentSignatureProvider
{
public:
    virtual ~ContentSignatureProvider() = default;

    // The current smoothed signature, when the sampler has one that describes the screen now.
    virtual std::optional<ContentSignature> smoothedSignature() = 0;
    // The latest sample's own signature. With brightness remembered per situation, the band follows the
    // situation it names at once, instead of a second later with the smoothed one.
    virtual std::optional<ContentSignature> latestSignature() = 0;
    // Asked when a manual change finds no signature: true when a capture is on its way, after which
    // signatureArrived() learns the change; false learns it now, without a situation.
    virtual bool requestSignature() = 0;
};

class MainDisplayProvider
{
public:
    virtual ~MainDisplayProvider() = default;

    // Whether the main display is the built-in one, the only one the loop drives.
    virtual bool mainDisplayIsBuiltIn() const = 0;
};

} // namespace lumvex
