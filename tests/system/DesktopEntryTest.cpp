#include "system/DesktopEntry.h"

#include <gtest/gtest.h>

namespace lumvex::desktop_entry {
namespace {

TEST(DesktopEntry, PlainPathsStayAsTheyAre)
{
    EXPECT_EQ(execArgument("/usr/bin/lumvex"), "/usr/bin/lumvex");
}

TEST(DesktopEntry, ReservedCharactersAreQuotedAndEscaped)
{
    EXPECT_EQ(execArgument("/opt/My Apps/lumvex"), R"("/opt/My Apps/lumvex")");
    // Inside quotes " ` $ \ take a backslash, which the value's own escaping doubles.
    EXPECT_EQ(execArgument(R"(/a "b"/$x/c\d/lumvex)"), R"("/a \\"b\\"/\\$x/c\\\\d/lumvex")");
    EXPECT_EQ(execArgument("/opt/100%/lumvex"), "/opt/100%%/lumvex");
    EXPECT_EQ(execArgument("/opt/a\nb/lumvex"), R"("/opt/a\nb/lumvex")");
}

TEST(DesktopEntry, OwnEntryStartsAtLogin)
{
    EXPECT_TRUE(startsAtLogin(autostartText("/usr/bin/lumvex")));
}

TEST(DesktopEntry, HiddenOrSwitchedOffEntriesDoNotStart)
{
    const std::string entry = "[Desktop Entry]\nType=Application\nExec=lumvex\n";
    EXPECT_TRUE(startsAtLogin(entry));
    EXPECT_FALSE(startsAtLogin(entry + "Hidden=true\n"));
    EXPECT_FALSE(startsAtLogin(entry + "Hidden = true\r\n"));
    EXPECT_FALSE(startsAtLogin(entry + "X-GNOME-Autostart-enabled=false\n"));
    EXPECT_TRUE(startsAtLogin(entry + "Hidden=false\nX-GNOME-Autostart-enabled=true\n"));
    // Keys of other groups, comments and look-alike keys do not count.
    EXPECT_TRUE(startsAtLogin(entry + "[Desktop Action quit]\nHidden=true\n"));
    EXPECT_TRUE(startsAtLogin(entry + "# Hidden=true\nHiddenX=true\n"));
}

TEST(DesktopEntry, EntriesWithoutMainGroupOrCommandDoNotStart)
{
    EXPECT_FALSE(startsAtLogin(""));
    EXPECT_FALSE(startsAtLogin("Exec=lumvex\n"));
    EXPECT_FALSE(startsAtLogin("[Other]\nExec=lumvex\n"));
    EXPECT_FALSE(startsAtLogin("[Desktop Entry]\nType=Application\nExec=\n"));
}

} // namespace
} // namespace lumvex::desktop_entry
