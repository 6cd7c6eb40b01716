// SPDX-License-Identifier: MIT
#include "X11Desktop.h"

#include "platform/linux/x11/X11FrontmostApp.h"
#include "platform/linux/x11/X11PointerMonitor.h"
#include "platform/linux/x11/capture/X11ShmCapture.h"

namespace lumvex {

X11Desktop::X11Desktop() = default;
X11Desktop::~X11Desktop() = default;

std::unique_ptr<ScreenCapture> X11Desktop::makeCapture(DisplayId display)
{
    return std::make_unique<X11ShmCapture>(display);
}

bool X11Desktop::watchPointer(std::function<void()> onMotion)
{
    m_pointer = std::make_unique<X11PointerMonitor>([this, onMotion = std::move(onMotion)] {
        m_displays.pointerMoved();
        onMotion();
    });
    m_displays.setPointerWatched(m_pointer->isActive());
    return m_pointer->isActive();
}

FrontmostAppProvider &X11Desktop::watchFrontmostApp(std::function<void()> onSwitch)
{
    m_frontmostApp = std::make_unique<X11FrontmostApp>(std::move(onSwitch));
    return *m_frontmostApp;
}

} // namespace lumvex
