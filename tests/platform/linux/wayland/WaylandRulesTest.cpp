// SPDX-License-Identifier: MIT
#include "platform/linux/wayland/FrameImage.h"
#include "platform/linux/wayland/OutputLayout.h"
#include "sensing/OutputNameId.h"

#include <wayland-client-protocol.h>

#include <gtest/gtest.h>

#include <tuple>

using namespace lumvex;

// Layouts on sway and on the fake compositor are tested there; these are what neither can show.
TEST(OutputLayoutTest, EdgeLayoutsAndAPanelNamedByTheUser)
{
    EXPECT_EQ(mainOutputIndex({}), std::nullopt);
    const NamedOutput left{"DP-2", {0, 0, 1920, 1080}};
    const NamedOutput right{"HDMI-A-1", {1920, 0, 2560, 1440}};
    EXPECT_EQ(mainOutputIndex({right, {"lvds-1", {0, 1440, 1280, 800}}}), 1u);

    const BuiltInRule named{"HDMI-A-1"};
    EXPECT_TRUE(named("HDMI-A-1") && named("eDP-2") && !named("HDMI-A-2"));
    EXPECT_EQ(mainOutputIndex({left, right}, named), 1u);
    EXPECT_EQ(desktopScreens({left, right}, named).front().id, outputNameId("HDMI-A-1"));

    // Outputs placed above the origin still count from their own lowest edge.
    EXPECT_EQ(layoutBottom({{"DP-1", {0, -2000, 1920, 1080}}}), -920);
    EXPECT_EQ(desktopPointOnOutputs(-1, 10, {left}), std::nullopt);
}

TEST(FrameImageTest, ReadsThirtyTwoBitRgbAndTurnsBottomUpFramesTheRightWayUpWithoutTheirPadding)
{
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_ARGB8888), PixelOrder::BGRA);
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_XBGR8888), PixelOrder::RGBA);
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_RGB565), std::nullopt);

    // Two pixels a row, three rows, a stride of 12 bytes with 4 bytes of padding.
    std::vector<std::uint8_t> pixels(36, 0xee);
    for (int row = 0; row < 3; ++row) {
        for (int byte = 0; byte < 8; ++byte) {
            pixels[static_cast<std::size_t>(row * 12 + byte)] = static_cast<std::uint8_t>(row * 10 + byte);
        }
    }
    const ImageView frame{pixels.data(), 2, 3, 12, PixelOrder::RGBA};
    std::vector<std::uint8_t> scratch;

    EXPECT_EQ(uprightImage(frame, false, scratch).data, frame.data);

    const ImageView upright = uprightImage(frame, true, scratch);
    EXPECT_EQ(std::tuple(upright.width, upright.height, upright.stride, upright.order),
              std::tuple(2, 3, 8, PixelOrder::RGBA));
    ASSERT_EQ(upright.data, scratch.data());
    EXPECT_EQ(
        std::vector<int>(upright.data, upright.data + 24),
        (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27, 10, 11, 12, 13, 14, 15, 16, 17, 0, 1, 2, 3, 4, 5, 6, 7}));

    // An unreadable frame is left for the reducers to refuse.
    const ImageView broken{nullptr, 2, 3, 12, PixelOrder::RGBA};
    EXPECT_EQ(uprightImage(broken, true, scratch).data, nullptr);
}
