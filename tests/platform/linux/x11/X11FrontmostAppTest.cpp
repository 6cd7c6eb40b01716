// SPDX-License-Identifier: MIT
#include "platform/linux/x11/X11FrontmostApp.h"
#include "support/TempDir.h"

#include <QCoreApplication>

#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <string_view>
#include <thread>

using namespace lumvex;
using namespace std::string_literals;
using App = X11FrontmostApp::App;

namespace {

// Plays the window manager: makes client windows with their properties and names the active one.
class FakeWindowManager
{
public:
    FakeWindowManager() { setActive(XCB_WINDOW_NONE); }
    ~FakeWindowManager()
    {
        xcb_delete_property(m_x.get(), m_x.root(), atom("_NET_ACTIVE_WINDOW"));
        sync();
    }

    xcb_window_t window(std::string_view wmClass, std::string_view gtkApplicationId = {})
    {
        const xcb_window_t id = xcb_generate_id(m_x.get());
        xcb_create_window(m_x.get(), XCB_COPY_FROM_PARENT, id, m_x.root(), 0, 0, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        if (!wmClass.empty()) {
            setText(id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, wmClass);
        }
        if (!gtkApplicationId.empty()) {
            setText(id, atom("_GTK_APPLICATION_ID"), atom("UTF8_STRING"), gtkApplicationId);
        }
        sync();
        return id;
    }

    void destroy(xcb_window_t window)
    {
        xcb_destroy_window(m_x.get(), window);
        sync();
    }

    void setActive(xcb_window_t window)
    {
        xcb_change_property(m_x.get(), XCB_PROP_MODE_REPLACE, m_x.root(), atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW,
                            32, 1, &window);
        sync();
    }

private:
    xcb_atom_t atom(std::string_view name)
    {
        const auto reply = m_x.reply(xcb_intern_atom_reply, xcb_intern_atom(m_x.get(), 0, name.size(), name.data()));
        return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    }

    void setText(xcb_window_t window, xcb_atom_t property, xcb_atom_t type, std::string_view text)
    {
        xcb_change_property(m_x.get(), XCB_PROP_MODE_REPLACE, window, property, type, 8,
                            static_cast<std::uint32_t>(text.size()), text.data());
    }

    void sync() { m_x.reply(xcb_get_input_focus_reply, xcb_get_input_focus(m_x.get())); }

    XcbConnection m_x;
};

} // namespace

TEST(X11FrontmostAppTest, NamesTheApplicationOfTheActiveWindow)
{
    FakeWindowManager wm;
    const X11FrontmostApp frontmost;
    ASSERT_TRUE(frontmost.isConnected());
    EXPECT_EQ(frontmost.frontmostApp(), std::nullopt) << "no active window";
    EXPECT_EQ(frontmost.frontmostAppId(), std::nullopt);

    wm.setActive(wm.window("gnome-text-editor\0Gnome-text-editor\0"s, "org.gnome.TextEditor"));
    EXPECT_EQ(frontmost.frontmostApp(), (App{"org.gnome.TextEditor", "Gnome-text-editor"}));
    EXPECT_EQ(frontmost.frontmostAppId(), "org.gnome.TextEditor");
    EXPECT_EQ(frontmost.frontmostAppName(), "Gnome-text-editor");

    wm.setActive(wm.window("navigator\0firefox\0"s));
    EXPECT_EQ(frontmost.frontmostApp(), (App{"firefox", "firefox"}));

    wm.setActive(wm.window("x\0Caf\xe9\0"s));
    EXPECT_EQ(frontmost.frontmostAppName(), "Caf\xc3\xa9");

    const xcb_window_t bare = wm.window({});
    wm.setActive(bare);
    EXPECT_EQ(frontmost.frontmostApp(), (App{}));

    // A window that went away while still named active.
    wm.destroy(bare);
    EXPECT_EQ(frontmost.frontmostApp(), (App{}));
    wm.setActive(XCB_WINDOW_NONE);
    EXPECT_EQ(frontmost.frontmostApp(), std::nullopt);
}

TEST(X11FrontmostAppTest, ReportsSwitchesBetweenApplicationsOnly)
{
    FakeWindowManager wm;
    const xcb_window_t editor = wm.window("e\0Editor\0"s, "org.example.Editor");
    const xcb_window_t editor2 = wm.window("e\0Editor\0"s, "org.example.Editor");
    const xcb_window_t terminal = wm.window("t\0Terminal\0"s);
    wm.setActive(editor);

    int switches = 0;
    const X11FrontmostApp frontmost([&] { ++switches; });
    // Events on one connection arrive in order, so each count is exact once the next switch is seen.
    wm.setActive(editor2);
    wm.setActive(XCB_WINDOW_NONE);
    wm.setActive(terminal);
    // A question answered before the event loop runs must not swallow the news of the switch.
    EXPECT_EQ(frontmost.frontmostAppName(), "Terminal");
    ASSERT_TRUE(QTest::qWaitFor([&] { return switches >= 1; }));
    EXPECT_EQ(switches, 1);

    wm.setActive(XCB_WINDOW_NONE);
    wm.setActive(terminal);
    wm.setActive(editor);
    ASSERT_TRUE(QTest::qWaitFor([&] { return switches >= 2; }));
    EXPECT_EQ(switches, 2);
    EXPECT_EQ(frontmost.frontmostAppId(), "org.example.Editor");
}

TEST(X11FrontmostAppTest, WithoutAServerThereIsNoApplication)
{
    const test::ScopedEnv display("DISPLAY", ":65000");
    int switches = 0;
    const X11FrontmostApp frontmost([&] { ++switches; });
    EXPECT_FALSE(frontmost.isConnected());
    EXPECT_EQ(frontmost.frontmostApp(), std::nullopt);
    EXPECT_EQ(frontmost.frontmostAppName(), std::nullopt);
    QCoreApplication::processEvents();
    EXPECT_EQ(switches, 0);
}
