// SPDX-License-Identifier: MIT
#pragma once

#include "sensing/BusyScreenPace.h"
#include "sensing/GlanceMemory.h"
#include "sensing/ScreenCapture.h"

#include <QRect>

#include <cstdint>
#include <memory>
#include <optional>

namespace lumvex {

class Defaults;
class PipeWireStream;
class ScreenCastSession;

// Captures a monitor through the desktop portal's screen sharing, as GNOME and KDE Plasma offer it on
// Wayland: the portal asks the user once (not at all when the permission from an earlier run still holds),
// then PipeWire delivers the monitor's pictures whenever it changes. Each capture reduces the newest picture
// not reduced yet, or gives the previous figures again while the screen stands still.
//
// Made on the main thread, whose event loop carries the portal's messages; captures may come from another
// thread. The portal is asked on the first capture.
class PortalScreenCapture final : public ScreenCapture
{
public:
    // The restore token lives in `defaults`, which must outlive the main thread's work for this capture.
    // `area` (logical coordinates) picks the stream when the portal shares several monitors.
    explicit PortalScreenCapture(Defaults &defaults, std::optional<QRect> area = std::nullopt);
    // Ends the sharing: at once when on the main thread, else as soon as the main thread gets to it.
    ~PortalScreenCapture() override;
    PortalScreenCapture(const PortalScreenCapture &) = delete;
    PortalScreenCapture &operator=(const PortalScreenCapture &) = delete;

    std::optional<ScreenReduction> captureAndReduce() override;
    std::optional<std::string> unavailableReason() const override;
    // Stops the pictures and ends the session when the restore token lets the next capture start another
    // without asking anyone, else keeps it. Figures from before the pause stay until the first picture
    // after it replaces them, unless the session ended.
    void pause() override;
    // The portal may ask which screen to share, and the desktop shows that it is shared.
    bool isNoticeable() const override { return true; }

    // Pictures reduced so far. Any thread.
    std::uint64_t framesReduced() const;

    static constexpr int kMaxFramesPerSecond = 10;
    // While a new picture comes on nearly every tick: a jump in content still arrives within 0.2 s.
    static constexpr int kBusyFramesPerSecond = 5;
    // The glance at a busy screen's pictures: one pixel in kGlanceStep x kGlanceStep.
    static constexpr int kGlanceStep = 16;

private:
    struct Link;
    // Ends the session on the thread it lives on: at once there, else queued to it.
    struct EndOnItsThread
    {
        void operator()(ScreenCastSession *session) const;
    };

    // Shared with the session's callbacks on the main thread.
    const std::shared_ptr<Link> m_link;
    // Lives on the main thread; deleted there after this capture.
    const std::unique_ptr<ScreenCastSession, EndOnItsThread> m_session;

    // The capturing thread's own.
    bool m_startRequested = false;
    bool m_paused = false;
    std::shared_ptr<PipeWireStream> m_stream;
    std::optional<ScreenReduction> m_last;
    // While a new picture comes on every tick, one pixel in 16x16 of each says whether it needs reducing.
    static constexpr int kQuietTicks = 5;
    BusyScreenPace m_pace;
    int m_quietTicks = 0;
    GlanceMemory m_glances;
};

} // namespace lumvex
