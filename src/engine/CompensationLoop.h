#pragma once

#include "ControlLaw.h"
#include "Timestamp.h"
#include "sensing/ContentSignature.h"

#include <functional>
#include <optional>
#include <string>

namespace lumvex {

class AdjustmentLogger;
class BrightnessController;
class CalibrationModel;
class Clock;
class DailyStats;
class Defaults;

// Keeps brightness x content luminance steady: on each luminance update it moves the built-in display
// towards the brightness that restores the target ratio, corrected by the learned offset of the current
// situation and by ambient light or the time of day, within a band around the user's last choice. Every
// manual change moves the target and teaches the calibration model.
class CompensationLoop
{
public:
    static constexpr double kBaselineBlend = 0.6;
    static constexpr double kInitialTarget = 0.3;
    static constexpr double kManualHoldSeconds = 3.0;
    static constexpr double kFastTrackSeconds = 0.5;
    // Automatic writes enter the log when they moved brightness this far since the last logged row.
    static constexpr double kAutoLogDistance = 0.02;

    struct Collaborators
    {
        BrightnessController &brightness;
        CalibrationModel &calibration;
        DailyStats &dailyStats;
        AdjustmentLogger &logger;
        const Clock &clock;
        Defaults &defaults;
    };

    // Reads "autoAdjustEnabled" (absent: off) and the current brightness.
    explicit CompensationLoop(const Collaborators &collaborators);

    // The current ambient level 0...1, when a sensor reading exists.
    std::function<std::optional<double>()> ambientProvider;
    // The current smoothed content signature, when the sampler has one.
    std::function<std::optional<ContentSignature>()> signatureProvider;
    // Whether the main display is the built-in one; unset means it is.
    std::function<bool()> mainDisplayIsBuiltIn;
    std::function<void(bool)> onEnabledChange;

    void onLuminanceUpdate(double L_slow, double L_fast);
    void onManualChange(double B_after, const std::string &source);
    // Forgets the baseline; the next update captures a new one.
    void resetTarget();
    // Takes a brightness the user did not choose (the desktop dimming an idle screen, a restore after
    // wake) as the current value, so the loop neither fights it nor learns from it.
    void acceptBrightness(double B);
    // While paused (the session is idle or locked) nothing is written; updates are still tracked.
    void setPaused(bool paused) { m_paused = paused; }
    bool paused() const { return m_paused; }

    bool enabled() const { return m_enabled; }
    // Persists the choice; switching on re-reads the brightness and captures a new baseline.
    void setEnabled(bool enabled);

    // With it on, each manual change also teaches the calibration model the brightness chosen in its
    // situation, and the band is centred on that remembered brightness where the situation has one
    // instead of on the last manual level. Persisted; off unless set.
    bool remembersBrightnessPerSituation() const { return m_rememberPerSituation; }
    void setRemembersBrightnessPerSituation(bool remember);

    double R_target() const { return m_R_target; }
    double L_filtered() const { return m_L_filtered; }
    double B_current() const { return m_B_current; }
    double B_manual() const { return m_B_manual; }

private:
    bool inWindow(const std::optional<Timestamp> &until, Timestamp now) const;
    double factor(std::optional<double> ambient) const;
    std::optional<double> ambientLevel() const;
    std::optional<SituationBucket> situation(std::optional<double> ambient) const;
    void logAutomaticWrite(FastTrackMode mode, double B_before, double B_after, double L, double R,
                           const std::optional<SituationBucket> &situation, double offset);

    BrightnessController &m_brightness;
    CalibrationModel &m_calibration;
    DailyStats &m_dailyStats;
    AdjustmentLogger &m_logger;
    const Clock &m_clock;
    Defaults &m_defaults;

    bool m_enabled = false;
    bool m_rememberPerSituation = false;
    bool m_paused = false;
    double m_R_target = kInitialTarget;
    double m_L_filtered = 0.5;
    double m_B_current = 0.5;
    double m_B_manual = 0.5;
    std::optional<Timestamp> m_manualOverrideUntil;
    bool m_freshStart = true;
    std::optional<double> m_ambientAnchor;
    std::optional<Timestamp> m_fastTrackUntil;
    double m_lastL_fast = 0.5;
    // Brightness of the last logged row (or baseline), the reference of the automatic log rule.
    double m_lastLoggedBrightness = 0.5;
};

} // namespace lumvex
