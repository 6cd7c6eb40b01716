// SPDX-License-Identifier: MIT
#include "engine/CompensationLoop.h"
#include "base/Files.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/DailyStats.h"
#include "simulated/ManualClock.h"
#include "simulated/MemoryDefaults.h"
#include "simulated/SimulatedBrightness.h"
#include "support/LoopSurroundings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

using namespace lumvex;

namespace {

// 2025-03-14 (a Friday) at the given UTC hour; the clock runs in UTC.
Timestamp at(int hour, int minute = 0)
{
    return Timestamp::fromUnixSeconds(1741910400.0 + hour * 3600 + minute * 60);
}

const ContentSignature kOffice{0.1, 0.6, 0.7}; // bins 0, 3, 3

class LoopTest : public testing::Test
{
protected:
    explicit LoopTest(double initialBrightness = 0.6)
        : brightness(initialBrightness)
    {}

    CompensationLoop &makeLoop(bool enabled = true)
    {
        defaults.setBool("autoAdjustEnabled", enabled);
        loop.emplace(CompensationLoop::Collaborators{brightness, calibration, stats, logger, clock, defaults,
                                                     surroundings, surroundings, surroundings});
        return *loop;
    }

    // One sampler tick later.
    void tick(double L_slow, double L_fast)
    {
        clock.advance(0.1);
        loop->onLuminanceUpdate(L_slow, L_fast);
    }
    void tick(double L) { tick(L, L); }

    std::vector<std::string> logRows() const
    {
        std::istringstream text(files::readAll(dir / "state/adjustments.csv").value_or(""));
        std::vector<std::string> rows;
        for (std::string line; std::getline(text, line);) {
            rows.push_back(line);
        }
        rows.erase(rows.begin()); // header
        return rows;
    }

    test::TempDir dir;
    ManualClock clock{at(14)};
    MemoryDefaults defaults;
    SimulatedBrightness brightness;
    CalibrationModel calibration{dir / "data", clock};
    DailyStats stats{dir / "data", clock};
    AdjustmentLogger logger{dir / "state", clock};
    test::LoopSurroundings surroundings;
    std::optional<CompensationLoop> loop;
};

// With brightness remembered per situation or not: what that setting must leave as it is.
class LoopInBothModesTest : public LoopTest, public testing::WithParamInterface<bool>
{
protected:
    LoopInBothModesTest() { defaults.setBool("rememberBrightnessPerSituation", GetParam()); }
};

} // namespace

TEST_F(LoopTest, FirstUpdateOnlyCapturesTheBaseline)
{
    brightness.set(0.5);
    makeLoop(false);
    EXPECT_FALSE(loop->enabled());
    tick(0.05);
    EXPECT_DOUBLE_EQ(loop->targetRatio(), 0.1 * 0.5); // luminance below 0.1 counts as 0.1
    EXPECT_DOUBLE_EQ(loop->filteredLuminance(), 0.05);
    EXPECT_EQ(brightness.writeCount(), 1u); // only the fixture's own set

    defaults.remove("autoAdjustEnabled");
    CompensationLoop absent(
        {brightness, calibration, stats, logger, clock, defaults, surroundings, surroundings, surroundings});
    EXPECT_FALSE(absent.enabled());
}

TEST_F(LoopTest, AWalkIsLoggedOnlyOnceItAddsUp)
{
    makeLoop();
    tick(0.5); // baseline: R_target 0.3 at brightness 0.6
    tick(0.5);
    const std::size_t writesBefore = brightness.writeCount();
    for (int i = 0; i < 20; ++i) {
        tick(0.25);
    }
    // Five steps up to the band's top; a row only once they add up to more than 0.02 since the last row.
    EXPECT_EQ(brightness.writeCount(), writesBefore + 5);
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[0].find(",auto,0.6120,0.6240,"), std::string::npos) << rows[0];
}

TEST_F(LoopTest, DisabledLoopTracksButNeverWrites)
{
    makeLoop(false);
    tick(0.5);
    const std::size_t writes = brightness.writeCount();
    for (double L : {0.1, 0.9, 0.05, 0.8}) {
        tick(L, L);
    }
    tick(0.3, 0.95);
    EXPECT_EQ(brightness.writeCount(), writes);
    EXPECT_DOUBLE_EQ(loop->filteredLuminance(), 0.3);
    // The fast-track window opened while off is live once switched on: the baseline tick runs in fast mode.
    loop->setEnabled(true);
    tick(0.3, 0.95);
    EXPECT_EQ(brightness.writeCount(), writes);
    tick(0.3, 0.95);
    EXPECT_NEAR(loop->currentBrightness(), brightness.level(), 1e-6);
    EXPECT_NEAR(loop->currentBrightness(), 0.6 - 0.05, 1e-6); // a fast step
}

TEST_F(LoopTest, ManualChangesHoldAutomaticWritesForThreeSeconds)
{
    makeLoop();
    tick(0.5);
    brightness.set(0.7); // the scroll handler sets the display, then reports
    loop->onManualChange(0.7, AdjustmentSource::scroll);
    clock.advance(2.0);
    brightness.set(0.8);
    const std::size_t writes = brightness.writeCount();
    loop->onManualChange(0.8, AdjustmentSource::systemKey);
    for (int i = 0; i < 29; ++i) { // 2.9 s after the second change, whatever the content does
        tick(i % 2 ? 0.05 : 0.95);
    }
    EXPECT_EQ(brightness.writeCount(), writes);
    clock.advance(0.2);
    tick(0.2);
    EXPECT_EQ(brightness.writeCount(), writes + 1);
    EXPECT_NEAR(loop->currentBrightness(), 0.8 + 0.012, 1e-9);

    // A choice of zero: once the hold is over, raised into the floor of its band in normal steps.
    brightness.set(0.0);
    loop->onManualChange(0.0, AdjustmentSource::scroll);
    clock.advance(3.0);
    double previous = 0.0;
    for (int i = 0; i < 20; ++i) {
        tick(0.5);
        EXPECT_LE(loop->currentBrightness() - previous, 0.012 + 1e-12);
        previous = loop->currentBrightness();
    }
    EXPECT_GE(loop->currentBrightness(), 0.05);
    EXPECT_LE(loop->currentBrightness(), 0.06);
}

TEST_F(LoopTest, NothingIsWrittenForExternalMainDisplaysOrBlackScreens)
{
    makeLoop();
    bool builtIn = false;
    surroundings.builtIn = [&] { return builtIn; };
    tick(0.5);
    const std::size_t writes = brightness.writeCount();
    tick(0.25);
    EXPECT_EQ(brightness.writeCount(), writes);
    builtIn = true;
    tick(0.02); // at or below 0.02 nothing is usable
    tick(0.01);
    EXPECT_EQ(brightness.writeCount(), writes);
    tick(0.25);
    EXPECT_EQ(brightness.writeCount(), writes + 1);
}

INSTANTIATE_TEST_SUITE_P(RememberingOrNot, LoopInBothModesTest, testing::Bool());

TEST_P(LoopInBothModesTest, JumpStartsFastTrackAndTheBandWalksBackAfterIt)
{
    makeLoop();
    tick(0.3);
    tick(0.3, 0.2); // spread 0.1: not fast
    EXPECT_EQ(logRows().size(), 0u);
    tick(0.3, 0.9); // spread 0.6, jump 0.7 in 0.1 s: a step larger than normal mode allows
    EXPECT_LT(loop->currentBrightness(), 0.6 - 0.012);
    ASSERT_EQ(logRows().size(), 1u);
    EXPECT_NE(logRows()[0].find(",auto_fast,0.6000,"), std::string::npos) << logRows()[0];
    for (int i = 0; i < 4; ++i) {
        tick(0.3, 0.9); // R 0.18 at L 0.9 wants 0.2, but not below the fast band's floor
    }
    const double lowest = loop->currentBrightness();
    EXPECT_GE(lowest, 0.45);

    // Once the window has passed, normal mode works on the slow luminance again and walks back into the
    // band 0.6 +- 0.06 towards the 0.6 that R 0.18 at L 0.3 asks for.
    clock.advance(0.05);
    double previous = lowest;
    for (int i = 0; i < 30; ++i) {
        tick(0.3, 0.9);
        EXPECT_LE(loop->currentBrightness() - previous, 0.012 + 1e-12);
        EXPECT_GE(loop->currentBrightness(), previous);
        previous = loop->currentBrightness();
    }
    EXPECT_NEAR(loop->currentBrightness(), 0.6, 0.005);
}

TEST_F(LoopTest, EveningAndNightLowerTheEffectiveRatio)
{
    clock.set(at(18));
    makeLoop();
    tick(0.5); // R_target 0.3
    tick(0.5); // the same content asks for less in the evening
    EXPECT_LT(loop->currentBrightness(), 0.6);
    // Missing light falls back to the clock; situation bins truncate and stay in range.
    EXPECT_EQ(ambientOrClockFactor(0.6, std::nullopt, 23), timeOfDayFactor(23));
    EXPECT_EQ(situationOf({0.99, 0.0, 1.0}, 1.0, 21), (SituationBucket{4, 0, 4, 2, 2}));
    EXPECT_EQ(binOf(-0.5, 5), 0);
}

TEST_F(LoopTest, ManualChangeMovesTheTargetTeachesCountsAndLogs)
{
    clock.set(at(10));
    makeLoop();
    surroundings.signature = [] { return kOffice; };
    tick(0.5); // R_target 0.3 at brightness 0.6
    brightness.set(0.8);
    loop->onManualChange(0.8, AdjustmentSource::scroll);

    EXPECT_NEAR(loop->targetRatio(), 0.6 * 0.4 + 0.4 * 0.3, 1e-6); // 0.36
    const SituationBucket situation{0, 3, 3, std::nullopt, 0};
    EXPECT_EQ(calibration.table().at(situation).sampleCount, 1);
    EXPECT_EQ(stats.todayCount(), 1);
    EXPECT_EQ(loop->currentBrightness(), 0.8);
    EXPECT_EQ(loop->manualBrightness(), 0.8);
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NE(rows[0].find(",scroll,0.6000,0.8000,0.5000,0.3600,0|3|3|-|0,"), std::string::npos) << rows[0];

    // Later the loop keeps brightness within 0.8 +- 0.06; the hold is a duration, which setting the wall
    // clock back does not stretch.
    clock.advance(-3600.0);
    clock.advance(3.0);
    for (int i = 0; i < 50; ++i) {
        tick(0.9);
    }
    EXPECT_NEAR(loop->currentBrightness(), 0.74, 0.005);

    // So is a pause: 30 minutes end after 30, and their end shows on the wall clock as it reads now.
    loop->pauseAutomatic(1800.0);
    clock.advance(-3600.0);
    clock.advance(1799.0);
    EXPECT_EQ(loop->userPause()->until, clock.now() + 1.0);
    clock.advance(1.0);
    EXPECT_FALSE(loop->userPause());
}

TEST_F(LoopTest, ManualChangesLearnWhetherOnOrOffAndEachUserSourceCounts)
{
    makeLoop(false);
    surroundings.signature = [] { return kOffice; };
    tick(0.01); // L_filtered 0.01: counts as 0.02
    const double before = loop->targetRatio();
    loop->onManualChange(0.5, AdjustmentSource::scroll);
    EXPECT_NEAR(loop->targetRatio(), 0.6 * (0.5 * 0.02) + 0.4 * before, 1e-12);
    loop->onManualChange(0.4, AdjustmentSource::command);
    EXPECT_EQ(stats.todayCount(), 2);
    EXPECT_EQ(calibration.table().at({0, 3, 3, std::nullopt, 1}).sampleCount, 2);
    const auto rows = logRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_NE(rows[1].find(",command,0.5000,0.4000,0.0200,"), std::string::npos) << rows[1];

    // Without a signature the change waits for the capture it asked for; when that brings none, the target
    // still learns but nothing is taught.
    surroundings.signature = [] { return std::nullopt; };
    surroundings.request = [] { return true; };
    const std::size_t situations = calibration.situationCount();
    loop->onManualChange(0.7, AdjustmentSource::systemKey);
    loop->onManualChange(0.6, AdjustmentSource::systemKey);
    EXPECT_EQ(logRows().size(), 2u);
    loop->signatureArrived();
    EXPECT_EQ(calibration.situationCount(), situations);
    ASSERT_EQ(logRows().size(), 3u);
    EXPECT_NE(logRows()[2].find(",system_key,0.4000,0.6000,"), std::string::npos) << logRows()[2];
    EXPECT_NE(logRows()[2].find(",,0.0000,unknown"), std::string::npos);
}

TEST_F(LoopTest, LearnedOffsetsShiftTheEffectiveRatio)
{
    makeLoop();
    surroundings.signature = [] { return kOffice; };
    const SituationBucket situation{0, 3, 3, std::nullopt, 1};
    for (int i = 0; i < 5; ++i) {
        calibration.recordCorrection(situation, 0.3);
    }
    tick(0.5); // R_target 0.3
    tick(0.5); // R = 0.3 x 31/32 + 0.3 wants 1.18: the band's top, 0.66, in steps of 0.012
    EXPECT_NEAR(loop->currentBrightness(), 0.612, 1e-6);
}

TEST_F(LoopTest, ResetAndSwitchingOnCaptureAFreshBaseline)
{
    std::vector<bool> told;
    makeLoop();
    loop->onEnabledChange = [&](bool on) { told.push_back(on); };
    tick(0.5);
    brightness.set(0.9); // the scroll handler sets the display, then reports
    loop->onManualChange(0.9, AdjustmentSource::scroll);
    loop->resetTarget();
    EXPECT_EQ(loop->targetRatio(), 0.3);
    clock.advance(5);
    const std::size_t writes = brightness.writeCount();
    tick(0.2);
    EXPECT_EQ(brightness.writeCount(), writes);
    EXPECT_NEAR(loop->targetRatio(), 0.2 * 0.9, 1e-6);

    loop->setEnabled(false);
    EXPECT_NEAR(loop->targetRatio(), 0.2 * 0.9, 1e-6); // switching off keeps what was learned
    EXPECT_EQ(defaults.boolValue("autoAdjustEnabled"), false);
    brightness.set(0.4);
    loop->setEnabled(true);
    loop->setEnabled(true); // again: still re-reads and re-captures
    EXPECT_NEAR(loop->currentBrightness(), 0.4, 1e-6);
    EXPECT_EQ(defaults.boolValue("autoAdjustEnabled"), true);
    EXPECT_EQ(told, (std::vector<bool>{false, true, true}));
    tick(0.5);
    EXPECT_NEAR(loop->targetRatio(), 0.2, 1e-6);
}

TEST_F(LoopTest, NonFiniteReadingsNeverReachTheDisplayOrTheTable)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    makeLoop();
    std::optional<double> ambient = nan;
    ContentSignature signature = kOffice;
    surroundings.ambient = [&] { return ambient; };
    surroundings.signature = [&] { return signature; };
    tick(0.5);
    const std::size_t writes = brightness.writeCount();
    tick(nan, 0.5);
    tick(0.5, inf);
    EXPECT_EQ(loop->filteredLuminance(), 0.5);
    EXPECT_EQ(brightness.writeCount(), writes);

    // A NaN ambient level reads as no sensor: no ambient bin, clock factor.
    loop->onManualChange(0.7, AdjustmentSource::scroll);
    EXPECT_EQ(calibration.table().count({0, 3, 3, std::nullopt, 1}), 1u);
    signature.mean = nan;
    const auto table = calibration.table();
    loop->onManualChange(0.65, AdjustmentSource::scroll);
    loop->onManualChange(nan, AdjustmentSource::scroll);
    EXPECT_EQ(calibration.table(), table);
    EXPECT_EQ(loop->currentBrightness(), 0.65);
    EXPECT_TRUE(std::isfinite(loop->targetRatio()));
}

TEST_F(LoopTest, PausedLoopWritesNothingAndAcceptedLevelsAreNotLearned)
{
    makeLoop();
    surroundings.signature = [] { return kOffice; };
    tick(0.5);
    loop->setPaused(true);
    const std::size_t writes = brightness.writeCount();
    for (int i = 0; i < 20; ++i) {
        tick(0.2);
    }
    EXPECT_EQ(brightness.writeCount(), writes);
    EXPECT_DOUBLE_EQ(loop->filteredLuminance(), 0.2);

    // The desktop dims the idle screen: taken as current, not as a correction.
    const double target = loop->targetRatio();
    loop->acceptBrightness(0.3);
    EXPECT_EQ(loop->currentBrightness(), 0.3);
    EXPECT_NEAR(loop->manualBrightness(), 0.6, 1e-6);
    EXPECT_EQ(loop->targetRatio(), target);
    EXPECT_EQ(calibration.situationCount(), 0u);
    EXPECT_TRUE(logRows().empty());

    // It restores its own level on activity; the loop resumes from what the device holds then.
    brightness.set(0.5);
    loop->setPaused(false);
    tick(0.2);
    EXPECT_EQ(brightness.writeCount(), writes + 2); // back towards the user's band
    EXPECT_NEAR(loop->currentBrightness(), 0.5 + 0.012, 1e-6);
}

TEST_F(LoopTest, RememberedBrightnessCentresTheBandWhereTheSituationHasOne)
{
    // Five choices of 0.3 in the office situation at 14:00 make a record of full weight.
    const SituationBucket situation{0, 3, 3, std::nullopt, 1};
    for (int i = 0; i < 5; ++i) {
        calibration.recordCorrection(situation, 0.0, 0.3);
    }
    for (const bool remember : {false, true}) {
        SCOPED_TRACE(remember);
        defaults.setBool("rememberBrightnessPerSituation", remember);
        brightness.set(0.8);
        makeLoop();
        surroundings.signature = [] { return kOffice; };
        for (int i = 0; i < 20; ++i) {
            tick(0.3); // the ratio wants the baseline's 0.8
        }
        // A record of full weight is where the loop goes, at fast-track pace: normal steps would need 42 ticks.
        EXPECT_NEAR(loop->currentBrightness(), remember ? 0.3 : 0.8, 0.005);

        // A choice in the situation is remembered only with the setting on, and it stands exactly while the
        // situation and the luminance stay: not walked back to the older record, nor to the learned ratio.
        loop->onManualChange(0.5, AdjustmentSource::scroll);
        EXPECT_EQ(calibration.table().at(situation).brightnessCount, remember ? 6 : 5);
        for (int i = 0; i < 100; ++i) {
            tick(0.3 + 0.015 * (i % 2));
        }
        EXPECT_EQ(loop->currentBrightness(), 0.5);
        loop->setRemembersBrightnessPerSituation(!remember);
        EXPECT_EQ(defaults.boolValue("rememberBrightnessPerSituation"), !remember);
    }
}

TEST_F(LoopTest, FullBrightnessChosenOnDarkContentIsNotLearnedAsAWishForLess)
{
    makeLoop();
    surroundings.signature = [] { return kOffice; };
    tick(0.5); // R_target 0.3 at 0.6: dark content at 0.25 would want 1.2
    for (int i = 0; i < 5; ++i) {
        tick(0.25);
        loop->onManualChange(1.0, AdjustmentSource::scroll);
        clock.advance(3.0);
    }
    for (int i = 0; i < 50; ++i) {
        tick(0.25);
    }
    // Taken as exact, the choices would have taught 0.25 and walked brightness down to the band's floor.
    EXPECT_EQ(loop->currentBrightness(), 1.0);
    EXPECT_NEAR(loop->targetRatio(), 0.3, 1e-6); // the panel stores single precision
    EXPECT_GE(calibration.rawOffset({0, 3, 3, std::nullopt, 1}), 0.0);
}
