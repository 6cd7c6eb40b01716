// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/ImageView.h"

#include <spa/pod/builder.h>

#include <optional>
#include <vector>

namespace lumvex {

// The screen's pixels as the stream delivers them: 32-bit pixels in one of the orders the reducers read.
struct VideoFormat
{
    int width = 0;
    int height = 0;
    PixelOrder order = PixelOrder::BGRA;
};

// What we take: raw video, BGRx, BGRA, RGBx or RGBA, any size, no more than `maxFramesPerSecond` frames a
// second. Built into `builder`, whose memory the pods point into.
std::vector<const spa_pod *> videoFormatOffers(spa_pod_builder &builder, int maxFramesPerSecond);

// The buffers we can read without a graphics device, shared memory only, and the header that flags
// corrupted frames.
std::vector<const spa_pod *> bufferParams(spa_pod_builder &builder);

// The format the stream settled on; nothing when it is not one we read.
std::optional<VideoFormat> parseVideoFormat(const spa_pod &format);

} // namespace lumvex
