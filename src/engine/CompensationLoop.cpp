// SPDX-License-Identifier: MIT
#include "CompensationLoop.h"

#include "AdjustmentLogger.h"
#include "CalibrationModel.h"
#include "DailyStats.h"
#include "Defaults.h"
#include "Settings.h"
#include "base/Clock.h"
#include "output/BrightnessController.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumvex {

namespace {

constexpr double kMinBrightness = 0.05;
constexpr double kDarkLuminance = 0.02;
constexpr double kDeadBand = 0.003;
constexpr double kFastTrackSpread = 0.15;
constexpr double kFastTrackSpeed = 0.3; // luminance per second
constexpr double kSamplePeriod = 0.1;
// With brightness remembered per situation: the share of the band taken away at full evidence.
constexpr double kSettledBandNarrowing = 0.5;
// The luminance at which the compensation strength changes nothing.
constexpr double kReferenceLuminance = 0.5;
// Two choices teach the strength only when the content's level moved by this factor between them: a notch
// is a coarse step, and closer levels would measure the notch rather than the user.
constexpr double kStrengthMinContentRatio = 1.2;

bool isFinite(const ContentSignature &s)
{
    return std::isfinite(s.pctDark) && std::isfinite(s.pctBright) && std::isfinite(s.mean);
}

} // namespace

CompensationLoop::CompensationLoop(const Collaborators &c, ContentJumps jumps)
    : m_brightness(c.brightness)
    , m_calibration(c.calibration)
    , m_dailyStats(c.dailyStats)
    , m_logger(c.logger)
    , m_clock(c.clock)
    , m_defaults(c.defaults)
    , m_ambient(c.ambient)
    , m_content(c.content)
    , m_mainDisplay(c.mainDisplay)
    , m_jumps(jumps)
    , m_enabled(settings::value(c.defaults, settings::autoAdjust))
    , m_rememberPerSituation(settings::value(c.defaults, settings::rememberBrightnessPerSituation))
{
    if (const std::optional<double> b = m_brightness.get()) {
        m_B_current = m_B_manual = m_lastLoggedBrightness = *b;
    }
}

bool CompensationLoop::inWindow(const std::optional<double> &until, double now) const
{
    return until && now < *until;
}

std::optional<double> CompensationLoop::ambientLevel() const
{
    // A sensor glitch (NaN, infinity) counts as no reading rather than reaching the factor or a bin.
    auto level = m_ambient.ambientLevel();
    if (level && !std::isfinite(*level)) {
        return std::nullopt;
    }
    return level;
}

double CompensationLoop::factor(std::optional<double> ambient) const
{
    return ambientOrClockFactor(ambient, m_ambientAnchor, m_clock.localNow().hour);
}

std::optional<SituationBucket> CompensationLoop::situation(std::optional<double> ambient) const
{
    const auto signature = m_content.smoothedSignature();
    if (!signature || !isFinite(*signature)) {
        return std::nullopt;
    }
    return situationOf(*signature, ambient, m_clock.localNow().hour);
}

void CompensationLoop::onLuminanceUpdate(double L_slow, double L_fast)
{
    if (!std::isfinite(L_slow) || !std::isfinite(L_fast)) {
        return; // no reading this time
    }
    const double now = m_clock.monotonicSeconds();

    const double previousL_fast = m_lastL_fast;
    m_lastL_fast = L_fast;
    if (m_jumps == ContentJumps::fastTrack && std::abs(L_fast - L_slow) > kFastTrackSpread &&
        std::abs(L_fast - previousL_fast) / kSamplePeriod > kFastTrackSpeed) {
        m_fastTrackUntil = now + kFastTrackSeconds;
    }
    const FastTrackMode mode = inWindow(m_fastTrackUntil, now) ? FastTrackMode::fast : FastTrackMode::normal;

    if (m_freshStart) {
        m_L_filtered = L_slow;
        const std::optional<double> b = m_brightness.get();
        if (!b) {
            return; // the baseline waits for a reading
        }
        m_B_current = m_B_manual = m_lastLoggedBrightness = *b;
        m_R_target = std::max(L_slow, 0.1) * *b / contentScale(std::max(L_slow, 0.1));
        m_ambientAnchor = ambientLevel();
        m_freshStart = false;
        settle(*b, m_ambientAnchor, situation(m_ambientAnchor));
        return;
    }
    m_L_filtered = L_slow;

    if (!m_enabled || m_paused || inWindow(m_manualOverrideUntil, now) || !m_mainDisplay.mainDisplayIsBuiltIn()) {
        return;
    }
    const double L = mode == FastTrackMode::fast ? L_fast : L_slow;
    if (L <= kDarkLuminance) {
        return; // a practically black screen gives no usable target
    }
    if (userPause()) {
        return;
    }

    const std::optional<double> ambient = ambientLevel();
    ModeParameters p = parametersFor(mode);
    const std::optional<SituationBucket> where = situation(ambient);
    const double offset = where ? m_calibration.offset(*where) : 0.0;
    const std::optional<SituationBucket> onScreen = m_choice ? latestSituation(ambient) : std::nullopt;
    const double R = offset + m_R_target * factor(ambient) + unlearnedPart(onScreen ? onScreen : where, now);
    if (choiceHolds(onScreen ? onScreen : where, L_slow)) {
        // Nothing has changed since the user chose this level: it stands as chosen.
        const double gap = m_choice->level - m_B_current;
        const double next = std::abs(gap) <= kDeadBand
                                ? m_choice->level
                                : m_B_current + std::clamp(p.gain * gap, -p.largestStep, p.largestStep);
        if (next != m_B_current) {
            write(now, mode, next, L, R, where, offset);
        }
        return;
    }
    double B_desired = R / L * contentScale(L);
    // The smoothed signature still describes the old screen for about a second after a change.
    const std::optional<SituationBucket> latest =
        m_rememberPerSituation ? latestSituation(ambient) : std::optional<SituationBucket>();
    if (m_rememberPerSituation && where) {
        // The record averages the user's choices, and single ones overshoot either way where one notch is a
        // large step of light, near the bottom of the range. It sets the aim, except as far as the choices
        // have followed the content's level.
        B_desired = m_calibration.aim(latest ? *latest : *where, B_desired);
    }

    const double centre = bandCentre(where, latest);
    // Entering a situation whose level is known (remembered, or where the user last chose) far from here:
    // normal steps would take longer than the user waits, so the way into its band goes at fast-track pace.
    // After a fast-track swing into a situation nothing is known of, the band walks back at normal pace, as
    // without the setting: hurried, it undoes swings that users who follow the content let stand.
    const std::optional<SituationBucket> here = latest ? latest : where;
    const bool known = here && (here == m_manualSituation || m_calibration.brightnessEvidence(*here) > 0.0 ||
                                (where && m_calibration.brightnessEvidence(*where) > 0.0));
    if (m_rememberPerSituation && known && std::abs(m_B_current - centre) > p.bandHalfWidth) {
        const ModeParameters fast = parametersFor(FastTrackMode::fast);
        p.gain = std::max(p.gain, fast.gain);
        p.largestStep = std::max(p.largestStep, fast.largestStep);
    }
    // A record the user has confirmed often says more than the content's level: the band narrows around it,
    // so someone who wants the same brightness whatever the content is not walked away from it. Where their
    // choices follow the content's level instead, the band keeps the room to follow it too.
    const double halfWidth =
        m_rememberPerSituation && where
            ? p.bandHalfWidth * (1.0 - kSettledBandNarrowing * m_calibration.brightnessEvidence(*where) *
                                           (1.0 - m_calibration.contentFollowing(*where)))
            : p.bandHalfWidth;
    const double lower = std::max(centre - halfWidth, kMinBrightness);
    const double upper = std::min(centre + halfWidth, 1.0);
    const double B_clamped = std::max(lower, std::min(B_desired, upper));
    double B_next = m_B_current + p.gain * (B_clamped - m_B_current);
    // The dead band would stop just short of the top, where a user who remembered it wants every bit:
    // they would scroll the last few thousandths themselves each time.
    const bool lastStepToTop =
        m_rememberPerSituation && B_clamped >= 1.0 && m_B_current < 1.0 && 1.0 - B_next <= kDeadBand;
    B_next = B_next >= 1.0 || lastStepToTop ? 1.0 : std::max(B_next, kMinBrightness);
    const double step = std::clamp(B_next - m_B_current, -p.largestStep, p.largestStep);
    const double next = m_B_current + step;
    if (std::abs(next - m_B_current) > kDeadBand || lastStepToTop) {
        write(now, mode, next, L, R, where, offset);
    }
}

double CompensationLoop::contentScale(double L) const
{
    if (!m_rememberPerSituation) {
        return 1.0;
    }
    // Full compensation asks for brightness in proportion to 1/L; strength s asks for 1/L^s.
    const double strength = m_calibration.compensationStrength();
    return strength >= 1.0 ? 1.0 : std::pow(std::max(L, kDarkLuminance) / kReferenceLuminance, 1.0 - strength);
}

double CompensationLoop::shownLuminance() const
{
    // A choice made the moment the screen changed answers the new screen, which the filters still lag.
    const auto latest = m_content.latestSignature();
    const double L = latest && std::isfinite(latest->mean) && latest->mean > 0.0 ? latest->mean : m_lastL_fast;
    return std::max(L, kDarkLuminance);
}

void CompensationLoop::learnStrength(double B_after, double Lm, std::optional<double> ambient,
                                     const std::optional<SituationBucket> &here)
{
    // Only a choice in the same light as the level the user last settled on says how they follow the
    // content: since then, a user who wants the light steady moved brightness as far as the content moved the
    // other way, one who undoes compensation stayed where they were. A choice at either end of the range says only "at
    // least" and is left out.
    const std::optional<Settled> before = std::exchange(m_settled, std::nullopt);
    settle(B_after, ambient, here);
    if (!before || !here || here->ambientBin != before->situation.ambientBin ||
        here->timeOfDayBin != before->situation.timeOfDayBin || before->factor <= 0.0) {
        return;
    }
    const auto inside = [](double B) { return B > kMinBrightness && B < 1.0; };
    if (!inside(B_after) || !inside(before->level)) {
        return;
    }
    // Judged by what is on screen at the moment of each choice.
    const double content = std::log(Lm / before->luminance);
    if (std::abs(content) < std::log(kStrengthMinContentRatio)) {
        return;
    }
    const double light = factor(ambient) / before->factor;
    m_calibration.recordStrength(std::log(B_after / (before->level * light)), content);
}

void CompensationLoop::settle(double level, std::optional<double> ambient, const std::optional<SituationBucket> &here)
{
    m_settled.reset();
    if (here) {
        m_settled = Settled{level, *here, shownLuminance(), factor(ambient)};
    }
}

void CompensationLoop::write(double now, FastTrackMode mode, double next, double L, double R,
                             const std::optional<SituationBucket> &where, double offset)
{
    // A write the panel refused changed nothing: the next tick tries again from the level it holds.
    if (!std::isfinite(next) || !deviceHoldsOwnLevel(now) || !m_brightness.set(next)) {
        return;
    }
    const double B_before = m_B_current;
    m_B_current = next;
    m_lastOwnWrite = next;
    logAutomaticWrite(mode, B_before, next, L, R, where, offset);
}

double CompensationLoop::unlearnedPart(const std::optional<SituationBucket> &here, double now) const
{
    // What the last choice said beyond what was learned belongs to its moment: it fades within minutes, and
    // it is gone once the light is no longer that of the choice. Carried further, it would overrule what
    // the table learned for other situations.
    if (!m_choice || !here || here->ambientBin != m_choice->situation.ambientBin ||
        here->timeOfDayBin != m_choice->situation.timeOfDayBin) {
        return 0.0;
    }
    return m_choice->unlearned * std::exp(-(now - m_choice->at) / kUnlearnedFadeSeconds);
}

bool CompensationLoop::choiceHolds(const std::optional<SituationBucket> &here, double L_slow) const
{
    return m_choice && here == m_choice->situation && std::abs(L_slow - m_choice->luminance) <= kChoiceLuminanceMargin;
}

double CompensationLoop::bandCentre(const std::optional<SituationBucket> &where,
                                    const std::optional<SituationBucket> &latest) const
{
    if (!m_rememberPerSituation) {
        return m_B_manual;
    }
    const std::optional<SituationBucket> &here = latest ? latest : where;
    // Where the user last chose, that choice is newer than any record: walking away from it would undo it.
    if (!here || here == m_manualSituation) {
        return m_B_manual;
    }
    const double settled = where ? m_calibration.rememberedBrightness(*where, m_B_manual) : m_B_manual;
    return latest ? m_calibration.rememberedBrightness(*latest, settled) : settled;
}

std::optional<SituationBucket> CompensationLoop::latestSituation(std::optional<double> ambient) const
{
    const auto latest = m_content.latestSignature();
    if (!latest || !isFinite(*latest)) {
        return std::nullopt;
    }
    return situationOf(*latest, ambient, m_clock.localNow().hour);
}

bool CompensationLoop::deviceHoldsOwnLevel(double now)
{
    // A key press between two writes must not be written over: the poll reports it as the user's. A
    // level nobody reports (too small a change, or a display the poll does not watch) becomes ours.
    const std::optional<double> reading = m_brightness.get();
    if (!reading) {
        return false; // nothing to write against this tick
    }
    const double device = *reading;
    if (std::abs(device - m_B_current) <= kOwnLevelTolerance) {
        m_outsideLevelSince.reset();
        return true;
    }
    if (!m_outsideLevelSince) {
        m_outsideLevelSince = now;
    } else if (now - *m_outsideLevelSince >= kOutsideLevelAdoptSeconds) {
        m_B_current = device;
        m_lastOwnWrite.reset();
        m_outsideLevelSince.reset();
    }
    return false;
}

void CompensationLoop::logAutomaticWrite(FastTrackMode mode, double B_before, double B_after, double L, double R,
                                         const std::optional<SituationBucket> &situation, double offset)
{
    // Every fast-track write is worth a row; slow walks only once they add up to a visible change,
    // which keeps the log small at ten updates a second.
    if (mode == FastTrackMode::normal && std::abs(B_after - m_lastLoggedBrightness) <= kAutoLogDistance) {
        return;
    }
    m_logger.log(mode == FastTrackMode::fast ? AdjustmentSource::automaticFast : AdjustmentSource::automatic, B_before,
                 B_after, L, R, situation, offset);
    m_lastLoggedBrightness = B_after;
}

void CompensationLoop::onManualChange(double B_after, AdjustmentSource source)
{
    if (!std::isfinite(B_after)) {
        return;
    }
    const double B_before = m_pendingChange ? m_pendingChange->B_before : m_B_current;
    m_B_current = m_B_manual = B_after;
    m_lastOwnWrite.reset();
    m_manualOverrideUntil = m_clock.monotonicSeconds() + kManualHoldSeconds;
    m_outsideLevelSince.reset();
    // Learned against what is on screen now, never against a signature from before.
    const auto signature = m_content.smoothedSignature();
    if (m_pendingChange || ((!signature || !isFinite(*signature)) && m_content.requestSignature())) {
        m_pendingChange = PendingChange{B_before, B_after, source};
        return;
    }
    learnManualChange(B_before, B_after, source);
}

void CompensationLoop::signatureArrived()
{
    if (const std::optional<PendingChange> change = std::exchange(m_pendingChange, std::nullopt)) {
        learnManualChange(change->B_before, change->B_after, change->source);
    }
}

void CompensationLoop::learnManualChange(double B_before, double B_after, AdjustmentSource source)
{
    const double Lm = std::max(m_L_filtered, kDarkLuminance);
    const std::optional<double> ambient = ambientLevel();
    const std::optional<SituationBucket> where = situation(ambient);
    const std::optional<SituationBucket> latest = latestSituation(ambient);
    m_manualSituation = latest ? latest : where;
    // A brightness key is one notch of a press sequence whose end the loop never sees, often pressed while the
    // loop is still moving: it says which way, not how far, and would read as little wish for compensation.
    if (m_rememberPerSituation && source != AdjustmentSource::systemKey) {
        learnStrength(B_after, shownLuminance(), ambient, m_manualSituation);
    }

    // Learned in the units the loop aims in: brightness x luminance as far as the user wants it steady.
    const double scale = contentScale(Lm);
    const double R_observed = B_after * Lm / scale;
    // What the content's level asked for before this choice taught anything.
    const double forContent =
        std::clamp(((where ? m_calibration.offset(*where) : 0.0) + m_R_target * factor(ambient)) / Lm * scale,
                   kMinBrightness, 1.0);
    const double storedOffset = where ? m_calibration.rawOffset(*where) : 0.0;
    const double impliedBaseline = (R_observed - storedOffset) / factor(ambient);
    // Full brightness says only "at least this much": the panel has no more to give. Taken as exact on
    // dark content it would teach a lower ratio than the loop aims for, and the loop would then walk
    // brightness down from the very level the user just scrolled up to, for them to scroll up again.
    const bool atTop = B_after >= 1.0;
    if (!atTop || impliedBaseline > m_R_target) {
        m_R_target = kBaselineBlend * impliedBaseline + (1.0 - kBaselineBlend) * m_R_target;
    }

    if (where) {
        double residual = R_observed - m_R_target * factor(ambient);
        if (atTop) {
            residual = std::max(residual, std::max(storedOffset, 0.0));
        }
        m_calibration.recordCorrection(*where, residual, m_rememberPerSituation ? std::optional(B_after) : std::nullopt,
                                       forContent);
    }
    if (isUserCorrection(source)) {
        m_dailyStats.recordManualAdjustment(m_clock.now());
    }

    const double offset = where ? m_calibration.offset(*where) : 0.0;
    m_logger.log(source, B_before, B_after, Lm, m_R_target, where, offset);
    m_lastLoggedBrightness = B_after;

    // What the loop will aim for from now on, taught as above, falls short of the choice by this much; it
    // is added back, so that the choice stands where it was made and the loop works from it elsewhere. At
    // the top the choice says only "at least this much".
    double unlearned = R_observed - (offset + m_R_target * factor(ambient));
    if (atTop) {
        unlearned = std::max(unlearned, 0.0);
    }
    m_choice.reset();
    if (m_manualSituation) {
        m_choice = Choice{B_after, *m_manualSituation, m_L_filtered, unlearned, m_clock.monotonicSeconds()};
    }
}

void CompensationLoop::resetTarget()
{
    m_R_target = kInitialTarget;
    m_ambientAnchor.reset();
    m_choice.reset();
    m_freshStart = true;
}

void CompensationLoop::setPaused(bool paused)
{
    if (m_paused && !paused) {
        // What was taken while paused may have been a passing level (idle dimming, a dark panel at wake);
        // the desktop has restored its own since.
        const std::optional<double> b = m_brightness.get();
        if (b && m_lastOwnWrite && std::abs(*b - *m_lastOwnWrite) > kOwnLevelTolerance) {
            m_lastOwnWrite.reset();
        }
        m_B_current = b.value_or(m_B_current);
        m_outsideLevelSince.reset();
    }
    m_paused = paused;
}

void CompensationLoop::acceptBrightness(double B)
{
    if (std::isfinite(B)) {
        m_B_current = B;
        m_lastOwnWrite.reset();
    }
}

void CompensationLoop::pauseAutomatic(std::optional<double> seconds)
{
    m_userPause = PauseWindow{};
    if (seconds) {
        m_userPause->endsAt = m_clock.monotonicSeconds() + *seconds;
        m_userPause->wallEnd = m_clock.now() + *seconds;
    }
}

std::optional<CompensationLoop::UserPause> CompensationLoop::userPause() const
{
    if (!m_userPause) {
        return std::nullopt;
    }
    if (!m_userPause->endsAt) {
        return UserPause{};
    }
    const double left = *m_userPause->endsAt - m_clock.monotonicSeconds();
    if (left <= 0.0) {
        return std::nullopt;
    }
    // The end as the wall clock now reads it; the end first shown stays while the wall clock has not been
    // set since, so that listeners are not told of a new end every time.
    const Timestamp shifted = m_clock.now() + left;
    return UserPause{std::abs(shifted - m_userPause->wallEnd) < 1.0 ? m_userPause->wallEnd : shifted};
}

void CompensationLoop::setRemembersBrightnessPerSituation(bool remember)
{
    m_rememberPerSituation = remember;
    settings::set(m_defaults, settings::rememberBrightnessPerSituation, remember);
}

void CompensationLoop::setEnabled(bool enabled)
{
    m_enabled = enabled;
    m_userPause.reset();
    settings::set(m_defaults, settings::autoAdjust, enabled);
    if (enabled) {
        if (const std::optional<double> b = m_brightness.get()) {
            m_B_current = m_B_manual = *b;
        }
        m_lastOwnWrite.reset();
        m_choice.reset();
        m_freshStart = true;
    }
    if (onEnabledChange) {
        onEnabledChange(enabled);
    }
}

} // namespace lumvex
