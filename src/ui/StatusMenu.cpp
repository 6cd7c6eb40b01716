// SPDX-License-Identifier: MIT
#include "StatusMenu.h"

#include "IconStyle.h"
#include "MenuText.h"
#include "StatusItemController.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "engine/Defaults.h"
#include "engine/Settings.h"
#include "output/VolumeControl.h"
#include "system/LoginItemControl.h"
#include "telemetry/RecordingSwitch.h"

#include <cmath>
#include <iterator>

namespace lumvex {

namespace {

const char *const kBullet = "\u2022";
const char *const kEllipsis = "\u2026";

} // namespace

StatusMenu::StatusMenu(StatusItemController &actions, const Sources &sources)
    : m_actions(actions)
    , m_sources(sources)
{}

bool StatusMenu::showCompensationDebug() const
{
    return settings::value(m_sources.defaults, settings::showCompensationDebug);
}

MenuEntry StatusMenu::build(Origin origin, const Moment &moment) const
{
    StatusItemController *actions = &m_actions;
    auto act = [actions](void (StatusItemController::*method)()) {
        return [actions, method] { (actions->*method)(); };
    };
    VolumeControl &volume = m_sources.volume;

    MenuEntry menu;
    menu.id = rootId;
    menu.kind = MenuEntry::Kind::submenu;
    auto &items = menu.children;

    if (moment.brightnessProblem && !moment.brightnessProblem->empty()) {
        items.push_back(MenuEntry::status(brightnessProblemId, *moment.brightnessProblem));
    }
    if (moment.captureProblem && !moment.captureProblem->empty()) {
        items.push_back(MenuEntry::status(captureProblemId, *moment.captureProblem));
    }
    const MenuEntry brightnessLine = MenuEntry::status(brightnessLineId, brightnessLabel(moment.brightness));
    const MenuEntry volumeLine = MenuEntry::status(volumeLineId, volumeLabel(volume));
    if (origin == Origin::volume) {
        items.push_back(volumeLine);
        items.push_back(brightnessLine);
    } else {
        items.push_back(brightnessLine);
        items.push_back(volumeLine);
    }
    items.push_back(
        MenuEntry::item(muteId, volume.isMuted() ? "Unmute" : "Mute", act(&StatusItemController::toggleMute)));
    items.push_back(MenuEntry::separator(statusSeparatorId));

    MenuEntry autoAdjust = MenuEntry::check(autoAdjustId, "Automatic Brightness", m_sources.loop.enabled(),
                                            act(&StatusItemController::toggleAuto));
    autoAdjust.toolTip = "Auto-brightness \u2014 normalizes light across content";
    items.push_back(std::move(autoAdjust));
    if (m_sources.loop.enabled()) {
        items.push_back(pauseEntry());
    }

    // The Option key's entries: here when it is held, in "Advanced" at the end where it cannot be read.
    const bool advanced = !moment.optionKeyReadable;
    std::vector<MenuEntry> diagnostics;
    if (moment.optionKey || advanced) {
        diagnostics.push_back(MenuEntry::check(debugId, "Show Compensation Debug", showCompensationDebug(),
                                               act(&StatusItemController::toggleDebug)));
        diagnostics.push_back(
            MenuEntry::submenu(calibrationId, std::string("Calibration") + kEllipsis, calibrationSubmenu().children));
        diagnostics.push_back(MenuEntry::separator(recordingSeparatorId));
        diagnostics.push_back(MenuEntry::check(recordId, "Record Brightness Data", m_sources.recorder.isRecording(),
                                               act(&StatusItemController::toggleRecording)));
        diagnostics.push_back(
            MenuEntry::item(revealId, "Reveal Data in File Manager", act(&StatusItemController::revealData)));
    }
    if (!advanced) {
        std::move(diagnostics.begin(), diagnostics.end(), std::back_inserter(items));
    }
    items.push_back(MenuEntry::separator(styleSeparatorId));

    std::vector<MenuEntry> styles;
    const IconStyle currentStyle = iconStyle::current(m_sources.defaults);
    for (std::size_t i = 0; i < iconStyle::allCases.size(); ++i) {
        const IconStyle style = iconStyle::allCases[i];
        const std::string raw = iconStyle::rawValue(style);
        styles.push_back(MenuEntry::check(iconStyleFirstId + static_cast<int>(i), iconStyle::displayName(style),
                                          style == currentStyle, [actions, raw] { actions->setIconStyle(raw); }));
    }
    items.push_back(MenuEntry::submenu(iconStyleId, "Icon Style", std::move(styles)));
    items.push_back(MenuEntry::separator(updatesSeparatorId));
    items.push_back(MenuEntry::item(checkForUpdatesId, std::string("Check for Updates") + kEllipsis,
                                    act(&StatusItemController::checkForUpdates)));
    items.push_back(MenuEntry::check(loginItemId, "Start at Login", m_sources.loginItem.isEnabled(),
                                     act(&StatusItemController::toggleLoginItem)));
    MenuEntry quit = MenuEntry::item(quitId, "Quit Lumvex", act(&StatusItemController::quit));
    quit.shortcut = "q";
    items.push_back(std::move(quit));
    if (advanced) {
        items.push_back(MenuEntry::separator(advancedSeparatorId));
        items.push_back(MenuEntry::submenu(advancedId, "Advanced", std::move(diagnostics)));
    }
    return menu;
}

std::string StatusMenu::brightnessLabel(double shownLevel) const
{
    if (showCompensationDebug()) {
        const CompensationLoop &loop = m_sources.loop;
        return "B: " + menuText::percentNumber(loop.currentBrightness()) + "% " + kBullet +
               " L: " + menuText::fixed(loop.filteredLuminance(), 2) + " " + kBullet +
               " R: " + menuText::fixed(loop.targetRatio(), 2);
    }
    return "Brightness: " + menuText::percentNumber(shownLevel) + "%";
}

std::string StatusMenu::volumeLabel(VolumeControl &volume)
{
    if (volume.isMuted()) {
        return "Volume: muted";
    }
    return "Volume: " + menuText::percentNumber(volume.get()) + "%";
}

MenuEntry StatusMenu::calibrationSubmenu() const
{
    StatusItemController *actions = &m_actions;
    CompensationLoop *loop = &m_sources.loop;
    const CalibrationModel &calibration = m_sources.calibration;
    const DailyStats &dailyStats = m_sources.dailyStats;
    MenuEntry menu;
    menu.id = calibrationId;
    menu.kind = MenuEntry::Kind::submenu;
    auto &items = menu.children;

    const std::size_t n = calibration.situationCount();
    items.push_back(MenuEntry::status(situationCountId,
                                      std::to_string(n) + " content situation" + (n == 1 ? "" : "s") + " learned"));
    items.push_back(MenuEntry::status(
        lastSevenDaysId, "Last 7 days: " + menuText::fixed(dailyStats.rollingAverage(7), 1) + " adj/day (baseline " +
                             menuText::fixed(dailyStats.baselineAverage(), 1) + ")"));
    items.push_back(MenuEntry::status(todayId, "Today: " + std::to_string(dailyStats.todayCount()) + " " + kBullet +
                                                   " days tracked: " + std::to_string(dailyStats.daysRecorded())));
    const auto top = calibration.topSituations(5);
    if (!top.empty()) {
        items.push_back(MenuEntry::separator(topSeparatorId));
        items.push_back(MenuEntry::status(topHeadingId, "Top learned situations:"));
        int id = topFirstSituationId;
        for (const auto &[bucket, entry] : top) {
            items.push_back(MenuEntry::status(id++, "  " + situationLabel(bucket, entry)));
        }
    }
    items.push_back(MenuEntry::separator(resetSeparatorId));
    items.push_back(MenuEntry::check(
        rememberBrightnessId, "Remember Brightness per Situation", loop->remembersBrightnessPerSituation(),
        [loop] { loop->setRemembersBrightnessPerSituation(!loop->remembersBrightnessPerSituation()); }));
    items.push_back(
        MenuEntry::item(resetAllCalibrationId, "Reset all calibration", [actions] { actions->resetAllCalibration(); }));
    items.push_back(MenuEntry::item(resetEverythingId, "Reset everything", [actions] { actions->resetEverything(); }));
    return menu;
}

std::string StatusMenu::situationLabel(const SituationBucket &bucket, const CalibrationEntry &entry)
{
    // Rounded before the sign is chosen, so that a tiny negative offset reads +0.00, not -0.00.
    const double offset = std::round(entry.offset * 100.0) / 100.0 + 0.0;
    return "dark " + menuText::binWord(bucket.darkBin) + " / bright " + menuText::binWord(bucket.brightBin) +
           " / mean " + menuText::binWord(bucket.meanBin) + ", " + menuText::timeOfDayWord(bucket.timeOfDayBin) + ": " +
           (offset >= 0 ? "+" : "") + menuText::fixed(offset, 2) + " (" +
           std::to_string(entry.sampleCount) + ")";
}

} // namespace lumvex
