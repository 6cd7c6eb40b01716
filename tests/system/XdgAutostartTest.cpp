// SPDX-License-Identifier: MIT
#include "system/XdgAutostart.h"
#include "base/Files.h"
#include "platform/linux/XdgPaths.h"
#include "simulated/MemoryDefaults.h"
#include "support/TempDir.h"
#include "system/DesktopEntry.h"
#include "system/LoginItem.h"
#include "system/ProgramLocation.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>

namespace lumvex {
namespace {

namespace fs = std::filesystem;
using test::ScopedEnv;
using test::TempDir;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class XdgAutostartTest : public ::testing::Test
{
protected:
    static void append(const fs::path &file, const std::string &text) { std::ofstream(file, std::ios::app) << text; }
    static std::string contents(const fs::path &file) { return files::readAll(file).value_or("<unreadable>"); }

    TempDir root;
    ScopedEnv home{"HOME", (root / "home").string()};
    ScopedEnv config{"XDG_CONFIG_HOME", (root / "config").string()};
    const fs::path entry = xdg::autostartFile();
    const fs::path program = "/usr/bin/lumvex";
};

TEST_F(XdgAutostartTest, StatusFollowsTheEntry)
{
    EXPECT_EQ(entry, root / "config/autostart/lumvex.desktop");
    XdgAutostart autostart(entry, program, false);
    EXPECT_EQ(autostart.status(), LoginItemStatus::notRegistered);

    EXPECT_EQ(autostart.registerProgram(), std::nullopt);
    EXPECT_EQ(autostart.status(), LoginItemStatus::enabled);
    EXPECT_THAT(contents(entry), HasSubstr("\nExec=/usr/bin/lumvex\n"));

    append(entry, "Hidden=true\n");
    EXPECT_EQ(autostart.status(), LoginItemStatus::notRegistered);
    // Registering replaces an entry the desktop was told to skip.
    EXPECT_EQ(autostart.registerProgram(), std::nullopt);
    EXPECT_EQ(autostart.status(), LoginItemStatus::enabled);

    append(entry, "X-GNOME-Autostart-enabled=false\n");
    EXPECT_EQ(autostart.status(), LoginItemStatus::notRegistered);

    EXPECT_EQ(autostart.unregisterProgram(), std::nullopt);
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_EQ(autostart.unregisterProgram(), std::nullopt); // nothing left to remove is no failure
    // Written whole through a temporary file that does not stay behind.
    EXPECT_TRUE(fs::is_empty(entry.parent_path()));
}

TEST_F(XdgAutostartTest, WithoutTheProgramPathOrTheFileNothingCanBeRegistered)
{
    XdgAutostart autostart(entry, fs::path(), false);
    EXPECT_EQ(autostart.status(), LoginItemStatus::notFound);
    EXPECT_EQ(autostart.registerProgram(), "the program's own path could not be determined");
    EXPECT_FALSE(fs::exists(entry));

    // An entry left by an earlier run still starts something, so it shows and can be switched off.
    XdgAutostart(entry, program, false).registerProgram();
    EXPECT_EQ(autostart.status(), LoginItemStatus::enabled);
    EXPECT_EQ(autostart.unregisterProgram(), std::nullopt);
    EXPECT_EQ(autostart.status(), LoginItemStatus::notFound);

    // Failures name the file and the cause.
    fs::create_directories(entry / "inside");
    XdgAutostart occupied(entry, program, false);
    EXPECT_EQ(occupied.status(), LoginItemStatus::notRegistered);
    EXPECT_EQ(occupied.unregisterProgram(), "cannot remove " + entry.string() + ": Directory not empty");
    EXPECT_THAT(occupied.registerProgram().value_or(""), StartsWith("cannot write " + entry.string()));
}

TEST_F(XdgAutostartTest, LoginItemOnTheEntryAndOneThatCannotRegisterTriesOnceAndSaysWhy)
{
    MemoryDefaults defaults;
    std::vector<std::string> log;
    const auto launch = [&](const fs::path &at) {
        LoginItem item(std::make_unique<XdgAutostart>(entry, at, false), defaults,
                       [&log](const std::string &line) { log.push_back(line); });
        item.configureAtLaunch();
        return item.status();
    };

    EXPECT_EQ(launch(program), LoginItemStatus::enabled);
    EXPECT_THAT(log, ElementsAre("Lumvex: first-run login-item default applied; status=enabled"));

    // Moved since: the next launch points the entry at the new place.
    EXPECT_EQ(launch("/opt/lumvex/bin/lumvex"), LoginItemStatus::enabled);
    EXPECT_THAT(contents(entry), HasSubstr("\nExec=/opt/lumvex/bin/lumvex\n"));

    // Switched off by the user: stays off.
    LoginItem(std::make_unique<XdgAutostart>(entry, program, false), defaults, {}).toggle();
    EXPECT_EQ(launch(program), LoginItemStatus::notRegistered);
    EXPECT_EQ(log.size(), 1u);

    // An entry of the user's own: a sandboxed run cannot see that it is ours and must neither write nor
    // remove it.
    XdgAutostart(entry, "/opt/elsewhere/lumvex", false).registerProgram();
    for (const bool sandboxed : {true, false}) {
        SCOPED_TRACE(sandboxed);
        if (!sandboxed) {
            fs::remove_all(entry.parent_path());
            append(entry.parent_path(), "a file where the folder belongs");
        }
        MemoryDefaults defaults;
        std::vector<std::string> log;
        LoginItem item(std::make_unique<XdgAutostart>(entry, program, sandboxed), defaults,
                       [&log](const std::string &line) { log.push_back(line); });
        item.configureAtLaunch();
        item.configureAtLaunch(); // the default was applied once, failure or not
        ASSERT_EQ(log.size(), 2u);
        EXPECT_THAT(log[0], StartsWith(std::string("Lumvex: login-item register failed: ") +
                                       (sandboxed ? "running in a sandbox" : "cannot create the folder")));
        EXPECT_EQ(log[1], std::string("Lumvex: first-run login-item default applied; status=") +
                              (sandboxed ? "requiresApproval" : "notRegistered"));
        // Not enabled counts as off: a click asks again, and its refusal is a failure.
        EXPECT_FALSE(item.toggle());
        EXPECT_EQ(log.size(), 3u);
        EXPECT_TRUE(item.setEnabled(false));
        EXPECT_EQ(contents(entry).find("\nExec=/opt/elsewhere/lumvex\n") != std::string::npos, sandboxed);
    }
}

TEST_F(XdgAutostartTest, DesktopReadsBackTheExactProgramPath)
{
    if (std::system("/usr/bin/python3 -c 'import gi' 2>/dev/null") != 0) {
        GTEST_SKIP() << "needs python3-gi";
    }
    const std::string awkward = "/opt/My \"Apps\"/100% $HOME/back\\slash/it's`x`/new\nline/lumvex";
    XdgAutostart(entry, awkward, false).registerProgram();

    const std::string command = "/usr/bin/python3 " LUMVEX_TEST_SOURCE_DIR "/read_exec.py '" + entry.string() + "' >'" +
                                (root / "exec.json").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(nlohmann::json::parse(contents(root / "exec.json")), nlohmann::json::array({awkward}));
}

TEST(ProgramLocation, FindsThisExecutableOrTheImage)
{
    EXPECT_EQ(ownProgramPath(), fs::canonical("/proc/self/exe"));
    ScopedEnv image("APPIMAGE", "/home/u/Lumvex.AppImage");
    EXPECT_EQ(ownProgramPath(), "/home/u/Lumvex.AppImage");
}

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
        EXPECT_EQ(desktop_entry::startsAtLogin(text), starts) << text;
    }
}

} // namespace
} // namespace lumvex
