// SPDX-License-Identifier: MIT
#include "VideoFormat.h"

#include <spa/buffer/buffer.h>
#include <spa/buffer/meta.h>
#include <spa/param/buffers.h>
#include <spa/param/format-utils.h>
#include <spa/param/video/format-utils.h>

namespace lumvex {

std::vector<const spa_pod *> videoFormatOffers(spa_pod_builder &builder, int maxFramesPerSecond)
{
    const spa_rectangle defaultSize{1920, 1080};
    const spa_rectangle minSize{1, 1};
    const spa_rectangle maxSize{ImageView::kMaxSide, ImageView::kMaxSide};
    const spa_fraction variableRate{0, 1};
    const spa_fraction maxRate{static_cast<std::uint32_t>(maxFramesPerSecond), 1};
    const spa_fraction minMaxRate{1, 1};
    // Frames come when the screen changes (a rate of 0/1); the maximum keeps a busy screen from sending
    // more than we sample.
    const auto *format = static_cast<const spa_pod *>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat,     //
        SPA_FORMAT_mediaType, SPA_POD_Id(SPA_MEDIA_TYPE_video),     //
        SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), //
        SPA_FORMAT_VIDEO_format,                                    //
        SPA_POD_CHOICE_ENUM_Id(5, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRx, SPA_VIDEO_FORMAT_BGRA,
                               SPA_VIDEO_FORMAT_RGBx, SPA_VIDEO_FORMAT_RGBA),                    //
        SPA_FORMAT_VIDEO_size, SPA_POD_CHOICE_RANGE_Rectangle(&defaultSize, &minSize, &maxSize), //
        SPA_FORMAT_VIDEO_framerate, SPA_POD_CHOICE_RANGE_Fraction(&variableRate, &variableRate, &maxRate),
        SPA_FORMAT_VIDEO_maxFramerate, SPA_POD_CHOICE_RANGE_Fraction(&maxRate, &minMaxRate, &maxRate)));
    return {format};
}

std::vector<const spa_pod *> bufferParams(spa_pod_builder &builder)
{
    const auto *buffers = static_cast<const spa_pod *>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_ParamBuffers, SPA_PARAM_Buffers, //
        SPA_PARAM_BUFFERS_dataType, SPA_POD_CHOICE_FLAGS_Int((1 << SPA_DATA_MemFd) | (1 << SPA_DATA_MemPtr))));
    const auto *header = static_cast<const spa_pod *>(
        spa_pod_builder_add_object(&builder, SPA_TYPE_OBJECT_ParamMeta, SPA_PARAM_Meta, //
                                   SPA_PARAM_META_type, SPA_POD_Id(SPA_META_Header),    //
                                   SPA_PARAM_META_size, SPA_POD_Int(sizeof(spa_meta_header))));
    return {buffers, header};
}

std::optional<VideoFormat> parseVideoFormat(const spa_pod &format)
{
    std::uint32_t mediaType = 0;
    std::uint32_t mediaSubtype = 0;
    if (spa_format_parse(&format, &mediaType, &mediaSubtype) < 0 || mediaType != SPA_MEDIA_TYPE_video ||
        mediaSubtype != SPA_MEDIA_SUBTYPE_raw) {
        return std::nullopt;
    }
    spa_video_info_raw info{};
    if (spa_format_video_raw_parse(&format, &info) < 0) {
        return std::nullopt;
    }
    VideoFormat result{static_cast<int>(info.size.width), static_cast<int>(info.size.height)};
    switch (info.format) {
    case SPA_VIDEO_FORMAT_BGRx:
    case SPA_VIDEO_FORMAT_BGRA:
        result.order = PixelOrder::BGRA;
        break;
    case SPA_VIDEO_FORMAT_RGBx:
    case SPA_VIDEO_FORMAT_RGBA:
        result.order = PixelOrder::RGBA;
        break;
    default:
        return std::nullopt;
    }
    if (result.width <= 0 || result.height <= 0) {
        return std::nullopt;
    }
    return result;
}

} // namespace lumvex
