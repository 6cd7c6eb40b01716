// The pause entry of the status menu and its actions.
#include "StatusItemController.h"

#include "engine/CompensationLoop.h"

#include <QDateTime>
#include <QPointer>

namespace lumvex {

MenuEntry StatusItemController::buildPauseEntry()
{
    const QPointer<StatusItemController> self(this);
    const auto pause = m_loop != nullptr ? m_loop->userPause() : std::nullopt;
    if (pause) {
        std::string label = "Resume (paused";
        if (pause->until) {
            // The process's time zone, as everywhere else the menu shows a time.
            const auto end = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(pause->until->unixSeconds()));
            label += " until " + end.toString(QStringLiteral("HH:mm")).toStdString();
        }
        return MenuEntry::item(resumeId, label + ")", [self] {
            if (self) {
                self->resumeAutomatic();
            }
        });
    }
    auto pauseFor = [self](std::optional<double> seconds) {
        return [self, seconds] {
            if (self) {
                self->pauseAutomatic(seconds);
            }
        };
    };
    return MenuEntry::submenu(pauseId, "Pause",
                              {MenuEntry::item(pauseQuarterHourId, "For 15 Minutes", pauseFor(15 * 60.0)),
                               MenuEntry::item(pauseHourId, "For 1 Hour", pauseFor(3600.0)),
                               MenuEntry::item(pauseUntilResumedId, "Until Resumed", pauseFor(std::nullopt))});
}

void StatusItemController::pauseAutomatic(std::optional<double> seconds)
{
    if (m_loop != nullptr && m_loop->enabled()) {
        m_loop->pauseAutomatic(seconds);
    }
    refreshMenus();
}

void StatusItemController::resumeAutomatic()
{
    if (m_loop != nullptr) {
        m_loop->resumeAutomatic();
    }
    refreshMenus();
}

} // namespace lumvex
