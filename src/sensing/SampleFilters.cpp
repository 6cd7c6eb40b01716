// SPDX-License-Identifier: MIT
#include "SampleFilters.h"

namespace lumvex {

namespace {

double smooth(double alpha, double sample, double previous)
{
    return alpha * sample + (1.0 - alpha) * previous;
}

} // namespace

void SampleFilters::apply(double L, const ContentSignature &signature)
{
    m_L_slow = smooth(kSlowAlpha, L, m_L_slow);
    m_L_fast = smooth(kFastAlpha, L, m_L_fast);
    m_L_raw = L;
    m_latest = signature;
    m_signature.pctDark = smooth(kSlowAlpha, signature.pctDark, m_signature.pctDark);
    m_signature.pctBright = smooth(kSlowAlpha, signature.pctBright, m_signature.pctBright);
    m_signature.mean = smooth(kSlowAlpha, signature.mean, m_signature.mean);
}

void SampleFilters::restart(double L, const ContentSignature &signature)
{
    m_L_raw = m_L_slow = m_L_fast = L;
    m_signature = m_latest = signature;
}

} // namespace lumvex
