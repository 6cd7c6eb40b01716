// SPDX-License-Identifier: MIT
#include "DisplayRouter.h"

#include <algorithm>

namespace lumvex {

bool inMenuBarBand(const Rect &frame, Point p)
{
    return p.y > frame.maxY() - DisplayRouter::kMenuBarHeight;
}

const Screen *screenAt(const std::vector<Screen> &screens, Point p)
{
    const auto found =
        std::find_if(screens.begin(), screens.end(), [p](const Screen &s) { return s.frame.contains(p); });
    return found == screens.end() ? nullptr : &*found;
}

bool actsOnBuiltIn(DisplayServices &displays, DisplayId target)
{
    return target == 0 || displays.isBuiltIn(target);
}

bool isRecentMove(double ageSeconds)
{
    return ageSeconds >= 0.0 && ageSeconds < DisplayRouter::kStaleness;
}

DisplayRouter::DisplayRouter(DisplayServices &displays, const Clock &clock)
    : m_displays(displays)
    , m_clock(clock)
    , m_activeDisplay(displays.mainDisplay())
{}

DisplayId DisplayRouter::currentTarget()
{
    if (m_lastNonMenuBarUpdate && isRecentMove(m_clock.now() - *m_lastNonMenuBarUpdate)) {
        const std::optional<std::vector<DisplayId>> online = m_displays.onlineDisplays();
        if (online && std::ranges::find(*online, m_activeDisplay) != online->end()) {
            return m_activeDisplay;
        }
    }
    // The panel band counts here: a pointer resting on the panel answers for the display it is on.
    if (const std::optional<Point> p = m_displays.pointerLocation()) {
        const std::vector<Screen> screens = m_displays.screens();
        if (const Screen *screen = screenAt(screens, *p)) {
            return screen->id;
        }
    }
    return m_displays.mainDisplay();
}

void DisplayRouter::cursorMoved()
{
    const std::optional<Point> p = m_displays.pointerLocation();
    if (!p) {
        return;
    }
    const std::vector<Screen> screens = m_displays.screens();
    const Screen *screen = screenAt(screens, *p);
    if (screen == nullptr || inMenuBarBand(screen->frame, *p)) {
        return;
    }
    m_lastNonMenuBarUpdate = m_clock.now();
    if (screen->id != m_activeDisplay) {
        m_activeDisplay = screen->id;
        if (onActiveDisplayChange) {
            onActiveDisplayChange(m_activeDisplay);
        }
    }
}

} // namespace lumvex
