// SPDX-License-Identifier: MIT
#include "platform/linux/light/SensorProxyLight.h"
#include "base/Files.h"
#include "platform/linux/light/IioLight.h"
#include "platform/linux/light/LightSourceFactory.h"
#include "sensing/AmbientLightSensor.h"
#include "support/FakeServiceControl.h"
#include "support/FakeSysfs.h"
#include "support/TempDir.h"

#include <QDBusVariant>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumvex;
using test::TempDir;
namespace fs = std::filesystem;

namespace {

// The control side of the fake sensor proxy that the test script runs on the private bus.
class FakeSensorProxy : public test::FakeServiceControl
{
public:
    FakeSensorProxy()
        : FakeServiceControl("org.lumvex.test.FakeSensorProxy", "/net/hadess/SensorProxy",
                             "org.lumvex.test.FakeSensorProxy")
    {
        call("Reset");
    }
    ~FakeSensorProxy() { call("Reset"); }

    void set(const char *name, const QVariant &value)
    {
        call("Set", {QString::fromLatin1(name), QVariant::fromValue(QDBusVariant(value))});
    }
    void setPresent(bool value) { call("SetPresent", {value}); }
    int count(const char *name) { return call("Count", {QString::fromLatin1(name)}).arguments().value(0).toInt(); }
};

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

TEST(SensorProxyLight, ClaimsTheSensorReadsItsLevelAndReleasesIt)
{
    FakeSensorProxy proxy;
    proxy.set("level", 250.0);
    {
        SensorProxyLight light;
        ASSERT_TRUE(light.isClaimed());
        EXPECT_EQ(std::pair(proxy.count("claims"), light.readLux()), std::pair(1, std::optional(250.0)));
        proxy.set("level", 4096.0);
        EXPECT_EQ(std::pair(proxy.count("releases"), light.readLux()), std::pair(0, std::optional(4096.0)));

        proxy.setPresent(false); // the daemon stops
        EXPECT_FALSE(light.readLux());
        proxy.setPresent(true); // and starts again, knowing no claim
        EXPECT_TRUE(QTest::qWaitFor([&] { return proxy.count("claims") == 2; }));
        EXPECT_EQ(light.readLux(), 4096.0);
    }
    EXPECT_EQ(proxy.count("releases"), 1);
}

TEST(LightSourceFactory, PrefersTheSensorProxyThenSysfsThenWaitsForTheProxy)
{
    FakeSensorProxy proxy;
    TempDir root;
    addDevice(root.path(), "iio:device0", {{"in_illuminance_input", "9"}});
    proxy.set("level", 999.0);

    AmbientLightSensor viaProxy(openLightSource(root.path()));
    EXPECT_TRUE(viaProxy.isAvailable());
    EXPECT_DOUBLE_EQ(*viaProxy.read(), 0.5);

    proxy.set("has_light", false);
    AmbientLightSensor viaSysfs(openLightSource(root.path()));
    EXPECT_TRUE(viaSysfs.isAvailable());
    EXPECT_DOUBLE_EQ(*viaSysfs.read(), 1.0 / 6.0);

    proxy.setPresent(false);
    test::ScopedEnv env("LUMVEX_SYSFS_ROOT", root.path().string());
    EXPECT_TRUE(openLightSource()); // the default root follows the environment

    TempDir empty;
    AmbientLightSensor none(openLightSource(empty.path()));
    EXPECT_FALSE(none.isAvailable());
    EXPECT_FALSE(none.read());
    proxy.set("has_light", true);
    proxy.setPresent(true); // the daemon starts after us
    EXPECT_TRUE(QTest::qWaitFor([&] { return none.isAvailable(); }));
    EXPECT_DOUBLE_EQ(*none.read(), 0.5);

    // No daemon: a device that appears later is found by the next look.
    proxy.setPresent(false);
    TempDir later;
    AmbientLightSensor late(openLightSource(later.path()));
    EXPECT_FALSE(late.isAvailable());
    addDevice(later.path(), "iio:device0", {{"in_illuminance_input", "9"}});
    EXPECT_TRUE(QTest::qWaitFor([&] { return late.isAvailable(); }, 3000));
    EXPECT_DOUBLE_EQ(*late.read(), 1.0 / 6.0);
}

TEST(IioLight, TakesTheFirstIlluminanceChannelPreferringLuxAndScalesRawValuesMostSpecificFirst)
{
    TempDir root;
    EXPECT_FALSE(findIlluminanceChannel(root.path()));

    addDevice(root.path(), "iio:device0", {{"in_accel_x_raw", "12"}, {"name", "accel"}});
    EXPECT_FALSE(findIlluminanceChannel(root.path()));

    const fs::path light = addDevice(root.path(), "iio:device2", {{"in_illuminance_raw", "40"}});
    addDevice(root.path(), "iio:device3", {{"in_illuminance_input", "99"}});
    EXPECT_EQ(findIlluminanceChannel(root.path())->device, light);
    EXPECT_EQ(readLux(root.path()), 40.0);
    // The value goes away after the start.
    IioLight raw(*findIlluminanceChannel(root.path()));
    fs::remove(light / "in_illuminance_raw");
    EXPECT_EQ(raw.readLux(), std::nullopt);

    files::writeAtomically(light / "in_illuminance_input", "123.5\n");
    const std::optional<IioChannel> processed = findIlluminanceChannel(root.path());
    EXPECT_TRUE(processed->processed);
    IioLight sensor(*processed);
    EXPECT_EQ(sensor.readLux(), 123.5);

    // A scale that exists but cannot be read is not taken as 1.
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
    EXPECT_EQ(lux({{"in_illuminance_raw", "100"}, {"in_illuminance_scale", "fast"}}), std::nullopt);
}
