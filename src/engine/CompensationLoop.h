// SPDX-License-Identifier: MIT
#pragma once

#include "AdjustmentSource.h"
#include "ControlLaw.h"
#include "LoopInputs.h"
#include "base/Timestamp.h"
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
    // A device level further than this from the one the loop last wrote or took was set by someone else.
    static constexpr double kOwnLevelTolerance = 0.001;
    // Someone else's level that nobody reports as a change within this long is taken as the current one.
    static constexpr double kOutsideLevelAdoptSeconds = 1.0;
    // The user's choice stands while its situation holds and the working luminance stays this close to
    // its value at the choice.
    static constexpr double kChoiceLuminanceMargin = 0.02;
    // How fast the part of the last choice that learning did not take in fades once the screen moved on.
    static constexpr double kUnlearnedFadeSeconds = 120.0;

    struct Collaborators
    {
        BrightnessController &brightness;
        CalibrationModel &calibration;
        DailyStats &dailyStats;
        AdjustmentLogger &logger;
        const Clock &clock;
        Defaults &defaults;
        AmbientLevelProvider &ambient;
        ContentSignatureProvider &content;
        MainDisplayProvider &mainDisplay;
    };

    // How a jump of the content's level is followed: at fast-track pace, or within the band at normal
    // pace, for a display whose writes are rationed (a monitor over DDC/CI).
    enum class ContentJumps { fastTrack, band };

    // Reads "autoAdjustEnabled" (absent: off) and the current brightness.
    explicit CompensationLoop(const Collaborators &collaborators, ContentJumps jumps = ContentJumps::fastTrack);

    std::function<void(bool)> onEnabledChange;

    void onLuminanceUpdate(double L_slow, double L_fast);
    void onManualChange(double B_after, AdjustmentSource source);
    // Learns the manual change that waited for a capture, against what the signature provider has now.
    void signatureArrived();
    // Forgets the baseline; the next update captures a new one.
    void resetTarget();
    // Takes a brightness the user did not choose (the desktop dimming an idle screen, a restore after
    // wake) as the current value, so the loop neither fights it nor learns from it.
    void acceptBrightness(double B);
    // While paused (the session is idle, locked or settling after it) nothing is written; updates are
    // still tracked. Resuming starts from the level the device holds then.
    void setPaused(bool paused);
    bool paused() const { return m_paused; }

    bool enabled() const { return m_enabled; }
    // Persists the choice; switching on re-reads the brightness and captures a new baseline.
    void setEnabled(bool enabled);

    // With it on, each manual change also teaches the calibration model the brightness chosen in its
    // situation, and the band is centred on that remembered brightness where the situation has one
    // instead of on the last manual level. Persisted; off unless set.
    bool remembersBrightnessPerSituation() const { return m_rememberPerSituation; }
    void setRemembersBrightnessPerSituation(bool remember);

    double targetRatio() const { return m_R_target; }
    double filteredLuminance() const { return m_L_filtered; }
    double currentBrightness() const { return m_B_current; }
    double manualBrightness() const { return m_B_manual; }
    // The level the loop itself wrote last, while it is still the current one: nothing once a manual change
    // or someone else's level took its place.
    std::optional<double> lastOwnWrite() const { return m_lastOwnWrite; }

    // A pause the user asked for: no automatic writes for that many seconds, or until resumed when none
    // are given; manual changes are still learned. It ends by itself, and with resume or any switch of the
    // enable state.
    struct UserPause
    {
        std::optional<Timestamp> until;
    };
    void pauseAutomatic(std::optional<double> seconds);
    void resumeAutomatic() { m_userPause.reset(); }
    // Nothing when not paused or once the pause has run out.
    std::optional<UserPause> userPause() const;
    // The situation the loop would learn in now, when the content signature is known.
    std::optional<SituationBucket> currentSituation() const { return situation(ambientLevel()); }

private:
    bool inWindow(const std::optional<double> &until, double now) const;
    double factor(std::optional<double> ambient) const;
    std::optional<double> ambientLevel() const;
    std::optional<SituationBucket> situation(std::optional<double> ambient) const;
    // With brightness remembered per situation: how much of the compensation for luminance L the user
    // wants, as a factor on the brightness full compensation asks for (1 at mid-grey, and always 1 otherwise).
    double contentScale(double L) const;
    double shownLuminance() const;
    // Learns the user's compensation strength from a choice against their last one in the same light.
    void learnStrength(double B_after, double Lm, std::optional<double> ambient,
                       const std::optional<SituationBucket> &here);
    // Keeps `level` as the one the user last settled on, in this light.
    void settle(double level, std::optional<double> ambient, const std::optional<SituationBucket> &here);
    // Where the band is centred: the last manual level, or what is remembered for the situation.
    // Where the band sits: `where` is the smoothed situation, `latest` the newest sample's.
    double bandCentre(const std::optional<SituationBucket> &where, const std::optional<SituationBucket> &latest) const;
    std::optional<SituationBucket> latestSituation(std::optional<double> ambient) const;
    void learnManualChange(double B_before, double B_after, AdjustmentSource source);
    bool choiceHolds(const std::optional<SituationBucket> &here, double L_slow) const;
    double unlearnedPart(const std::optional<SituationBucket> &here, double now) const;
    bool deviceHoldsOwnLevel(double now);
    void write(double now, FastTrackMode mode, double next, double L, double R,
               const std::optional<SituationBucket> &where, double offset);
    void logAutomaticWrite(FastTrackMode mode, double B_before, double B_after, double L, double R,
                           const std::optional<SituationBucket> &situation, double offset);

    BrightnessController &m_brightness;
    CalibrationModel &m_calibration;
    DailyStats &m_dailyStats;
    AdjustmentLogger &m_logger;
    const Clock &m_clock;
    Defaults &m_defaults;
    AmbientLevelProvider &m_ambient;
    ContentSignatureProvider &m_content;
    MainDisplayProvider &m_mainDisplay;
    const ContentJumps m_jumps;

    bool m_enabled = false;
    bool m_rememberPerSituation = false;
    bool m_paused = false;
    double m_R_target = kInitialTarget;
    double m_L_filtered = 0.5;
    double m_B_current = 0.5;
    double m_B_manual = 0.5;
    // The situation on screen when the user last chose a level.
    std::optional<SituationBucket> m_manualSituation;
    // The user's last choice as the loop works from it: where it was made, at which working luminance, and
    // the part of it (in ratio) that learning did not take in, so that leaving its situation compensates
    // the content's changes from the chosen level rather than from the learned one.
    struct Choice
    {
        double level;
        SituationBucket situation;
        double luminance;
        double unlearned;
        double at; // monotonic seconds
    };
    std::optional<Choice> m_choice;
    // The level the user last settled on, for learning the compensation strength: their last choice, or the
    // level they had when the loop started.
    struct Settled
    {
        double level;
        SituationBucket situation;
        double luminance; // the newest sample's
        double factor;    // of ambient light or the time of day
    };
    std::optional<Settled> m_settled;
    std::optional<double> m_lastOwnWrite;
    // Windows on the monotonic clock.
    std::optional<double> m_manualOverrideUntil;
    bool m_freshStart = true;
    std::optional<double> m_ambientAnchor;
    std::optional<double> m_fastTrackUntil;
    // Since when the device has held a level the loop did not write.
    std::optional<double> m_outsideLevelSince;
    struct PendingChange
    {
        double B_before;
        double B_after;
        AdjustmentSource source;
    };
    std::optional<PendingChange> m_pendingChange;
    double m_lastL_fast = 0.5;
    // Brightness of the last logged row (or baseline), the reference of the automatic log rule.
    double m_lastLoggedBrightness = 0.5;
    // Timed on the monotonic clock, so that setting the wall clock neither stretches nor cuts it short.
    struct PauseWindow
    {
        std::optional<double> endsAt;
        Timestamp wallEnd;
    };
    std::optional<PauseWindow> m_userPause;
};

} // namespace lumvex
