// SPDX-License-Identifier: MIT
#include "WaylandDesktop.h"

#include "WaylandFrontmostApp.h"
#include "base/Translation.h"

#include "platform/linux/capture/UnavailableCapture.h"
#include "platform/linux/portal/PortalScreenCapture.h"
#include "platform/linux/wayland/WlrScreencopyCapture.h"

namespace lumvex {

WaylandDesktop::WaylandDesktop(Defaults &defaults, CaptureChoice choice)
    : m_defaults(defaults)
    , m_choice(choice)
{
    m_displays.onConnectionChange = [this] { watchConnection(); };
    watchConnection();
}

WaylandDesktop::~WaylandDesktop()
{
    m_displays.onConnectionChange = nullptr;
}

void WaylandDesktop::watchConnection()
{
    std::vector<std::unique_ptr<QSocketNotifier>> retired;
    for (std::unique_ptr<QSocketNotifier> *notifier : {&m_readable, &m_writable}) {
        if (*notifier) {
            (*notifier)->setEnabled(false);
            retired.push_back(std::move(*notifier));
        }
    }
    m_retired = std::move(retired);
    const int fd = m_displays.fd();
    if (fd < 0) {
        return;
    }
    m_readable = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QObject::connect(m_readable.get(), &QSocketNotifier::activated, m_readable.get(), [this] { dispatch(); });
    m_writable = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write);
    QObject::connect(m_writable.get(), &QSocketNotifier::activated, m_writable.get(), [this] { dispatch(); });
    m_writable->setEnabled(m_displays.wantsWrite());
}

void WaylandDesktop::dispatch()
{
    const std::uint64_t changes = m_displays.changes();
    m_displays.dispatch();
    if (m_displays.changes() != changes && m_onDisplaysChange) {
        m_onDisplaysChange();
    }
    if (m_writable) {
        m_writable->setEnabled(m_displays.wantsWrite());
    }
}

std::unique_ptr<ScreenCapture> WaylandDesktop::makeCapture(DisplayId display)
{
    if (m_displays.isWaiting()) {
        // Nothing to capture yet, and nothing wrong: the compositor has not described its displays.
        return std::make_unique<UnavailableCapture>(std::nullopt);
    }
    if (!m_displays.isConnected()) {
        return std::make_unique<UnavailableCapture>(i18n::translate(
            "Capture",
            "Screen capture cannot reach the Wayland compositor (WAYLAND_DISPLAY is not set or does not answer)."));
    }
    const bool screencopy = m_choice == CaptureChoice::screencopy ||
                            (m_choice == CaptureChoice::automatic && m_displays.offersScreencopy());
    if (screencopy) {
        return std::make_unique<WlrScreencopyCapture>(m_displays.outputName(display).value_or(std::string()));
    }
    std::optional<QRect> area;
    if (const std::optional<OutputRect> rect = m_displays.logicalGeometry(display)) {
        area = QRect(rect->x, rect->y, rect->width, rect->height);
    }
    return std::make_unique<PortalScreenCapture>(m_defaults, area);
}

FrontmostAppProvider &WaylandDesktop::watchFrontmostApp(std::function<void()> onSwitch)
{
    m_displays.onAppSwitch = std::move(onSwitch);
    m_frontmostApp = std::make_unique<WaylandFrontmostApp>(m_displays);
    return *m_frontmostApp;
}

void WaylandDesktop::notePointerAt(int x, int y)
{
    m_displays.notePointerAt(x, y);
}

} // namespace lumvex
