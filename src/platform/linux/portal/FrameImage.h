// SPDX-License-Identifier: MIT
#pragma once

#include "VideoFormat.h"

#include <spa/buffer/buffer.h>

#include <optional>

namespace lumvex {

// The picture in a buffer of the stream: its first plane, at the chunk's offset and stride. Nothing for a
// buffer that carries no picture (an empty chunk: only the cursor moved), one flagged as corrupted, one
// not mapped into our memory, or one whose rows would run past its end.
std::optional<ImageView> frameImage(const spa_buffer &buffer, const VideoFormat &format);

} // namespace lumvex
