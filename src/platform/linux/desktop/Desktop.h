// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/DisplayId.h"

#include <functional>
#include <memory>

namespace lumvex {

class DisplayServices;
class FrontmostAppProvider;
class ScreenCapture;

// The display side of one desktop session, X11 or Wayland: its displays, their content, the pointer's
// movement and the application in front. Lives on the main thread; needs Qt's event loop there.
class Desktop
{
public:
    virtual ~Desktop() = default;

    virtual DisplayServices &displays() = 0;
    // The capture of one display; when it cannot work it says why through unavailableReason().
    virtual std::unique_ptr<ScreenCapture> makeCapture(DisplayId display) = 0;
    // Reports pointer movement anywhere on the desktop; false when the desktop offers no such watch.
    virtual bool watchPointer(std::function<void()> onMotion) = 0;
    // The application in front, reporting switches between applications; its answers are empty where the
    // desktop does not tell. The provider lives as long as the desktop.
    virtual FrontmostAppProvider &watchFrontmostApp(std::function<void()> onSwitch) = 0;
    // Where a tray host says it was clicked, in desktop coordinates (y down): the only pointer position
    // some desktops give.
    virtual void notePointerAt(int x, int y) = 0;
    // No display is known yet because the display server has not described them.
    virtual bool awaitsDisplays() { return false; }
    // Reports that the displays may have changed, where the desktop tells at once; elsewhere a poll finds out.
    virtual void watchDisplays(std::function<void()>) {}
};

} // namespace lumvex
