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

TEST(BacklightRules, LevelsMapToTheNearestStepWithinTheDevicesRange)
{
    EXPECT_EQ(rawStepFor(0.5f, 15, 0), 8); // 7.5 rounds up
    EXPECT_EQ(rawStepFor(0.49f, 15, 0), 7);
    EXPECT_EQ(rawStepFor(0.3f, 255, 0), 77);
    EXPECT_EQ(rawStepFor(1.0f, 15, 0), 15);
    EXPECT_EQ(rawStepFor(2.0f, 15, 0), 15);
    EXPECT_EQ(rawStepFor(-1.0f, 15, 0), 0);
    EXPECT_EQ(rawStepFor(0.0f, 15, 0), 0);

    // A raw device keeps its light on at the bottom of the range.
    EXPECT_EQ(lowestStep(BacklightType::Raw), 1);
    EXPECT_EQ(lowestStep(BacklightType::Firmware), 0);
    EXPECT_EQ(rawStepFor(0.0f, 15, lowestStep(BacklightType::Raw)), 1);
    EXPECT_EQ(rawStepFor(0.02f, 15, 1), 1);
    EXPECT_EQ(rawStepFor(0.0f, 1, 1), 1);
}

TEST(BacklightRules, TheLevelWrittenIsReadBackWhileTheDeviceHoldsItsStep)
{
    const WrittenLevel written{0.52f, 8};
    EXPECT_TRUE(holdsWrittenStep(8, written));
    EXPECT_FALSE(holdsWrittenStep(7, written));
    EXPECT_FALSE(holdsWrittenStep(8, std::nullopt));

    EXPECT_EQ(readBackLevel(8, 15, written), 0.52f);
    EXPECT_EQ(readBackLevel(3, 15, written), static_cast<float>(3.0 / 15.0));
    EXPECT_EQ(readBackLevel(8, 15, std::nullopt), static_cast<float>(8.0 / 15.0));
    EXPECT_EQ(readBackLevel(20, 15, std::nullopt), 1.0f);
    EXPECT_EQ(readBackLevel(5, 0, std::nullopt), 0.0f);
}
