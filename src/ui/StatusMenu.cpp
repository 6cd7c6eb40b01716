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

#include <QCoreApplication>

#include <cmath>
#include <iterator>

namespace lumvex {

namespace {

const char *const kBullet = "\u2022";

// A menu text in the user's language, its %1, %2... filled in. Texts are marked for the catalogues
// where they are written, in the context "StatusMenu".
template<typename... Args>
std::string localized(const char *text, const Args &...args)
{
    QString result = QCoreApplication::translate("StatusMenu", text);
    ((result = result.arg(QString::fromStdString(args))), ...);
    return result.toStdString();
}

std::string percent(double level)
{
    return menuText::localNumber(std::llround(level * 100.0));
}

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
    std::vector<MenuEntry> displayLines;
    for (std::size_t i = 0; i < moment.displays.size(); ++i) {
        const Moment::Display &display = moment.displays[i];
        const std::string name =
            display.monitor.empty() ? display.connector : display.connector + " (" + display.monitor + ")";
        const std::string label =
            !display.answers ? localized(QT_TRANSLATE_NOOP("StatusMenu", "%1 does not answer"), name)
            : display.level  ? localized(QT_TRANSLATE_NOOP("StatusMenu", "%1: %2%"), name, percent(*display.level))
                             : localized(QT_TRANSLATE_NOOP("StatusMenu", "%1: reading\u2026"), name);
        displayLines.push_back(MenuEntry::status(displayFirstId + static_cast<int>(i), label));
    }
    if (origin == Origin::volume) {
        items.push_back(volumeLine);
        items.push_back(brightnessLine);
        std::move(displayLines.begin(), displayLines.end(), std::back_inserter(items));
    } else {
        items.push_back(brightnessLine);
        std::move(displayLines.begin(), displayLines.end(), std::back_inserter(items));
        items.push_back(volumeLine);
    }
    items.push_back(MenuEntry::item(muteId,
                                    volume.isMuted() ? localized(QT_TRANSLATE_NOOP("StatusMenu", "Unmute"))
                                                     : localized(QT_TRANSLATE_NOOP("StatusMenu", "Mute")),
                                    act(&StatusItemController::toggleMute)));
    items.push_back(MenuEntry::separator(statusSeparatorId));

    MenuEntry autoAdjust =
        MenuEntry::check(autoAdjustId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Automatic Brightness")),
                         m_sources.loop.enabled(), act(&StatusItemController::toggleAuto));
    autoAdjust.toolTip =
        localized(QT_TRANSLATE_NOOP("StatusMenu", "Auto-brightness \u2014 normalizes light across content"));
    items.push_back(std::move(autoAdjust));
    if (m_sources.loop.enabled()) {
        items.push_back(pauseEntry());
    }
    if (moment.linkDisplays) {
        items.push_back(MenuEntry::check(linkDisplaysId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Link Displays")),
                                         *moment.linkDisplays, act(&StatusItemController::toggleLinkDisplays)));
    }

    // The Option key's entries: here when it is held, in "Advanced" at the end where it cannot be read.
    const bool advanced = !moment.optionKeyReadable;
    std::vector<MenuEntry> diagnostics;
    if (moment.optionKey || advanced) {
        diagnostics.push_back(MenuEntry::check(debugId,
                                               localized(QT_TRANSLATE_NOOP("StatusMenu", "Show Compensation Debug")),
                                               showCompensationDebug(), act(&StatusItemController::toggleDebug)));
        diagnostics.push_back(MenuEntry::submenu(calibrationId,
                                                 localized(QT_TRANSLATE_NOOP("StatusMenu", "Calibration\u2026")),
                                                 calibrationSubmenu().children));
        diagnostics.push_back(MenuEntry::separator(recordingSeparatorId));
        diagnostics.push_back(
            MenuEntry::check(recordId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Record Brightness Data")),
                             m_sources.recorder.isRecording(), act(&StatusItemController::toggleRecording)));
        diagnostics.push_back(MenuEntry::item(revealId,
                                              localized(QT_TRANSLATE_NOOP("StatusMenu", "Reveal Data in File Manager")),
                                              act(&StatusItemController::revealData)));
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
    items.push_back(
        MenuEntry::submenu(iconStyleId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Icon Style")), std::move(styles)));
    items.push_back(MenuEntry::separator(updatesSeparatorId));
    items.push_back(MenuEntry::item(checkForUpdatesId,
                                    localized(QT_TRANSLATE_NOOP("StatusMenu", "Check for Updates\u2026")),
                                    act(&StatusItemController::checkForUpdates)));
    items.push_back(MenuEntry::check(loginItemId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Start at Login")),
                                     m_sources.loginItem.isEnabled(), act(&StatusItemController::toggleLoginItem)));
    MenuEntry quit = MenuEntry::item(quitId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Quit Lumvex")),
                                     act(&StatusItemController::quit));
    quit.shortcut = "q";
    items.push_back(std::move(quit));
    if (advanced) {
        items.push_back(MenuEntry::separator(advancedSeparatorId));
        items.push_back(MenuEntry::submenu(advancedId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Advanced")),
                                           std::move(diagnostics)));
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
    return localized(QT_TRANSLATE_NOOP("StatusMenu", "Brightness: %1%"), percent(shownLevel));
}

std::string StatusMenu::volumeLabel(VolumeControl &volume)
{
    if (volume.isMuted()) {
        return localized(QT_TRANSLATE_NOOP("StatusMenu", "Volume: muted"));
    }
    return localized(QT_TRANSLATE_NOOP("StatusMenu", "Volume: %1%"), percent(volume.get()));
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

    const int n = static_cast<int>(calibration.situationCount());
    items.push_back(MenuEntry::status(
        situationCountId,
        QCoreApplication::translate("StatusMenu", "%n content situation(s) learned", "", n).toStdString()));
    items.push_back(MenuEntry::status(
        lastSevenDaysId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Last 7 days: %1 adj/day (baseline %2)"),
                                   menuText::localFixed(dailyStats.rollingAverage(7), 1),
                                   menuText::localFixed(dailyStats.baselineAverage(), 1))));
    items.push_back(
        MenuEntry::status(todayId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Today: %1 \u2022 days tracked: %2"),
                                             menuText::localNumber(dailyStats.todayCount()),
                                             menuText::localNumber(dailyStats.daysRecorded()))));
    const auto top = calibration.topSituations(5);
    if (!top.empty()) {
        items.push_back(MenuEntry::separator(topSeparatorId));
        items.push_back(
            MenuEntry::status(topHeadingId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Top learned situations:"))));
        int id = topFirstSituationId;
        for (const auto &[bucket, entry] : top) {
            items.push_back(MenuEntry::status(id++, "  " + situationLabel(bucket, entry)));
        }
    }
    items.push_back(MenuEntry::separator(resetSeparatorId));
    items.push_back(MenuEntry::check(
        rememberBrightnessId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Remember Brightness per Situation")),
        loop->remembersBrightnessPerSituation(),
        [loop] { loop->setRemembersBrightnessPerSituation(!loop->remembersBrightnessPerSituation()); }));
    Defaults *defaults = &m_sources.defaults;
    items.push_back(MenuEntry::check(adjustExternalDisplaysId,
                                     localized(QT_TRANSLATE_NOOP("StatusMenu", "Adjust External Displays")),
                                     settings::value(*defaults, settings::adjustExternalDisplays), [defaults] {
                                         settings::set(*defaults, settings::adjustExternalDisplays,
                                                       !settings::value(*defaults, settings::adjustExternalDisplays));
                                     }));
    items.push_back(MenuEntry::item(resetAllCalibrationId,
                                    localized(QT_TRANSLATE_NOOP("StatusMenu", "Reset all calibration")),
                                    [actions] { actions->resetAllCalibration(); }));
    items.push_back(MenuEntry::item(resetEverythingId, localized(QT_TRANSLATE_NOOP("StatusMenu", "Reset everything")),
                                    [actions] { actions->resetEverything(); }));
    return menu;
}

std::string StatusMenu::situationLabel(const SituationBucket &bucket, const CalibrationEntry &entry)
{
    // Rounded before the sign is chosen, so that a tiny negative offset reads +0.00, not -0.00.
    const double offset = std::round(entry.offset * 100.0) / 100.0 + 0.0;
    return localized(QT_TRANSLATE_NOOP("StatusMenu", "dark %1 / bright %2 / mean %3, %4: %5 (%6)"),
                     menuText::binWord(bucket.darkBin), menuText::binWord(bucket.brightBin),
                     menuText::binWord(bucket.meanBin), menuText::timeOfDayWord(bucket.timeOfDayBin),
                     (offset >= 0 ? "+" : "") + menuText::localFixed(offset, 2),
                     menuText::localNumber(entry.sampleCount));
}

} // namespace lumvex
