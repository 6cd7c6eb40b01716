// SPDX-License-Identifier: MIT
#pragma once

#include "Desktop.h"
#include "engine/FrontmostAppProvider.h"
#include "platform/linux/wayland/WaylandDisplayServices.h"

#include <QSocketNotifier>

#include <memory>
#include <vector>

namespace lumvex {

class Defaults;

// A Wayland session. Capture goes through the compositor's wlroots screen copy where it offers one (sway,
// Hyprland, river, labwc), else through the desktop portal's ScreenCast (GNOME, KDE Plasma), which asks
// the user once. No global pointer position exists here: the pointer is known only from a tray host's
// clicks, and no movement can be watched. The application in front is known where the compositor tells
// its task bars (wlroots compositors). The compositor's connection runs in Qt's event loop: its socket is
// watched, so its displays appear when it answers, however late, and nothing waits for it.
class WaylandDesktop final : public Desktop
{
public:
    // Which capture to use; `automatic` picks as above.
    enum class CaptureChoice { automatic, screencopy, portal };

    // `defaults` keeps the portal's permission between runs and must outlive the desktop.
    WaylandDesktop(Defaults &defaults, CaptureChoice choice = CaptureChoice::automatic);
    ~WaylandDesktop() override;

    DisplayServices &displays() override { return m_displays; }
    std::unique_ptr<ScreenCapture> makeCapture(DisplayId display) override;
    bool watchPointer(std::function<void()>) override { return false; }
    FrontmostAppProvider &watchFrontmostApp(std::function<void()> onSwitch) override;
    void notePointerAt(int x, int y) override;
    bool awaitsDisplays() override { return m_displays.isWaiting() || m_displays.isLookingForCompositor(); }
    void watchDisplays(std::function<void()> onChange) override { m_onDisplaysChange = std::move(onChange); }

private:
    // Watches the socket of the connection there is now.
    void watchConnection();
    void dispatch();

    Defaults &m_defaults;
    const CaptureChoice m_choice;
    WaylandDisplayServices m_displays;
    std::unique_ptr<FrontmostAppProvider> m_frontmostApp;
    std::function<void()> m_onDisplaysChange;
    std::unique_ptr<QSocketNotifier> m_readable;
    std::unique_ptr<QSocketNotifier> m_writable;
    // A connection may end inside its own notifier's signal: the notifiers of the one before wait here,
    // switched off, until the next change or the end.
    std::vector<std::unique_ptr<QSocketNotifier>> m_retired;
};

} // namespace lumvex
