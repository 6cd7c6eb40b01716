// SPDX-License-Identifier: MIT
#include "ConnectorMatch.h"
#include "DrmConnectors.h"
#include "support/FakeSysfs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumvex;
using namespace lumvex::ddc;
using test::fakeEdid;

namespace {

TEST(DrmConnectors, ReadsConnectorsWithTheirBusEdidAndId)
{
    test::TempDir root;
    test::FakeDrmTree tree(root.path());
    tree.add({.name = "card0-DP-1", .edid = fakeEdid(1), .connectorId = 95, .ddcLink = 7});
    tree.add({.name = "card0-DP-2", .auxChild = 9});
    tree.add({.name = "card0-HDMI-A-1", .status = "disconnected", .ddcLink = 4});
    tree.add({.name = "card1-eDP-1"});
    std::filesystem::create_directories(root / "sys/class/drm/card0");
    std::filesystem::create_directories(root / "sys/class/drm/renderD128");

    const std::vector<DrmConnector> connectors = readDrmConnectors(root.path());
    std::vector<std::tuple<std::string, std::string, bool, std::vector<std::uint8_t>, std::optional<std::uint32_t>,
                           std::optional<int>>>
        read;
    for (const DrmConnector &c : connectors) {
        read.emplace_back(c.name, c.connector, c.connected, c.edid, c.connectorId, c.bus);
    }
    EXPECT_EQ(read, (decltype(read){{"card0-DP-1", "DP-1", true, fakeEdid(1), 95, 7},
                                    {"card0-DP-2", "DP-2", true, {}, {}, 9},
                                    {"card0-HDMI-A-1", "HDMI-A-1", false, {}, {}, 4},
                                    {"card1-eDP-1", "eDP-1", true, {}, {}, {}}}));

    EXPECT_EQ(findConnector(connectors, "DP-2"), &connectors[1]);
    EXPECT_EQ(findConnector(connectors, "card1-eDP-1"), &connectors[3]);
    EXPECT_EQ(findConnector(connectors, "DP-3"), nullptr);
    EXPECT_TRUE(readDrmConnectors(root / "missing").empty());
}

TEST(DrmConnectors, AdapterNumbersAreStrict)
{
    for (const auto &[name, number] : std::initializer_list<std::pair<const char *, std::optional<int>>>{
             {"i2c-5", 5}, {"i2c-12", 12}, {"i2c-", {}}, {"i2c-5a", {}}, {"drm_dp_aux0", {}}}) {
        EXPECT_EQ(adapterNumber(name), number) << name;
    }
}

TEST(ConnectorMatch, TheConnectorIdOutweighsTheEdidWhichOutweighsTheName)
{
    const std::vector<DrmConnector> connectors{
        {"card0-DP-1", "DP-1", true, fakeEdid(1), 90, 5},
        {"card0-DP-2", "DP-2", true, fakeEdid(1), 91, 6}, // the same model as DP-1
        {"card0-HDMI-A-1", "HDMI-A-1", true, fakeEdid(2), 92, 7},
        {"card0-HDMI-A-2", "HDMI-A-2", false, fakeEdid(3), 93, 8},
    };
    const std::pair<DisplayIdentity, std::optional<std::string>> cases[] = {
        {{{"DP-2"}, {}, {}}, "card0-DP-2"},
        // X drivers' names stand for the kernel's: HDMI for HDMI-A, no dash, amdgpu counting from 0.
        {{{"HDMI-1"}, {}, {}}, "card0-HDMI-A-1"},
        {{{"HDMI1"}, {}, {}}, "card0-HDMI-A-1"},
        {{{"DisplayPort-1"}, {}, {}}, "card0-DP-2"},
        // A monitor without outputs goes by its own name, tried after the output's.
        {{{"screen", "DP-1"}, {}, {}}, "card0-DP-1"},
        {{{"VGA-1"}, {}, {}}, std::nullopt},
        {{{"HDMI-A-2"}, {}, {}}, std::nullopt}, // disconnected
        // amdgpu's "HDMI-A-0" is the kernel's HDMI-A-1, which the EDID confirms.
        {{{"HDMI-A-0"}, fakeEdid(2), {}}, "card0-HDMI-A-1"},
        {{{"DP-7"}, fakeEdid(2), {}}, "card0-HDMI-A-1"},
        // Two monitors of one model: the name decides between them.
        {{{"DP-2"}, fakeEdid(1), {}}, "card0-DP-2"},
        {{{"DP-9"}, fakeEdid(1), {}}, std::nullopt},
        {{{"DP-1"}, fakeEdid(9), {}}, "card0-DP-1"}, // an EDID nobody has leaves the name to decide
        {{{"DP-1"}, fakeEdid(1), 91}, "card0-DP-2"},
        {{{"DP-1"}, {}, 400}, "card0-DP-1"}, // an id the kernel does not list decides nothing
    };
    for (const auto &[display, expected] : cases) {
        const std::optional<std::size_t> index = matchConnector(display, connectors);
        EXPECT_EQ(index ? std::optional(connectors[*index].name) : std::nullopt, expected)
            << testing::PrintToString(display.names);
    }
}

} // namespace
