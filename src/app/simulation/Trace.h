#pragma once

#include "sensing/ContentSignature.h"

#include <string>
#include <vector>

namespace lumvex::sim {

// A stretch of time in which the screen shows one thing. Times are seconds since the local midnight
// of the segment's day; the ambient light moves linearly from luxStart to luxEnd across the segment.
struct Segment
{
    double start = 0.0;
    double end = 0.0;
    double luminance = 0.5; // content luminance 0...1
    double flicker = 0.0;   // per-sample variation of the luminance (scrolling, video)
    ContentSignature signature{0.0, 0.0, 0.5};
    double luxStart = 100.0;
    double luxEnd = 100.0;
    std::string app;
};

// What the screen shows on each simulated day; gaps between segments are times away from the machine.
struct Trace
{
    std::string name;
    std::vector<std::vector<Segment>> days;
};

// A plausible signature for content of a given mean luminance, for sources that carry only the mean.
ContentSignature signatureForLuminance(double luminance);

} // namespace lumvex::sim
