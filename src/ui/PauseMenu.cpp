// SPDX-License-Identifier: MIT
// The pause entry of the status menu.
#include "PauseEndText.h"
#include "StatusItemController.h"
#include "StatusMenu.h"

#include "engine/CompensationLoop.h"

namespace lumvex {

MenuEntry StatusMenu::pauseEntry() const
{
    StatusItemController *actions = &m_actions;
    if (const auto pause = m_sources.loop.userPause()) {
        std::string label = "Resume (paused";
        if (pause->until) {
            label += " until " + pauseEndText(pause->until->unixSeconds());
        }
        return MenuEntry::item(resumeId, label + ")", [actions] { actions->resumeAutomatic(); });
    }
    auto pauseFor = [actions](std::optional<double> seconds) {
        return [actions, seconds] { actions->pauseAutomatic(seconds); };
    };
    return MenuEntry::submenu(pauseId, "Pause",
                              {MenuEntry::item(pauseQuarterHourId, "For 15 Minutes", pauseFor(15 * 60.0)),
                               MenuEntry::item(pauseHourId, "For 1 Hour", pauseFor(3600.0)),
                               MenuEntry::item(pauseUntilResumedId, "Until Resumed", pauseFor(std::nullopt))});
}

} // namespace lumvex
