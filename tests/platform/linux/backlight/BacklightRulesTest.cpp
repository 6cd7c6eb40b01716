// SPDX-License-Identifier: MIT
#include "platform/linux/backlight/BacklightRules.h"

#include <gtest/gtest.h>

using namespace lumvex::backlight;

TEST(BacklightRules, FirmwareBeatsPlatformBeatsRawAndNamesBreakTies)
{
    EXPECT_EQ(parseType("firmware\n"), BacklightType::Firmware);
    EXPECT_EQ(parseType("platform"), BacklightType::Platform);
    EXPECT_EQ(parseType("raw\n"), BacklightType::Raw);
    EXPECT_EQ(parseType("Raw"), BacklightType::Unknown);

    const std::vector<BacklightDevice> devices = {{"intel_backlight", BacklightType::Raw},
                                                  {"odd", BacklightType::Unknown},
                                                  {"thinkpad_screen", BacklightType::Platform},
                                                  {"acpi_video1", BacklightType::Firmware},
                                                  {"acpi_video0", BacklightType::Firmware}};
    EXPECT_EQ(chooseDevice(devices)->name, "acpi_video0");
    EXPECT_EQ(chooseDevice({devices[0], devices[1], devices[2]})->name, "thinkpad_screen");
    EXPECT_EQ(chooseDevice({devices[1], devices[0]})->name, "intel_backlight");
    EXPECT_EQ(chooseDevice({devices[1]})->name, "odd");
    EXPECT_FALSE(chooseDevice({}));
}

TEST(BacklightRules, RawValuesAreWholeNonNegativeNumbers)
{
    EXPECT_EQ(parseRawValue("255\n"), 255);
    EXPECT_EQ(parseRawValue(" 7 \n"), 7);
    EXPECT_FALSE(parseRawValue(""));
    EXPECT_FALSE(parseRawValue("\n"));
    EXPECT_FALSE(parseRawValue("12abc"));
    EXPECT_FALSE(parseRawValue("-3"));
    EXPECT_FALSE(parseRawValue("1.5"));
}
