// SPDX-License-Identifier: MIT
#include "FrameImage.h"

#include <spa/buffer/meta.h>

#include <cstdint>

namespace lumvex {

std::optional<ImageView> frameImage(const spa_buffer &buffer, const VideoFormat &format)
{
    if (buffer.n_datas < 1 || buffer.datas == nullptr) {
        return std::nullopt;
    }
    const auto *header = static_cast<const spa_meta_header *>(
        spa_buffer_find_meta_data(&buffer, SPA_META_Header, sizeof(spa_meta_header)));
    if (header != nullptr && (header->flags & SPA_META_HEADER_FLAG_CORRUPTED) != 0) {
        return std::nullopt;
    }
    const spa_data &plane = buffer.datas[0];
    const spa_chunk *chunk = plane.chunk;
    if (plane.data == nullptr || chunk == nullptr || chunk->size == 0 ||
        (chunk->flags & SPA_CHUNK_FLAG_CORRUPTED) != 0) {
        return std::nullopt;
    }
    const std::int64_t rowBytes = static_cast<std::int64_t>(format.width) * 4;
    const std::int64_t stride = chunk->stride != 0 ? chunk->stride : rowBytes;
    if (format.width <= 0 || format.height <= 0 || stride < rowBytes || stride > INT32_MAX) {
        return std::nullopt;
    }
    const std::int64_t offset = chunk->offset;
    const std::int64_t end = offset + stride * (format.height - 1) + rowBytes;
    if (end > plane.maxsize) {
        return std::nullopt;
    }
    return ImageView{static_cast<const std::uint8_t *>(plane.data) + offset, format.width, format.height,
                     static_cast<int>(stride), format.order};
}

} // namespace lumvex
