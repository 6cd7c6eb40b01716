// SPDX-License-Identifier: MIT
// The pause entry of the status menu.
#include "MenuText.h"
#include "PauseEndText.h"
#include "StatusItemController.h"
#include "StatusMenu.h"

#include "engine/CompensationLoop.h"

#include <QString>

namespace lumvex {

MenuEntry StatusMenu::pauseEntry() const
{
    StatusItemController *actions = &m_actions;
    if (const auto pause = m_sources.loop.userPause()) {
        const std::string label =
            pause->until ? menuText::translated(QT_TRANSLATE_NOOP("StatusMenu", "Resume (paused until %1)"))
                         : menuText::translated(QT_TRANSLATE_NOOP("StatusMenu", "Resume (paused)"));
        const std::string filled = pause->until
                                       ? QString::fromStdString(label)
                                             .arg(QString::fromStdString(pauseEndText(pause->until->unixSeconds())))
                                             .toStdString()
                                       : label;
        return MenuEntry::item(resumeId, filled, [actions] { actions->resumeAutomatic(); });
    }
    auto pauseFor = [actions](std::optional<double> seconds) {
        return [actions, seconds] { actions->pauseAutomatic(seconds); };
    };
    return MenuEntry::submenu(
        pauseId, menuText::translated(QT_TRANSLATE_NOOP("StatusMenu", "Pause")),
        {MenuEntry::item(pauseQuarterHourId, menuText::translated(QT_TRANSLATE_NOOP("StatusMenu", "For 15 Minutes")),
                         pauseFor(15 * 60.0)),
         MenuEntry::item(pauseHourId, menuText::translated(QT_TRANSLATE_NOOP("StatusMenu", "For 1 Hour")),
                         pauseFor(3600.0)),
         MenuEntry::item(pauseUntilResumedId, menuText::translated(QT_TRANSLATE_NOOP("StatusMenu", "Until Resumed")),
                         pauseFor(std::nullopt))});
}

} // namespace lumvex
