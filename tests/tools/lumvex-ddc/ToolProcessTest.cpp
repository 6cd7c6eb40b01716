// SPDX-License-Identifier: MIT
#include "base/Files.h"
#include "platform/linux/x11/XServerControl.h"
#include "support/FakeSysfs.h"
#include "support/TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

using namespace lumvex;
using test::fakeEdid;
using testing::HasSubstr;

namespace {

struct Outcome
{
    int status = -1;
    std::string out;
    std::string err;
};

// The installed tool as people run it, under the private X server of run-with-xvfb.sh, on a fake
// sysfs tree whose /dev has no I2C devices: it gets as far as opening the bus.
class ToolProcessTest : public testing::Test
{
protected:
    ToolProcessTest()
    {
        test::FakeDrmTree tree(root.path());
        tree.add({.name = "card0-DP-1", .ddcLink = 5});
        tree.add({.name = "card0-HDMI-A-1", .edid = fakeEdid(7), .ddcLink = 6});
        tree.add({.name = "card0-eDP-1"});
        std::filesystem::create_directories(root / "dev");
    }
    ~ToolProcessTest() override { x.reset(); }

    // `environment` holds assignments for the run, perhaps followed by a command to run the tool under.
    Outcome tool(const std::string &args, const std::string &environment = "")
    {
        const std::string command = "LUMVEX_SYSFS_ROOT='" + root.path().string() + "' XDG_RUNTIME_DIR='" +
                                    (root / "run").string() + "' " + environment + " '" LUMVEX_DDC "' " + args + " >'" +
                                    (root / "out").string() + "' 2>'" + (root / "err").string() + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, files::readAll(root / "out").value_or(""),
                files::readAll(root / "err").value_or("")};
    }

    // DP-1 is a monitor without outputs, known by its name alone; Left is on Xvfb's output, which
    // carries the EDID of the monitor on HDMI-A-1.
    void defineMonitors()
    {
        x.setMonitor("DP-1", {1920, 0, 1280, 720, false});
        x.setEdid(fakeEdid(7));
        x.setMonitor("Left", {0, 0, 1920, 1080, false}, true);
    }

    test::TempDir root;
    test::XServerControl x;
};

bool isOneLine(const std::string &text)
{
    return !text.empty() && text.back() == '\n' && std::ranges::count(text, '\n') == 1;
}

// The monitors as the X server has them, the one on Xvfb's output found by its EDID.
TEST_F(ToolProcessTest, ListsDisplaysWithTheirConnectorsAndBuses)
{
    defineMonitors();
    const Outcome list = tool("list");
    EXPECT_EQ(list.status, 0);
    const std::string dev = (root / "dev").string();
    EXPECT_THAT(list.out, testing::ContainsRegex(std::to_string(x.atom("DP-1")) + " +DP-1 +card0-DP-1 +" + dev +
                                                 "/i2c-5 +" + dev + "/i2c-5 does not exist"));
    EXPECT_THAT(list.out,
                testing::ContainsRegex(std::to_string(x.atom("Left")) + " +Left +card0-HDMI-A-1 +" + dev + "/i2c-6"));
    EXPECT_THAT(list.out, testing::ContainsRegex("- +- +card0-eDP-1 +- +no I2C bus"));
    EXPECT_EQ(list.err, "");
}

TEST_F(ToolProcessTest, ExplainsWhyADisplayCannotBeReached)
{
    defineMonitors();
    const std::string dp = std::to_string(x.atom("DP-1"));
    Outcome result = tool("display id=" + dp + " get luminance");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "lumvex-ddc: " + (root / "dev/i2c-5").string() +
                              " does not exist: load the i2c-dev module with `sudo modprobe i2c-dev`\n");

    // A node that is no I2C adapter refuses the display's address.
    files::writeAtomically(root / "dev/i2c-6", "");
    result = tool("display id=" + std::to_string(x.atom("Left")) + " set luminance 40");
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr((root / "dev/i2c-6").string() + " refused the DDC/CI address 0x37"));
    EXPECT_TRUE(isOneLine(result.err));

    result = tool("display id=" + std::to_string(x.atom("HDMI-9")) + " get luminance");
    EXPECT_THAT(result.err, HasSubstr("no display with id"));
    EXPECT_TRUE(isOneLine(result.err));

    result = tool("display id=" + dp + " get luminance", "DISPLAY=");
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("no X server"));
    EXPECT_THAT(result.err, HasSubstr("LUMVEX_DDC_CONNECTOR"));
    result = tool("display id=" + dp + " get luminance", "DISPLAY= LUMVEX_DDC_CONNECTOR=HDMI-A-1");
    EXPECT_THAT(result.err, HasSubstr("i2c-6 refused"));
    result = tool("display id=" + dp + " get luminance", "DISPLAY= LUMVEX_DDC_CONNECTOR=HDMI-A-9 LANGUAGE=fr");
    EXPECT_THAT(result.err, HasSubstr("aucun connecteur nommé HDMI-A-9"));
}

TEST_F(ToolProcessTest, WithoutPermissionTheMessageNamesTheWayIn)
{
    // A device node of group disk that this run may not open: as root, the run drops to nobody.
    const std::filesystem::path node = root / "dev/i2c-5";
    files::writeAtomically(node, "");
    ASSERT_EQ(::chmod(node.c_str(), 0660), 0);
    std::string asUser;
    if (::geteuid() == 0) {
        const group *disk = ::getgrnam("disk");
        ASSERT_NE(disk, nullptr);
        ASSERT_EQ(::chown(node.c_str(), 0, disk->gr_gid), 0);
        ::chmod(root.path().c_str(), 0755);
        ::chmod((root / "dev").c_str(), 0755);
        asUser = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    } else {
        ASSERT_EQ(::chmod(node.c_str(), 0), 0);
    }
    const Outcome result = tool("display id=1 set luminance 50", "LUMVEX_DDC_CONNECTOR=DP-1 " + asUser);
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("no permission to open " + node.string()));
    if (::geteuid() == 0) {
        EXPECT_THAT(result.err, HasSubstr("which belongs to group disk: join it with `sudo usermod -aG disk $USER`"));
    }
    EXPECT_TRUE(isOneLine(result.err));
}

} // namespace
