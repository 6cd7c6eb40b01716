// SPDX-License-Identifier: MIT
#pragma once

#include "AdjustmentSource.h"
#include "LoopInputs.h"
#include "sensing/DisplayId.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace lumvex {

class AdjustmentLogger;
class Clock;
class CompensationLoop;
class DailyStats;
class Defaults;
class DisplayServices;
class ExternalBrightness;

// The compensation loop for an external main display reached over DDC/CI (lid closed, or the built-in
// panel off), when "adjustExternalDisplays" is on: each monitor gets a loop of its own, with its own learned
// table (folder/monitors/<monitor>/) and its writes rationed (RationedBrightness); content jumps stay within
// the band. The built-in panel's loop decides for all: on or off, paused, held by the user.
class ExternalDisplayLoop
{
public:
    struct Collaborators
    {
        ExternalBrightness &external;
        DisplayServices &displays;
        const CompensationLoop &builtIn;
        DailyStats &dailyStats;
        AdjustmentLogger &logger;
        const Clock &clock;
        Defaults &defaults;
        AmbientLevelProvider &ambient;
        ContentSignatureProvider &content;
        std::filesystem::path folder;
        // Who the monitor is (its EDID), so that it finds its table on another connector; else its connector.
        std::function<std::string(DisplayId)> monitorKey = {};
    };

    explicit ExternalDisplayLoop(const Collaborators &collaborators);
    ~ExternalDisplayLoop();
    ExternalDisplayLoop(const ExternalDisplayLoop &) = delete;
    ExternalDisplayLoop &operator=(const ExternalDisplayLoop &) = delete;

    // Follows the main display and writes what the ration held back; the shell's poll calls it.
    void tick();
    void onLuminanceUpdate(double L_slow, double L_fast);
    // A level the user chose on a monitor; learned when that monitor is the one driven.
    void onManualChange(DisplayId display, double level, AdjustmentSource source);
    void signatureArrived();
    // Forgets what every monitor learned, those not seen since the start too; `everything` also forgets
    // the driving loop's baseline.
    void resetCalibration(bool everything);

    // The loop driving the main display now, if any.
    const CompensationLoop *active() const;
    // The driven monitor's name while it takes no more automatic writes today, for the menu to say so.
    std::optional<std::string> monitorOutOfWrites() const;

private:
    struct Monitor;

    const Collaborators m_c;
    std::map<std::string, std::unique_ptr<Monitor>> m_monitors; // by monitor, so re-docking finds its table
    Monitor *m_active = nullptr;
};

} // namespace lumvex
