// SPDX-License-Identifier: MIT
#include "Trace.h"

#include <algorithm>

namespace lumvex::sim {

ContentSignature signatureForLuminance(double luminance)
{
    const double dark = std::clamp(1.0 - luminance * 2.2, 0.0, 1.0);
    const double bright = std::clamp((luminance - 0.55) * 2.2, 0.0, 1.0 - dark);
    return {dark, bright, luminance};
}

} // namespace lumvex::sim
