// The status menu and the calibration submenu, built afresh for every showing.
#include "StatusItemController.h"

#include "IconStyle.h"
#include "MenuText.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "engine/Defaults.h"
#include "output/VolumeControl.h"
#include "system/LoginItemControl.h"
#include "telemetry/RecordingSwitch.h"

#include <QPointer>

#include <iterator>

namespace lumvex {

namespace {

const char *const kBullet = "\u2022";
const char *const kEllipsis = "\u2026";

} // namespace

MenuEntry StatusItemController::buildMenu(MenuOrigin origin)
{
    return buildMenu(origin, optionKeyDown());
}

MenuEntry StatusItemController::buildMenu(MenuOrigin origin, bool optionKey)
{
    const QPointer<StatusItemController> self(this);
    // Actions hold the controller weakly: a host may click an entry of a menu built long ago.
    auto act = [self](void (StatusItemController::*method)()) {
        return [self, method] {
            if (self) {
                (self.data()->*method)();
            }
        };
    };

    MenuEntry menu;
    menu.id = rootId;
    menu.kind = MenuEntry::Kind::submenu;
    auto &items = menu.children;

    if (captureProblemProvider) {
        const std::optional<std::string> problem = captureProblemProvider();
        if (problem && !problem->empty()) {
            items.push_back(MenuEntry::status(captureProblemId, *problem));
        }
    }
    const MenuEntry brightnessLine = MenuEntry::status(brightnessLineId, brightnessLabel());
    if (origin == MenuOrigin::volume && m_volume != nullptr) {
        items.push_back(MenuEntry::status(volumeLineId, volumeLabel(*m_volume)));
        items.push_back(brightnessLine);
    } else {
        items.push_back(brightnessLine);
        if (m_volume != nullptr) {
            items.push_back(MenuEntry::status(volumeLineId, volumeLabel(*m_volume)));
        }
    }
    if (m_volume != nullptr) {
        items.push_back(
            MenuEntry::item(muteId, m_volume->isMuted() ? "Unmute" : "Mute", act(&StatusItemController::toggleMute)));
    }
    items.push_back(MenuEntry::separator(statusSeparatorId));

    MenuEntry autoAdjust =
        MenuEntry::check(autoAdjustId, "Automatic Brightness", m_loop != nullptr && m_loop->enabled(),
                         act(&StatusItemController::toggleAuto));
    autoAdjust.toolTip = "Auto-brightness \u2014 normalizes light across content";
    items.push_back(std::move(autoAdjust));
    if (m_loop != nullptr && m_loop->enabled()) {
        items.push_back(buildPauseEntry());
    }

    // The Option key's entries: here when it is held, in "Advanced" at the end where it cannot be read.
    const bool advanced = !optionKeyReadable();
    std::vector<MenuEntry> diagnostics;
    if (optionKey || advanced) {
        diagnostics.push_back(MenuEntry::check(debugId, "Show Compensation Debug", showCompensationDebug(),
                                               act(&StatusItemController::toggleDebug)));
        diagnostics.push_back(MenuEntry::submenu(calibrationId, std::string("Calibration") + kEllipsis,
                                                 buildCalibrationSubmenu().children));
    }
    if ((optionKey || advanced) && m_recorder != nullptr) {
        diagnostics.push_back(MenuEntry::separator(recordingSeparatorId));
        diagnostics.push_back(MenuEntry::check(recordId, "Record Brightness Data", m_recorder->isRecording(),
                                               act(&StatusItemController::toggleRecording)));
        diagnostics.push_back(
            MenuEntry::item(revealId, "Reveal Data in File Manager", act(&StatusItemController::revealData)));
    }
    if (!advanced) {
        std::move(diagnostics.begin(), diagnostics.end(), std::back_inserter(items));
    }
    items.push_back(MenuEntry::separator(styleSeparatorId));

    std::vector<MenuEntry> styles;
    const IconStyle currentStyle = iconStyle::current(m_defaults);
    for (std::size_t i = 0; i < iconStyle::allCases.size(); ++i) {
        const IconStyle style = iconStyle::allCases[i];
        const std::string raw = iconStyle::rawValue(style);
        styles.push_back(MenuEntry::check(iconStyleFirstId + static_cast<int>(i), iconStyle::displayName(style),
                                          style == currentStyle, [self, raw] {
                                              if (self) {
                                                  self->setIconStyle(raw);
                                              }
                                          }));
    }
    items.push_back(MenuEntry::submenu(iconStyleId, "Icon Style", std::move(styles)));
    items.push_back(MenuEntry::separator(updatesSeparatorId));
    items.push_back(MenuEntry::item(checkForUpdatesId, std::string("Check for Updates") + kEllipsis,
                                    act(&StatusItemController::checkForUpdates)));
    if (m_loginItem != nullptr) {
        items.push_back(MenuEntry::check(loginItemId, "Start at Login", m_loginItem->isEnabled(),
                                         act(&StatusItemController::toggleLoginItem)));
    }
    MenuEntry quit = MenuEntry::item(quitId, "Quit Lumvex", [self] {
        if (self && self->onQuit) {
            self->onQuit();
        }
    });
    quit.shortcut = "q";
    items.push_back(std::move(quit));
    if (advanced) {
        items.push_back(MenuEntry::separator(advancedSeparatorId));
        items.push_back(MenuEntry::submenu(advancedId, "Advanced", std::move(diagnostics)));
    }
    return menu;
}

std::string StatusItemController::brightnessLabel() const
{
    if (showCompensationDebug() && m_loop != nullptr) {
        return "B: " + menuText::percentNumber(m_loop->currentBrightness()) + "% " + kBullet +
               " L: " + menuText::fixed(m_loop->filteredLuminance(), 2) + " " + kBullet +
               " R: " + menuText::fixed(m_loop->targetRatio(), 2);
    }
    return "Brightness: " + menuText::percentNumber(m_brightnessView.level()) + "%";
}

std::string StatusItemController::volumeLabel(VolumeControl &volume)
{
    if (volume.isMuted()) {
        return "Volume: muted";
    }
    return "Volume: " + menuText::percentNumber(volume.get()) + "%";
}

MenuEntry StatusItemController::buildCalibrationSubmenu() const
{
    const QPointer<StatusItemController> self(const_cast<StatusItemController *>(this));
    MenuEntry menu;
    menu.id = calibrationId;
    menu.kind = MenuEntry::Kind::submenu;
    auto &items = menu.children;

    const std::size_t n = m_calibration != nullptr ? m_calibration->situationCount() : 0;
    items.push_back(MenuEntry::status(situationCountId,
                                      std::to_string(n) + " content situation" + (n == 1 ? "" : "s") + " learned"));
    if (m_dailyStats != nullptr) {
        items.push_back(MenuEntry::status(
            lastSevenDaysId, "Last 7 days: " + menuText::fixed(m_dailyStats->rollingAverage(7), 1) +
                                 " adj/day (baseline " + menuText::fixed(m_dailyStats->baselineAverage(), 1) + ")"));
        items.push_back(
            MenuEntry::status(todayId, "Today: " + std::to_string(m_dailyStats->todayCount()) + " " + kBullet +
                                           " days tracked: " + std::to_string(m_dailyStats->daysRecorded())));
    }
    if (m_calibration != nullptr) {
        const auto top = m_calibration->topSituations(5);
        if (!top.empty()) {
            items.push_back(MenuEntry::separator(topSeparatorId));
            items.push_back(MenuEntry::status(topHeadingId, "Top learned situations:"));
            int id = topFirstSituationId;
            for (const auto &[bucket, entry] : top) {
                items.push_back(MenuEntry::status(id++, "  " + situationLabel(bucket, entry)));
            }
        }
    }
    items.push_back(MenuEntry::separator(resetSeparatorId));
    if (m_loop != nullptr) {
        items.push_back(MenuEntry::check(rememberBrightnessId, "Remember Brightness per Situation",
                                         m_loop->remembersBrightnessPerSituation(), [self] {
                                             if (self && self->m_loop != nullptr) {
                                                 self->m_loop->setRemembersBrightnessPerSituation(
                                                     !self->m_loop->remembersBrightnessPerSituation());
                                             }
                                         }));
    }
    items.push_back(MenuEntry::item(resetAllCalibrationId, "Reset all calibration", [self] {
        if (self) {
            self->resetAllCalibration();
        }
    }));
    items.push_back(MenuEntry::item(resetEverythingId, "Reset everything", [self] {
        if (self) {
            self->resetEverything();
        }
    }));
    return menu;
}

std::string StatusItemController::situationLabel(const SituationBucket &bucket, const CalibrationEntry &entry)
{
    return "dark " + menuText::binWord(bucket.darkBin) + " / bright " + menuText::binWord(bucket.brightBin) +
           " / mean " + menuText::binWord(bucket.meanBin) + ", " + menuText::timeOfDayWord(bucket.timeOfDayBin) + ": " +
           (entry.offset >= 0 ? "+" : "") + menuText::fixed(entry.offset, 2) + " (" +
           std::to_string(entry.sampleCount) + ")";
}

} // namespace lumvex
