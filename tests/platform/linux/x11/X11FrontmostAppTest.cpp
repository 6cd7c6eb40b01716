// SPDX-License-Identifier: MIT
#include "platform/linux/x11/X11FrontmostApp.h"
#include "XServerControl.h"
#include "platform/linux/x11/WindowClass.h"
#include "support/TempDir.h"

#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <string_view>
#include <thread>

using namespace lumvex;
using namespace std::string_literals;
using App = X11FrontmostApp::App;

namespace {

// Plays the window manager, from no active window.
struct FakeWindowManager : test::XServerControl
{
    FakeWindowManager() { setActiveWindow(XCB_WINDOW_NONE); }
};

} // namespace

TEST(X11FrontmostAppTest, NamesTheApplicationOfTheActiveWindow)
{
    FakeWindowManager wm;
    const X11FrontmostApp frontmost;
    ASSERT_TRUE(frontmost.isConnected());
    EXPECT_EQ(frontmost.frontmostApp(), std::nullopt) << "no active window";

    wm.setActiveWindow(wm.window("gnome-text-editor\0Gnome-text-editor\0"s, "org.gnome.TextEditor"));
    EXPECT_EQ(frontmost.frontmostApp(), (App{"org.gnome.TextEditor", "Gnome-text-editor"}));
    EXPECT_TRUE(frontmost.frontmostAppId() == "org.gnome.TextEditor" &&
                frontmost.frontmostAppName() == "Gnome-text-editor");

    wm.setActiveWindow(wm.window("navigator\0firefox\0"s));
    EXPECT_EQ(frontmost.frontmostApp(), (App{"firefox", "firefox"}));

    // The class else the instance, Latin-1 unless it is UTF-8 already.
    for (const auto &[wmClass, name] : {std::pair{"x\0Caf\xe9\0"s, "Caf\xc3\xa9"},
                                        {"x\0Caf\xc3\xa9"s, "Caf\xc3\xa9"},
                                        {"xterm\0\0"s, "xterm"},
                                        {"xterm"s, "xterm"}}) {
        wm.setActiveWindow(wm.window(wmClass));
        EXPECT_EQ(frontmost.frontmostAppName(), name) << wmClass;
    }
    // Empty names, no class at all, and a window that went away while still named active.
    const xcb_window_t bare = wm.window({});
    for (const auto &[window, gone] : {std::pair{wm.window("\0\0"s), false}, {bare, false}, {bare, true}}) {
        gone ? wm.destroyWindow(window) : wm.setActiveWindow(window);
        EXPECT_EQ(frontmost.frontmostApp(), (App{})) << window << gone;
    }
    wm.setActiveWindow(XCB_WINDOW_NONE);
    EXPECT_EQ(frontmost.frontmostApp(), std::nullopt);
}

TEST(X11FrontmostAppTest, ReportsSwitchesBetweenApplicationsOnly)
{
    FakeWindowManager wm;
    const xcb_window_t editor = wm.window("e\0Editor\0"s, "org.example.Editor");
    const xcb_window_t editor2 = wm.window("e\0Editor\0"s, "org.example.Editor");
    const xcb_window_t terminal = wm.window("t\0Terminal\0"s);
    wm.setActiveWindow(editor);

    int switches = 0;
    const X11FrontmostApp frontmost([&] { ++switches; });
    // Events on one connection arrive in order, so each count is exact once the next switch is seen.
    wm.setActiveWindow(editor2);
    wm.setActiveWindow(XCB_WINDOW_NONE);
    wm.setActiveWindow(terminal);
    // A question answered before the event loop runs must not swallow the news of the switch.
    EXPECT_EQ(frontmost.frontmostAppName(), "Terminal");
    ASSERT_TRUE(QTest::qWaitFor([&] { return switches >= 1; }));
    EXPECT_EQ(switches, 1);

    wm.setActiveWindow(XCB_WINDOW_NONE);
    wm.setActiveWindow(terminal);
    wm.setActiveWindow(editor);
    ASSERT_TRUE(QTest::qWaitFor([&] { return switches >= 2; }));
    EXPECT_EQ(switches, 2);
    EXPECT_EQ(frontmost.frontmostAppId(), "org.example.Editor");
}

// Class names are read in the front application's test; the forms of broken UTF-8 are listed here.
TEST(WindowClassTest, Utf8MustBeWellFormed)
{
    EXPECT_TRUE(x11::isValidUtf8("\xf0\x9f\x98\x80 plain"));
    for (const char *bad : {"\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82", "\x80", "\xff"}) {
        EXPECT_FALSE(x11::isValidUtf8(bad)) << bad;
    }
}
