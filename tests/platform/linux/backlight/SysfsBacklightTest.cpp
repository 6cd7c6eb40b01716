// SPDX-License-Identifier: MIT
#include "platform/linux/backlight/SysfsBacklight.h"
#include "base/Files.h"
#include "support/FakeServiceControl.h"
#include "support/FakeSysfs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace lumvex;
using test::TempDir;
namespace fs = std::filesystem;

namespace {

std::string deviceValue(const fs::path &folder)
{
    return files::readAll(folder / "brightness").value_or("<unreadable>");
}

double single(double value)
{
    return static_cast<float>(value);
}

// The control side of the fake login manager of fake_desktop.py.
struct FakeLogind : test::FakeServiceControl
{
    FakeLogind()
        : FakeServiceControl("org.lumvex.test.FakeDesktop", "/org/lumvex/test", "org.lumvex.test.FakeDesktop")
    {
        call("ResetBrightness");
    }
    ~FakeLogind() { call("ResetBrightness"); }
};

} // namespace

TEST(SysfsBacklight, DrivesTheBestDeviceAndReportsItsLevel)
{
    TempDir root;
    test::addBacklight(root.path(), "intel_backlight", "raw", 900, 1000);
    test::addBacklight(root.path(), "thinkpad_screen", "platform", 5, 10);
    // Real class entries are links to the device folders.
    const fs::path firmware = test::addBacklight(root / "devices", "acpi_video0", "firmware", 3, 15);
    fs::create_symlink(firmware, root / "sys/class/backlight/acpi_video0");

    SysfsBacklight backlight(root.path());
    EXPECT_TRUE(backlight.isAvailable() && !backlight.writesThroughLogind());
    EXPECT_EQ(std::pair(backlight.deviceName(), backlight.get()),
              std::pair(std::string("acpi_video0"), std::optional(single(3.0 / 15.0))));
    EXPECT_EQ(deviceValue(firmware), "3\n"); // the write probe left the value as it was

    // Without a root in the environment the tree is the system's own: what users have.
    for (const auto &unset : {std::optional<std::string>(), std::optional<std::string>("")}) {
        const test::ScopedEnv env("LUMVEX_SYSFS_ROOT", unset);
        EXPECT_EQ(sysfsRoot(), "/");
    }
}

// Levels out of range are clamped, a raw device keeps its light on at the bottom, and what is no
// number writes nothing.
TEST(SysfsBacklight, WritesTheNearestStepReadsBackTheLevelWrittenAndKeepsItUntilSomeoneElseMovesThePanel)
{
    const struct
    {
        const char *type;
        double level, thenAdjustBy;
        const char *written;
        double readBack;
    } cases[] = {
        {"firmware", 0.3, 0, "77\n", single(0.3)}, {"firmware", 1.7, 0, "255\n", 1.0},
        {"firmware", -0.2, 0, "0\n", 0.0},         {"firmware", NAN, 0, "100\n", single(100.0 / 255.0)},
        {"firmware", 0.95, 0.1, "255\n", 1.0},     {"raw", 0.0, 0, "1\n", 0.0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << " " << c.level);
        TempDir root;
        const fs::path device = test::addBacklight(root.path(), "acpi_video0", c.type, 100, 255);
        SysfsBacklight backlight(root.path());
        backlight.set(c.level);
        if (c.thenAdjustBy != 0) {
            EXPECT_EQ(backlight.adjust(c.thenAdjustBy), c.readBack);
        }
        EXPECT_EQ(deviceValue(device), c.written);
        EXPECT_EQ(backlight.get(), c.readBack);
    }

    // Coarse steps keep the level written until someone else moves the panel.
    TempDir root;
    const fs::path device = test::addBacklight(root.path(), "acpi_video0", "firmware", 0, 15);
    SysfsBacklight backlight(root.path());

    backlight.set(0.5);
    EXPECT_EQ(deviceValue(device), "8\n");
    EXPECT_EQ(backlight.get(), single(0.5));

    // 0.52 lies on the same step: the device is not written again, yet the new level reads back.
    files::writeAtomically(device / "brightness", "8");
    backlight.set(0.52);
    EXPECT_EQ(deviceValue(device), "8");
    EXPECT_EQ(backlight.get(), single(0.52));

    // The brightness keys moved it: the device's own level counts, also after it returns to our step.
    files::writeAtomically(device / "brightness", "3\n");
    EXPECT_EQ(backlight.get(), single(3.0 / 15.0));
    files::writeAtomically(device / "brightness", "8\n");
    EXPECT_EQ(backlight.get(), single(8.0 / 15.0));
}

TEST(SysfsBacklight, WithoutAUsableDeviceReadsGiveNoLevelAndWritesAreDropped)
{
    TempDir root;
    SysfsBacklight none(root.path());
    none.set(0.5);
    EXPECT_FALSE(none.isAvailable() || none.get() || fs::exists(root / "sys"));

    const fs::path broken = test::addBacklight(root.path(), "acpi_video0", "firmware", 5, 0);
    for (const char *bad : {"0", "lots\n", "-3", "12abc"}) {
        files::writeAtomically(broken / "max_brightness", bad);
        EXPECT_FALSE(SysfsBacklight(root.path()).isAvailable()) << bad;
    }

    // The driver comes up after the start.
    files::writeAtomically(broken / "max_brightness", "15\n");
    EXPECT_TRUE(none.rescan());
    EXPECT_NEAR(none.get().value(), 5.0 / 15.0, 1e-6);

    // The device goes away after the start.
    SysfsBacklight vanishing(root.path());
    ASSERT_TRUE(vanishing.isAvailable());
    vanishing.set(0.4);
    fs::remove(broken / "brightness");
    EXPECT_EQ(vanishing.get(), std::nullopt);
    vanishing.set(0.6);
    EXPECT_EQ(vanishing.get(), std::nullopt);
}

TEST(SysfsBacklight, AnUnwritableFileIsWrittenThroughTheLoginManager)
{
    TempDir root;
    const fs::path device = test::addBacklight(root.path(), "intel_backlight", "raw", 3, 15);
    FakeLogind logind;
    logind.call("SetSysfsRoot", {QString::fromStdString(root.path().string())});
    std::optional<SysfsBacklight> backlight;
    {
        // Refused as sysfs refuses a user without access: by permission, and for root, who passes
        // permission checks, by a file size limit.
        fs::permissions(device / "brightness", fs::perms(0444));
        const test::ScopedFileSizeLimit unwritable(0);
        backlight.emplace(root.path());
    }
    EXPECT_TRUE(backlight->writesThroughLogind());
    EXPECT_EQ(deviceValue(device), "3\n");

    backlight->set(0.5);
    EXPECT_EQ(deviceValue(device), "8\n");
    backlight->set(0.52); // same step: no call
    backlight->set(0.2);
    EXPECT_EQ(logind.strings("BrightnessCalls"),
              (std::vector<std::string>{"backlight/intel_backlight=8", "backlight/intel_backlight=3"}));
    EXPECT_EQ(backlight->get(), single(0.2));

    // A refused call says so and why until a write succeeds, and the device's level stands.
    logind.call("SetRefusing", {true});
    EXPECT_FALSE(backlight->set(0.9));
    EXPECT_EQ(backlight->writeProblem(), "The login manager refused to set the brightness of intel_backlight.");
    EXPECT_EQ(std::pair(deviceValue(device), backlight->get()),
              std::pair(std::string("3\n"), std::optional(single(0.2))));
    logind.call("SetRefusing", {false});
    EXPECT_TRUE(backlight->set(0.9));
    EXPECT_EQ(backlight->writeProblem(), std::nullopt);
}
