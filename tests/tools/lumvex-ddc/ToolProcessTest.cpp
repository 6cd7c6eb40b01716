// SPDX-License-Identifier: MIT
#include "X11Monitors.h"
#include "base/Files.h"
#include "support/FakeSysfs.h"
#include "support/TempDir.h"

#include <xcb/randr.h>
#include <xcb/xcb.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace lumvex;
using namespace lumvex::ddc;
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
    void SetUp() override
    {
        test::FakeDrmTree tree(root.path());
        tree.add({.name = "card0-DP-1", .ddcLink = 5});
        tree.add({.name = "card0-HDMI-A-1", .edid = fakeEdid(7), .ddcLink = 6});
        tree.add({.name = "card0-eDP-1"});
        std::filesystem::create_directories(root / "dev");
        m_x.reset(xcb_connect(nullptr, nullptr));
        ASSERT_EQ(xcb_connection_has_error(x()), 0);
        m_root = xcb_setup_roots_iterator(xcb_get_setup(x())).data->root;
    }

    void TearDown() override
    {
        std::system("xrandr --delmonitor DP-1 >/dev/null 2>&1; xrandr --delmonitor Left >/dev/null 2>&1");
        if (m_x && xcb_connection_has_error(x()) == 0) {
            xcb_randr_delete_output_property(x(), screenOutput(), atom("EDID"));
            sync();
        }
    }

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

    xcb_connection_t *x() const { return m_x.get(); }

    xcb_atom_t atom(const std::string &name)
    {
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(x(), xcb_intern_atom(x(), 0, name.size(), name.data()), nullptr);
        const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return result;
    }

    xcb_randr_output_t screenOutput()
    {
        auto *resources = xcb_randr_get_screen_resources_current_reply(
            x(), xcb_randr_get_screen_resources_current(x(), m_root), nullptr);
        const xcb_randr_output_t output = resources ? xcb_randr_get_screen_resources_current_outputs(resources)[0] : 0;
        std::free(resources);
        return output;
    }

    // Gives Xvfb's only output an EDID, as a monitor plugged into it would.
    void setEdid(const std::vector<std::uint8_t> &edid)
    {
        xcb_randr_change_output_property(x(), screenOutput(), atom("EDID"), XCB_ATOM_INTEGER, 8, XCB_PROP_MODE_REPLACE,
                                         static_cast<std::uint32_t>(edid.size()), edid.data());
        sync();
    }

    void sync() { std::free(xcb_get_input_focus_reply(x(), xcb_get_input_focus(x()), nullptr)); }

    // DP-1 is a monitor without outputs, known by its name alone; Left is on Xvfb's output, which
    // carries the EDID of the monitor on HDMI-A-1.
    void defineMonitors()
    {
        ASSERT_EQ(std::system("xrandr --setmonitor DP-1 1280/338x720/190+1920+0 none >/dev/null"), 0);
        setEdid(fakeEdid(7));
        ASSERT_EQ(std::system("xrandr --setmonitor Left 1920/508x1080/286+0+0 screen >/dev/null"), 0);
    }

    test::TempDir root;

private:
    struct Disconnect
    {
        void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
    };
    std::unique_ptr<xcb_connection_t, Disconnect> m_x;
    xcb_window_t m_root = XCB_WINDOW_NONE;
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
    EXPECT_THAT(list.out, testing::ContainsRegex(std::to_string(atom("DP-1")) + " +DP-1 +card0-DP-1 +" + dev +
                                                 "/i2c-5 +" + dev + "/i2c-5 does not exist"));
    EXPECT_THAT(list.out,
                testing::ContainsRegex(std::to_string(atom("Left")) + " +Left +card0-HDMI-A-1 +" + dev + "/i2c-6"));
    EXPECT_THAT(list.out, testing::ContainsRegex("- +- +card0-eDP-1 +- +no I2C bus"));
    EXPECT_EQ(list.err, "");
}

TEST_F(ToolProcessTest, ExplainsWhyADisplayCannotBeReached)
{
    defineMonitors();
    const std::string dp = std::to_string(atom("DP-1"));
    Outcome result = tool("display id=" + dp + " get luminance");
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "lumvex-ddc: " + (root / "dev/i2c-5").string() +
                              " does not exist: load the i2c-dev module with `sudo modprobe i2c-dev`\n");

    // A node that is no I2C adapter refuses the display's address.
    files::writeAtomically(root / "dev/i2c-6", "");
    result = tool("display id=" + std::to_string(atom("Left")) + " set luminance 40");
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr((root / "dev/i2c-6").string() + " refused the DDC/CI address 0x37"));
    EXPECT_TRUE(isOneLine(result.err));

    result = tool("display id=" + std::to_string(atom("HDMI-9")) + " get luminance");
    EXPECT_THAT(result.err, HasSubstr("no display with id"));
    EXPECT_TRUE(isOneLine(result.err));

    result = tool("display id=" + dp + " get luminance", "DISPLAY=");
    EXPECT_EQ(result.status, 1);
    EXPECT_THAT(result.err, HasSubstr("no X server"));
    EXPECT_THAT(result.err, HasSubstr("LUMVEX_DDC_CONNECTOR"));
    result = tool("display id=" + dp + " get luminance", "DISPLAY= LUMVEX_DDC_CONNECTOR=HDMI-A-1");
    EXPECT_THAT(result.err, HasSubstr("i2c-6 refused"));
    result = tool("display id=" + dp + " get luminance", "DISPLAY= LUMVEX_DDC_CONNECTOR=HDMI-A-9");
    EXPECT_THAT(result.err, HasSubstr("no connector named HDMI-A-9"));
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

int main(int argc, char **argv)
{
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
