// SPDX-License-Identifier: MIT
#include "sensing/AmbientLightSensor.h"
#include "simulated/SimulatedLight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lumvex;

namespace {

// A sensor over a simulated light that the test keeps steering after handing it over.
struct SensorWithLight
{
    std::unique_ptr<SimulatedLight> owned = std::make_unique<SimulatedLight>();
    SimulatedLight &light = *owned;
    AmbientLightSensor sensor{std::move(owned)};
};

constexpr double kHalf = 999.0;    // level 0.5
constexpr double kFull = 999999.0; // level 1.0

} // namespace

// The levels of sensor counts are seen through the light sources (SensorProxyLightTest); these are the ends.
TEST(AmbientLevel, StaysWithinZeroAndOneAndReadingsBecomeWholeCounts)
{
    EXPECT_EQ(ambientLevel(0.0), 0.0);
    EXPECT_EQ(ambientLevel(kFull), 1.0);
    EXPECT_EQ(ambientLevel(1e12), 1.0);

    // Readings become whole, non-negative counts; what is no number is no reading.
    EXPECT_EQ(rawCount(12.6), 13.0);
    EXPECT_EQ(rawCount(-5.0), 0.0);
    EXPECT_FALSE(rawCount(std::nan("")));
    EXPECT_FALSE(rawCount(std::numeric_limits<double>::infinity()));
}

TEST(AmbientLightSensor, OnlyReadsMoveTheSmoothedLevel)
{
    SensorWithLight s;
    SensorWithLight twin;
    for (SensorWithLight *each : {&s, &twin}) {
        each->light.setLux(kHalf);
        EXPECT_DOUBLE_EQ(*each->sensor.read(), 0.5); // the first level as it is
        each->light.setLux(kFull);
    }
    // A slow filter: full light moves the level a little with each read.
    const double second = *twin.sensor.read();
    EXPECT_GT(second, 0.5);
    EXPECT_LT(second, 0.51);
    EXPECT_GT(*twin.sensor.read(), second);

    // Raw samples and failed reads leave it alone.
    const std::optional<AmbientSample> sample = s.sensor.sampleRaw();
    ASSERT_TRUE(sample);
    EXPECT_EQ(sample->lux, kFull);
    EXPECT_EQ(sample->norm, 1.0);
    for (const std::optional<double> bad : {std::optional<double>(), std::optional<double>(std::nan(""))}) {
        s.light.setLux(bad);
        EXPECT_FALSE(s.sensor.read());
        EXPECT_FALSE(s.sensor.sampleRaw());
    }
    s.light.setLux(kFull);
    EXPECT_DOUBLE_EQ(*s.sensor.read(), second);
}
