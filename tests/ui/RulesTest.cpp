// SPDX-License-Identifier: MIT
// The small pure rules of the tray: scroll deltas, icon styles, icon colour, the view.
#include "simulated/MemoryDefaults.h"
#include "ui/IconColor.h"
#include "ui/IconStyle.h"
#include "ui/ScrollRules.h"
#include "ui/ScrollableStatusView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

using namespace lumvex;
using namespace std::string_view_literals;

TEST(ScrollRules, HostsAreKnownByTheirProgramsName)
{
    // The scroll tests of the tray run callers under the names of the usual hosts; here the names of
    // the watcher's owners and wrappers, and arguments that name no host.
    const scrollRules::HostScroll plasma{120, true, true};
    const scrollRules::HostScroll xfce{1, false, true};
    const std::vector<std::pair<std::string_view, scrollRules::HostScroll>> table{
        {"/usr/bin/kded5 ", plasma},
        {"/usr/lib/x86_64-linux-gnu/xfce4/panel/wrapper-2.0 /usr/lib/x86_64-linux-gnu/xfce4/panel/plugins/"
         "libsystray.so 7 16777223 systray Status Tray Plugin",
         xfce},
        {"/usr/bin/waybar\0-c\0/etc/xdg/waybar/config\0"sv, {2, false, true}},
        {"bash -c waybar", scrollRules::kUnknownHost},
    };
    for (const auto &[commandLine, host] : table) {
        EXPECT_EQ(scrollRules::hostForCommandLine(commandLine), host) << commandLine;
    }
}

// Choosing and keeping the style is seen on the bus (test_status_items.py); these are what a hand edit gives.
TEST(IconStyle, UnknownOrMisspeltSettingsArePie)
{
    MemoryDefaults defaults;
    EXPECT_EQ(iconStyle::current(defaults), IconStyle::pie);
    defaults.setString("iconStyle", "Curtain");
    EXPECT_EQ(iconStyle::current(defaults), IconStyle::pie);
}

TEST(IconColor, SettingWinsThenTheDesktopThenLight)
{
    EXPECT_EQ(iconColor::choose(std::nullopt, std::nullopt), iconColor::kLight);
    EXPECT_EQ(iconColor::choose(std::nullopt, QColor(Qt::white)), iconColor::kDark);
    EXPECT_EQ(iconColor::choose(std::string("dark"), std::nullopt), iconColor::kDark);
    EXPECT_EQ(iconColor::choose(std::string("Light"), QColor(Qt::white)), iconColor::kLight);
    // Unusable settings are ignored.
    EXPECT_EQ(iconColor::choose(std::string("orange"), QColor(Qt::white)), iconColor::kDark);
    EXPECT_EQ(iconColor::choose(std::string("#12345"), std::nullopt), iconColor::kLight);
}

// Levels read as percent on the bus (test_status_items.py); these are the start and no level.
TEST(ScrollableStatusView, StartsFullAndReadsNoLevelAsADash)
{
    ScrollableStatusView view;
    EXPECT_EQ(view.accessibilityValue(), "100%");
    view.setLevel(std::nan(""));
    EXPECT_EQ(view.accessibilityValue(), "\u2014");
}
