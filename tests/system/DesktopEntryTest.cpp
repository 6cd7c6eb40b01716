// SPDX-License-Identifier: MIT
#include "system/DesktopEntry.h"

#include <gtest/gtest.h>

namespace lumvex::desktop_entry {
namespace {

// The entry written, its Exec line and the keys the desktop sets are seen on real files; these are the
// odd spellings.
TEST(DesktopEntry, OnlyTheMainGroupsKeysDecideWhetherItStarts)
{
    const std::string entry = "[Desktop Entry]\nType=Application\nExec=lumvex\n";
    const std::pair<std::string, bool> cases[] = {
        {entry + "Hidden = true\r\n", false},
        {entry + "Hidden=false\nX-GNOME-Autostart-enabled=true\n", true},
        {entry + "[Desktop Action quit]\nHidden=true\n", true},
        {entry + "# Hidden=true\nHiddenX=true\n", true},
        {"", false},
        {"Exec=lumvex\n", false},
        {"[Other]\nExec=lumvex\n", false},
        {"[Desktop Entry]\nType=Application\nExec=\n", false},
    };
    for (const auto &[text, starts] : cases) {
        EXPECT_EQ(startsAtLogin(text), starts) << text;
    }
}

} // namespace
} // namespace lumvex::desktop_entry
