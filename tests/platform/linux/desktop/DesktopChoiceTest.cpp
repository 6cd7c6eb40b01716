// SPDX-License-Identifier: MIT
#include "engine/FrontmostAppProvider.h"
#include "platform/linux/desktop/OpenDesktop.h"
#include "platform/linux/desktop/WaylandDesktop.h"
#include "sensing/DisplayServices.h"
#include "sensing/OutputNameId.h"
#include "sensing/ScreenCapture.h"
#include "simulated/MemoryDefaults.h"
#include "support/Eventually.h"
#include "support/TempDir.h"
#include "support/wayland/WaylandRepainter.h"

#include <gtest/gtest.h>

using namespace lumvex;

namespace {

using test::eventually;

TEST(DesktopChoiceTest, TheSessionTypeDecidesTheProtocolAndAnUnreachableCompositorIsSaidOnce)
{
    EXPECT_EQ(displayProtocol({":0", "", ""}), DisplayProtocol::x11);
    // A nested compositor inside an X11 session does not make it a Wayland session.
    EXPECT_EQ(displayProtocol({":0", "wayland-1", "x11"}), DisplayProtocol::x11);
    // An X server beside the compositor shows only X11 programs.
    EXPECT_EQ(displayProtocol({":0", "wayland-0", "wayland"}), DisplayProtocol::wayland);
    EXPECT_EQ(displayProtocol({":0", "wayland-0", ""}), DisplayProtocol::wayland);
    EXPECT_EQ(displayProtocol({"", "", "wayland"}), DisplayProtocol::wayland);
    EXPECT_EQ(displayProtocol({"", "", "tty"}), DisplayProtocol::none);

    // An unreachable compositor is said once, and nothing else breaks.
    MemoryDefaults defaults;
    const test::ScopedEnv display("WAYLAND_DISPLAY", "lumvex-no-such-compositor");
    for (const char *choice : {"", "portal", "screencopy"}) {
        const auto desktop = openDesktop({"", "lumvex-no-such-compositor", "wayland"}, defaults, std::string(choice));
        ASSERT_NE(dynamic_cast<WaylandDesktop *>(desktop.get()), nullptr);
        // No pointer watch exists on Wayland, and no compositor tells the application in front.
        EXPECT_FALSE(desktop->watchPointer([] {}));
        EXPECT_EQ(desktop->watchFrontmostApp([] {}).frontmostAppId(), std::nullopt);

        const auto capture = desktop->makeCapture(desktop->displays().mainDisplay());
        EXPECT_EQ(capture->captureAndReduce(), std::nullopt);
        const auto reason = capture->unavailableReason();
        ASSERT_TRUE(reason) << choice;
        EXPECT_NE(reason->find("Wayland compositor"), std::string::npos) << *reason;
    }
}

// Under a private headless sway (desktop_sway_tests).

// Screencopy by default and the portal when asked for are seen with the real program (test_wayland_program.py).
// Nothing is wrong until the compositor has described its outputs; then the active window's application is in
// front, and switches are told.
TEST(OnSwayDesktopTest, TheActiveWindowsApplicationIsInFrontAndSwitchesAreTold)
{
    MemoryDefaults defaults;
    const auto desktop = openDesktop(SessionEnvironment::current(), defaults, std::nullopt);
    ASSERT_NE(dynamic_cast<WaylandDesktop *>(desktop.get()), nullptr);
    EXPECT_EQ(desktop->makeCapture(0)->unavailableReason(), std::nullopt);
    int switches = 0;
    const FrontmostAppProvider *app = &desktop->watchFrontmostApp([&] { ++switches; });
    const DisplayId main = outputNameId("HEADLESS-1");
    ASSERT_TRUE(eventually([&] { return desktop->displays().mainDisplay() == main; }));
    EXPECT_EQ(desktop->displays().outputName(main), "HEADLESS-1");
    EXPECT_EQ(app->frontmostAppId(), std::nullopt);
    const auto inFront = [app](const char *id) { return [app, id] { return app->frontmostAppId() == id; }; };
    {
        test::WaylandRepainter editor("org.lumvex.Editor", false);
        ASSERT_TRUE(editor.waitUntilShown());
        EXPECT_TRUE(eventually(inFront("org.lumvex.Editor")));
        EXPECT_EQ(switches, 1);
        {
            test::WaylandRepainter viewer("org.lumvex.Viewer", false);
            ASSERT_TRUE(viewer.waitUntilShown());
            EXPECT_TRUE(eventually(inFront("org.lumvex.Viewer")));
            EXPECT_EQ(app->frontmostAppName(), "org.lumvex.Viewer");
            EXPECT_EQ(switches, 2);
        }
        // The editor gets the focus back when the viewer goes.
        EXPECT_TRUE(eventually(inFront("org.lumvex.Editor")));
        EXPECT_EQ(switches, 3);
    }
    // No window at all is nothing in front, and no switch.
    EXPECT_TRUE(eventually([app] { return !app->frontmostAppId(); }));
    EXPECT_EQ(switches, 3);
}

} // namespace
