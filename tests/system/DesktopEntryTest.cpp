// SPDX-License-Identifier: MIT
#include "system/DesktopEntry.h"

#include <gtest/gtest.h>

namespace lumvex::desktop_entry {
namespace {

TEST(DesktopEntry, ExecQuotesAndEscapesReservedCharacters)
{
    // Inside quotes " ` $ \ take a backslash, which the value's own escaping doubles.
    const std::pair<const char *, const char *> cases[] = {
        {"/usr/bin/lumvex", "/usr/bin/lumvex"},
        {"/opt/My Apps/lumvex", R"("/opt/My Apps/lumvex")"},
        {R"(/a "b"/$x/c\d/lumvex)", R"("/a \\"b\\"/\\$x/c\\\\d/lumvex")"},
        {"/opt/100%/lumvex", "/opt/100%%/lumvex"},
        {"/opt/a\nb/lumvex", R"("/opt/a\nb/lumvex")"},
    };
    for (const auto &[path, exec] : cases) {
        EXPECT_EQ(execArgument(path), exec) << path;
    }
}

// The entry written and the keys the desktop sets are seen on real files; these are the odd spellings.
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
