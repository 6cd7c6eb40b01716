// SPDX-License-Identifier: MIT
#pragma once

#include "ContentSignature.h"

namespace lumvex {

// The exponential filters over raw screen samples: a slow and a fast luminance and a slowly smoothed
// content signature. Starts from mid-grey, not from the first sample.
class SampleFilters
{
public:
    static constexpr double kSlowAlpha = 0.18;
    static constexpr double kFastAlpha = 0.5;

    void apply(double L, const ContentSignature &signature);
    // Starts over from this sample, for a screen whose earlier figures are out of date.
    void restart(double L, const ContentSignature &signature);

    double rawLuminance() const { return m_L_raw; }
    double slowLuminance() const { return m_L_slow; }
    double fastLuminance() const { return m_L_fast; }
    ContentSignature smoothedSignature() const { return m_signature; }
    // The latest sample's own signature: it names a new screen a second before the smoothed one does.
    ContentSignature latestSignature() const { return m_latest; }

private:
    double m_L_raw = 0.5;
    double m_L_slow = 0.5;
    double m_L_fast = 0.5;
    ContentSignature m_signature{0.0, 0.0, 0.5};
    ContentSignature m_latest{0.0, 0.0, 0.5};
};

} // namespace lumvex
