// SPDX-License-Identifier: MIT
#pragma once

#include "MenuModel.h"

#include <optional>
#include <string>
#include <vector>

namespace lumvex {

class CalibrationModel;
class CompensationLoop;
class DailyStats;
class Defaults;
class LoginItemControl;
class RecordingSwitch;
class StatusItemController;
class VolumeControl;
struct CalibrationEntry;
struct SituationBucket;

// The status menu with its calibration and pause submenus, built afresh for every showing from the
// components' state. Its entries' actions are the controller's.
class StatusMenu
{
public:
    enum class Origin { brightness, volume };

    // Menu entry ids, stable per role, so that a click reaches the right action after a rebuild.
    enum EntryId : int {
        rootId = 0,
        captureProblemId = 1,
        brightnessLineId,
        volumeLineId,
        muteId,
        statusSeparatorId,
        autoAdjustId,
        debugId,
        calibrationId,
        recordingSeparatorId,
        recordId,
        revealId,
        styleSeparatorId,
        iconStyleId,
        updatesSeparatorId,
        checkForUpdatesId,
        loginItemId,
        quitId,
        // Calibration submenu.
        situationCountId = 100,
        lastSevenDaysId,
        todayId,
        topSeparatorId,
        topHeadingId,
        topFirstSituationId, // ... + 4
        resetSeparatorId = 120,
        resetAllCalibrationId,
        resetEverythingId,
        rememberBrightnessId,
        adjustExternalDisplaysId,
        // Pause submenu, or the resume entry in its place while paused.
        pauseId = 130,
        pauseQuarterHourId,
        pauseHourId,
        pauseUntilResumedId,
        resumeId,
        // Icon Style submenu: + the style's index in iconStyle::allCases.
        iconStyleFirstId = 140,
        // Where the Option key cannot be read, its entries sit in a submenu at the end.
        advancedSeparatorId = 160,
        advancedId,
        brightnessProblemId = 170,
        linkDisplaysId = 180,
        // A line per linked monitor: + its place in the list.
        displayFirstId = 190,
    };

    struct Sources
    {
        VolumeControl &volume;
        CompensationLoop &loop;
        CalibrationModel &calibration;
        DailyStats &dailyStats;
        RecordingSwitch &recorder;
        LoginItemControl &loginItem;
        Defaults &defaults;
    };

    // What the menu shows beyond the components' state.
    struct Moment
    {
        double brightness = 1.0; // what the brightness item shows
        bool optionKey = false;
        // False where the Option key cannot be read: its entries go to "Advanced".
        bool optionKeyReadable = true;
        std::optional<std::string> captureProblem;
        // Why the built-in panel did not take the last level; until a write succeeds.
        std::optional<std::string> brightnessProblem;
        // Whether Link Displays is on; nothing where external displays cannot be driven at all.
        std::optional<bool> linkDisplays;
        struct Display
        {
            std::string connector;
            std::string monitor;
            std::optional<double> level;
            bool answers = true;
        };
        // The linked monitors, each shown with its level or as not answering.
        std::vector<Display> displays;
    };

    // The actions call into `actions`, which owns this menu and the items that hold its entries.
    StatusMenu(StatusItemController &actions, const Sources &sources);

    MenuEntry build(Origin origin, const Moment &moment) const;
    std::string brightnessLabel(double shownLevel) const;
    static std::string volumeLabel(VolumeControl &volume);
    MenuEntry calibrationSubmenu() const;
    // While automatic adjustment is on: "Pause" with its durations, or "Resume" while paused.
    MenuEntry pauseEntry() const;
    static std::string situationLabel(const SituationBucket &bucket, const CalibrationEntry &entry);

private:
    bool showCompensationDebug() const;

    StatusItemController &m_actions;
    Sources m_sources;
};

} // namespace lumvex
