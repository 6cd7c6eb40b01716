// SPDX-License-Identifier: MIT
#pragma once

#include "Desktop.h"
#include "platform/linux/x11/X11DisplayServices.h"

#include <memory>

namespace lumvex {

class X11FrontmostApp;
class X11PointerMonitor;

// An X11 session: RandR monitors, shared-memory capture, XInput2 pointer motion and the window manager's
// active window.
class X11Desktop final : public Desktop
{
public:
    X11Desktop();
    ~X11Desktop() override;

    DisplayServices &displays() override { return m_displays; }
    std::unique_ptr<ScreenCapture> makeCapture(DisplayId display) override;
    bool watchPointer(std::function<void()> onMotion) override;
    FrontmostAppProvider &watchFrontmostApp(std::function<void()> onSwitch) override;
    // The server tells where the pointer is; a host's word is not needed.
    void notePointerAt(int, int) override {}

private:
    X11DisplayServices m_displays;
    std::unique_ptr<X11PointerMonitor> m_pointer;
    std::unique_ptr<X11FrontmostApp> m_frontmostApp;
};

} // namespace lumvex
