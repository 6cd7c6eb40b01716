// SPDX-License-Identifier: MIT
#include "platform/linux/wayland/FrameImage.h"
#include "platform/linux/wayland/OutputLayout.h"
#include "sensing/OutputNameId.h"

#include <wayland-client-protocol.h>

#include <gtest/gtest.h>

using namespace lumvex;

// 0 stands for no display; ids come from the names alone, case and all.
TEST(WaylandOutputIdTest, NamesGiveDistinctIdsAndNeverZero)
{
    EXPECT_NE(outputNameId("DP-1"), outputNameId("DP-2"));
    EXPECT_NE(outputNameId("edp-1"), outputNameId("eDP-1"));
    for (const char *name : {"", "eDP-1", "HDMI-A-1", "HEADLESS-1"}) {
        EXPECT_NE(outputNameId(name), 0u) << name;
    }
}

// Layouts on sway and on the fake compositor are tested there; these are what neither can show.
TEST(OutputLayoutTest, EdgeLayoutsAndAPanelNamedByTheUser)
{
    EXPECT_EQ(mainOutputIndex({}), std::nullopt);
    const NamedOutput left{"DP-2", {0, 0, 1920, 1080}};
    const NamedOutput right{"HDMI-A-1", {1920, 0, 2560, 1440}};
    EXPECT_EQ(mainOutputIndex({right, {"lvds-1", {0, 1440, 1280, 800}}}), 1u);

    const BuiltInRule named{"HDMI-A-1"};
    EXPECT_TRUE(named("HDMI-A-1"));
    EXPECT_TRUE(named("eDP-2"));
    EXPECT_FALSE(named("HDMI-A-2"));
    EXPECT_FALSE(BuiltInRule{}(""));
    EXPECT_EQ(mainOutputIndex({left, right}, named), 1u);
    EXPECT_EQ(desktopScreens({left, right}, named).front().id, outputNameId("HDMI-A-1"));

    // Outputs placed above the origin still count from their own lowest edge.
    EXPECT_EQ(layoutBottom({{"DP-1", {0, -2000, 1920, 1080}}}), -920);
    EXPECT_TRUE(desktopScreens({}).empty());
    EXPECT_EQ(desktopPointOnOutputs(-1, 10, {left}), std::nullopt);
    EXPECT_EQ(desktopPointOnOutputs(0, 0, {}), std::nullopt);
}

TEST(FrameImageTest, ReadsBothByteOrdersOfThirtyTwoBitRgbOnly)
{
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_XRGB8888), PixelOrder::BGRA);
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_ARGB8888), PixelOrder::BGRA);
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_XBGR8888), PixelOrder::RGBA);
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_ABGR8888), PixelOrder::RGBA);
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_RGB565), std::nullopt);
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_XRGB2101010), std::nullopt);
    EXPECT_EQ(shmPixelOrder(WL_SHM_FORMAT_BGRX8888), std::nullopt);
}

TEST(FrameImageTest, BottomUpFramesAreTurnedTheRightWayUpWithoutTheirPadding)
{
    // Two pixels a row, three rows, a stride of 12 bytes with 4 bytes of padding.
    std::vector<std::uint8_t> pixels(36, 0xee);
    for (int row = 0; row < 3; ++row) {
        for (int byte = 0; byte < 8; ++byte) {
            pixels[static_cast<std::size_t>(row * 12 + byte)] = static_cast<std::uint8_t>(row * 10 + byte);
        }
    }
    const ImageView frame{pixels.data(), 2, 3, 12, PixelOrder::RGBA};
    std::vector<std::uint8_t> scratch;

    const ImageView asIs = uprightImage(frame, false, scratch);
    EXPECT_EQ(asIs.data, frame.data);
    EXPECT_EQ(asIs.stride, 12);
    EXPECT_TRUE(scratch.empty());

    const ImageView upright = uprightImage(frame, true, scratch);
    EXPECT_EQ(upright.width, 2);
    EXPECT_EQ(upright.height, 3);
    EXPECT_EQ(upright.stride, 8);
    EXPECT_EQ(upright.order, PixelOrder::RGBA);
    ASSERT_EQ(upright.data, scratch.data());
    EXPECT_EQ(upright.data[0], 20);
    EXPECT_EQ(upright.data[7], 27);
    EXPECT_EQ(upright.data[8], 10);
    EXPECT_EQ(upright.data[16], 0);
    EXPECT_EQ(upright.data[23], 7);

    // An unreadable frame is left for the reducers to refuse.
    const ImageView broken{nullptr, 2, 3, 12, PixelOrder::RGBA};
    EXPECT_EQ(uprightImage(broken, true, scratch).data, nullptr);
}
