#include "platform/linux/capture/CaptureBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace lumvex;

namespace {

TEST(CaptureBackendTest, WaylandSessionsAndMissingServersAreRefusedWithAReason)
{
    EXPECT_EQ(sessionCaptureProblem({":0", "", "x11"}), std::nullopt);
    EXPECT_EQ(sessionCaptureProblem({":0", "", ""}), std::nullopt);
    // A nested compositor inside an X11 session does not make it a Wayland session.
    EXPECT_EQ(sessionCaptureProblem({":0", "wayland-1", "x11"}), std::nullopt);

    // An X server beside the compositor shows only X11 programs: still no capture.
    const auto wayland = sessionCaptureProblem({":0", "wayland-0", "wayland"});
    ASSERT_TRUE(wayland);
    EXPECT_NE(wayland->find("Wayland"), std::string::npos);
    EXPECT_TRUE(sessionCaptureProblem({":0", "wayland-0", ""}));
    EXPECT_TRUE(sessionCaptureProblem({"", "", "wayland"}));

    const auto noServer = sessionCaptureProblem({"", "", "tty"});
    ASSERT_TRUE(noServer);
    EXPECT_NE(noServer->find("DISPLAY"), std::string::npos);
}

TEST(CaptureBackendTest, ARefusedSessionGetsACaptureThatSaysWhy)
{
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    const auto capture = makeScreenCapture(1);
    EXPECT_EQ(capture->captureAndReduce(), std::nullopt);
    EXPECT_EQ(capture->unavailableReason(), sessionCaptureProblem(SessionEnvironment::current()));
}

} // namespace
