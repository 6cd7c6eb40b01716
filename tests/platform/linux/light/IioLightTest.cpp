// SPDX-License-Identifier: MIT
#include "platform/linux/light/IioLight.h"
#include "base/Files.h"
#include "support/FakeSysfs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumvex;
using test::TempDir;
namespace fs = std::filesystem;

namespace {

fs::path addDevice(const fs::path &root, const std::string &name,
                   std::initializer_list<std::pair<std::string, std::string>> attributes)
{
    return test::addSysfsDevice(root, "sys/bus/iio/devices", name, attributes);
}

std::optional<double> readLux(const fs::path &root)
{
    std::optional<IioChannel> channel = findIlluminanceChannel(root);
    return channel ? IioLight(*channel).readLux() : std::nullopt;
}

} // namespace

TEST(IioLight, TakesTheFirstDeviceWithAnIlluminanceChannelPreferringLux)
{
    TempDir root;
    EXPECT_FALSE(findIlluminanceChannel(root.path()));

    addDevice(root.path(), "iio:device0", {{"in_accel_x_raw", "12"}, {"name", "accel"}});
    EXPECT_FALSE(findIlluminanceChannel(root.path()));

    const fs::path light = addDevice(root.path(), "iio:device2", {{"in_illuminance_raw", "40"}});
    addDevice(root.path(), "iio:device3", {{"in_illuminance_input", "99"}});
    EXPECT_EQ(findIlluminanceChannel(root.path())->device, light);
    EXPECT_EQ(readLux(root.path()), 40.0);

    files::writeAtomically(light / "in_illuminance_input", "123.5\n");
    const std::optional<IioChannel> processed = findIlluminanceChannel(root.path());
    EXPECT_TRUE(processed->processed);
    IioLight sensor(*processed);
    EXPECT_EQ(sensor.readLux(), 123.5);
}

TEST(IioLight, ScalesRawValuesWithTheMostSpecificScaleAndOffset)
{
    const auto lux = [](std::initializer_list<std::pair<std::string, std::string>> attributes) {
        TempDir root;
        addDevice(root.path(), "iio:device0", attributes);
        return readLux(root.path());
    };
    EXPECT_EQ(lux({{"in_illuminance_raw", "100"}, {"in_illuminance_scale", "0.5"}, {"in_illuminance_offset", "-10"}}),
              45.0);
    EXPECT_EQ(lux({{"in_illuminance0_raw", "100"}, {"in_illuminance0_scale", "2"}, {"in_illuminance_scale", "3"}}),
              200.0);
    EXPECT_EQ(lux({{"in_illuminance_raw", "100"}, {"scale", "0.25"}, {"offset", "4"}}), 26.0);
}

TEST(IioLight, UnreadableValuesGiveNoReading)
{
    TempDir root;
    const fs::path device =
        addDevice(root.path(), "iio:device0", {{"in_illuminance_raw", "100"}, {"in_illuminance_scale", "fast"}});
    IioLight sensor(*findIlluminanceChannel(root.path()));
    EXPECT_FALSE(sensor.readLux()); // a scale that exists but cannot be read is not taken as 1

    files::writeAtomically(device / "in_illuminance_scale", "1.5\n");
    EXPECT_EQ(sensor.readLux(), 150.0);
    fs::remove(device / "in_illuminance_raw");
    EXPECT_FALSE(sensor.readLux());
}
