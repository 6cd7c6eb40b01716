// SPDX-License-Identifier: MIT
#include "platform/linux/portal/FrameImage.h"
#include "platform/linux/portal/ScreenCastStream.h"
#include "platform/linux/portal/VideoFormat.h"

#include <spa/buffer/meta.h>
#include <spa/param/video/format-utils.h>
#include <spa/pod/filter.h>

#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

namespace lumvex {
namespace {

TEST(ScreenCastStreamTest, TheStreamShowingTheWatchedAreaWinsElseTheFirst)
{
    const std::vector<ScreenCastStream> streams{
        {40, QRect(0, 0, 1920, 1080)}, {41, QRect(1920, 0, 2560, 1440)}, {42, {}}};
    EXPECT_EQ(chooseScreenCastStream(streams, QRect(1920, 0, 2560, 1440))->nodeId, 41u);
    EXPECT_EQ(chooseScreenCastStream(streams, QRect(1920, 0, 1280, 720))->nodeId, 40u);
    EXPECT_EQ(chooseScreenCastStream(streams, std::nullopt)->nodeId, 40u);
    EXPECT_FALSE(chooseScreenCastStream({}, QRect(0, 0, 1, 1)).has_value());
}

// A producer's format as a compositor offers it: fixed pixels and size, frames as they come, at most `maxRate`.
const spa_pod *producerFormat(spa_pod_builder &builder, spa_video_format pixels, std::uint32_t maxRate)
{
    const spa_rectangle size{1920, 1080};
    const spa_fraction variable{0, 1};
    const spa_fraction least{1, 1};
    const spa_fraction most{maxRate, 1};
    return static_cast<const spa_pod *>(spa_pod_builder_add_object(
        &builder, SPA_TYPE_OBJECT_Format, SPA_PARAM_EnumFormat, SPA_FORMAT_mediaType, SPA_POD_Id(SPA_MEDIA_TYPE_video),
        SPA_FORMAT_mediaSubtype, SPA_POD_Id(SPA_MEDIA_SUBTYPE_raw), SPA_FORMAT_VIDEO_format, SPA_POD_Id(pixels),
        SPA_FORMAT_VIDEO_size, SPA_POD_Rectangle(&size), SPA_FORMAT_VIDEO_framerate, SPA_POD_Fraction(&variable),
        SPA_FORMAT_VIDEO_maxFramerate, SPA_POD_CHOICE_RANGE_Fraction(&most, &least, &most)));
}

TEST(VideoFormatTest, OurOfferMeetsACompositorsFormatAtOurRateAndRefusesOthers)
{
    std::array<std::uint8_t, 4096> memory{};
    spa_pod_builder builder{};
    spa_pod_builder_init(&builder, memory.data(), memory.size());
    const spa_pod *offer = videoFormatOffers(builder, 10).front();

    for (const auto &[pixels, order] :
         {std::pair{SPA_VIDEO_FORMAT_BGRx, PixelOrder::BGRA}, std::pair{SPA_VIDEO_FORMAT_RGBA, PixelOrder::RGBA}}) {
        const spa_pod *producer = producerFormat(builder, pixels, 60);
        spa_pod *agreed = nullptr;
        ASSERT_GE(spa_pod_filter(&builder, &agreed, producer, offer), 0);
        spa_pod_fixate(agreed);
        spa_video_info_raw info{};
        ASSERT_GE(spa_format_video_raw_parse(agreed, &info), 0);
        EXPECT_LE(info.max_framerate.num, 10u * info.max_framerate.denom);
        const std::optional<VideoFormat> format = parseVideoFormat(*agreed);
        ASSERT_TRUE(format.has_value());
        EXPECT_EQ(format->width, 1920);
        EXPECT_EQ(format->height, 1080);
        EXPECT_EQ(format->order, order);
    }
    spa_pod *agreed = nullptr;
    EXPECT_LT(spa_pod_filter(&builder, &agreed, producerFormat(builder, SPA_VIDEO_FORMAT_NV12, 60), offer), 0);
    EXPECT_FALSE(parseVideoFormat(*producerFormat(builder, SPA_VIDEO_FORMAT_NV12, 60)).has_value());
}

// A buffer of one plane in memory of our own, as PipeWire hands it over once mapped.
struct TestBuffer
{
    explicit TestBuffer(std::uint32_t bytes)
        : memory(bytes)
    {
        data.data = memory.data();
        data.maxsize = bytes;
        data.chunk = &chunk;
        metas[0] = spa_meta{SPA_META_Header, sizeof(header), &header};
        buffer.n_metas = 1;
        buffer.metas = metas.data();
        buffer.n_datas = 1;
        buffer.datas = &data;
    }

    std::vector<std::uint8_t> memory;
    spa_chunk chunk{};
    spa_data data{};
    spa_meta_header header{};
    std::array<spa_meta, 1> metas{};
    spa_buffer buffer{};
};

TEST(PipeWireFrameTest, FollowsTheChunksOffsetAndStrideAndRefusesBuffersWithoutAUsablePicture)
{
    TestBuffer frame(64 * 1024);
    frame.chunk = spa_chunk{256, 160 * 20, 160, 0};
    const VideoFormat format{32, 20, PixelOrder::RGBA};
    const std::optional<ImageView> image = frameImage(frame.buffer, format);
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(std::tuple(image->data, image->stride, image->width, image->height, image->order),
              std::tuple(frame.memory.data() + 256, 160, 32, 20, PixelOrder::RGBA));

    // No stride given: rows follow each other.
    frame.chunk.stride = 0;
    EXPECT_EQ(frameImage(frame.buffer, format)->stride, 128);

    // Buffers without a usable picture are refused.
    const auto usable = [&](const std::function<void(TestBuffer &)> &change) {
        TestBuffer frame(32 * 4 * 20);
        frame.chunk = spa_chunk{0, 32 * 4 * 20, 128, 0};
        change(frame);
        return frameImage(frame.buffer, format).has_value();
    };
    EXPECT_TRUE(usable([](TestBuffer &) {}));
    EXPECT_FALSE(usable([](TestBuffer &f) { f.chunk.size = 0; })); // the cursor moved
    EXPECT_FALSE(usable([](TestBuffer &f) { f.header.flags = SPA_META_HEADER_FLAG_CORRUPTED; }));
    EXPECT_FALSE(usable([](TestBuffer &f) { f.chunk.flags = SPA_CHUNK_FLAG_CORRUPTED; }));
    EXPECT_FALSE(usable([](TestBuffer &f) { f.data.data = nullptr; })); // not mapped, as a dmabuf
    EXPECT_FALSE(usable([](TestBuffer &f) { f.chunk.stride = 100; }));  // shorter than a row
    EXPECT_FALSE(usable([](TestBuffer &f) { f.chunk.stride = -128; }));
    EXPECT_FALSE(usable([](TestBuffer &f) { f.chunk.offset = 4; })); // last row past the end
    EXPECT_FALSE(usable([](TestBuffer &f) { f.buffer.n_datas = 0; }));
}

} // namespace
} // namespace lumvex
