// SPDX-License-Identifier: MIT
// The status item controller and its menu in process, against the real engine
// (loop, calibration model, daily statistics) and doubles of the devices.
#include "ui/StatusItemController.h"
#include "Doubles.h"
#include "MenuDescription.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "simulated/ManualClock.h"
#include "simulated/MemoryDefaults.h"
#include "simulated/SimulatedBrightness.h"
#include "sensing/DisplayRouter.h"
#include "simulated/FakeDisplayServices.h"
#include "support/LoopSurroundings.h"
#include "support/TempDir.h"
#include "ui/TrayItem.h"

#include <gtest/gtest.h>

using namespace lumvex;
using namespace lumvex::test;
using Origin = StatusItemController::MenuOrigin;

namespace {

constexpr DisplayId kPanel = 11;
constexpr DisplayId kMonitor = 22;

class StatusItemControllerTest : public ::testing::Test
{
protected:
    StatusItemControllerTest()
    {
        displays.plug(kPanel, {0, 0, 1920, 1080}, true, "eDP-1");
        displays.plug(kMonitor, {1920, 0, 2560, 1440}, false, "DP-2");
        pointAt(kPanel);
        StatusItemController::Services services{brightness,  external,   router,   displays, volume,  loop,
                                                calibration, dailyStats, recorder, login,    defaults};
        services.captureProblem = [this] { return captureProblem; };
        services.optionKey = [this] { return alt; };
        controller = std::make_unique<StatusItemController>(services);
        QObject::connect(controller.get(), &StatusItemController::revealRequested,
                         [this](const QUrl &url) { opened.push_back(url); });
        QObject::connect(controller.get(), &StatusItemController::quitRequested, [this] { ++quits; });
        QObject::connect(controller.get(), &StatusItemController::checkForUpdatesRequested, [this] { ++checks; });
    }

    void pointAt(DisplayId display) { displays.setPointer(display == kPanel ? Point{500, 500} : Point{2500, 500}); }

    std::vector<std::string> menu(Origin origin = Origin::brightness)
    {
        return describe(controller->buildMenu(origin));
    }

    // Runs the action of the entry with that label, as a click in the menu.
    void click(const std::string &label, Origin origin = Origin::brightness)
    {
        const MenuEntry built = controller->buildMenu(origin);
        const MenuEntry *entry = findByLabel(built, label);
        ASSERT_NE(entry, nullptr) << label;
        ASSERT_TRUE(entry->action) << label;
        entry->action();
    }

    TempDir dir;
    MemoryDefaults defaults;
    ManualClock clock{Timestamp::fromUnixSeconds(1'780'000'000)};
    SimulatedBrightness brightness{0.5};
    CalibrationModel calibration{dir / "data", clock};
    DailyStats dailyStats{dir / "data", clock};
    AdjustmentLogger logger{dir / "state", clock};
    LoopSurroundings surroundings;
    CompensationLoop loop{
        {brightness, calibration, dailyStats, logger, clock, defaults, surroundings, surroundings, surroundings}};
    FakeDisplayServices displays;
    DisplayRouter router{displays, clock};
    FakeExternalBrightness external;
    FakeVolume volume{0.5};
    FakeRecorder recorder{dir / "state/telemetry"};
    FakeLoginItem login;
    std::optional<std::string> captureProblem;
    std::optional<bool> alt = false;
    std::unique_ptr<StatusItemController> controller;
    std::vector<QUrl> opened;
    int quits = 0;
    int checks = 0;
};

} // namespace

TEST_F(StatusItemControllerTest, ScrollOverAnExternalDisplayIsNotLearned)
{
    pointAt(kMonitor);
    external.levels[kMonitor] = 0.98;
    controller->scrollBrightness(-10);
    ASSERT_EQ(external.writes.size(), 1u);
    EXPECT_EQ(external.writes.back(), (std::pair<DisplayId, double>{kMonitor, 1.0}));
    external.levels[kMonitor] = 0.02;
    controller->scrollBrightness(+10);
    EXPECT_EQ(external.writes.back(), (std::pair<DisplayId, double>{kMonitor, 0.0}));
    EXPECT_EQ(controller->brightnessView().level(), 0.0);
    EXPECT_EQ(controller->displayKind(), DisplayKind::external);
    EXPECT_EQ(dailyStats.todayCount(), 0);
    EXPECT_FLOAT_EQ(brightness.level(), 0.5f);
}

TEST_F(StatusItemControllerTest, UnreadableExternalDisplayStartsFromTheIcon)
{
    pointAt(kMonitor);
    controller->updateBrightness(0.4);
    controller->scrollBrightness(-20);
    ASSERT_EQ(external.writes.size(), 1u);
    EXPECT_DOUBLE_EQ(external.writes.back().second, 0.5);
}

TEST_F(StatusItemControllerTest, SilhouetteFollowsTheDisplayUnderThePointer)
{
    EXPECT_EQ(controller->displayKind(), DisplayKind::builtIn);
    pointAt(kMonitor);
    const int before = controller->brightnessView().invalidationCount();
    controller->refreshSilhouette();
    EXPECT_EQ(controller->displayKind(), DisplayKind::external);
    EXPECT_GT(controller->brightnessView().invalidationCount(), before);
    // The poll's built-in level does not change the glyph.
    controller->updateBrightness(0.3);
    EXPECT_EQ(controller->displayKind(), DisplayKind::external);
    EXPECT_EQ(controller->brightnessView().level(), 0.3);
}

TEST_F(StatusItemControllerTest, VolumeScrollUnmutesOnlyAboveZero)
{
    EXPECT_EQ(controller->volumeView().level(), 0.5);
    volume.set(0.0);
    volume.setMuted(true);
    controller->scrollVolume(+10); // stays at 0
    EXPECT_TRUE(volume.isMuted());
    controller->scrollVolume(-10);
    EXPECT_FALSE(volume.isMuted());
    EXPECT_FLOAT_EQ(volume.get(), 0.05f);
    EXPECT_FLOAT_EQ(controller->volumeView().level(), 0.05f);
}

TEST_F(StatusItemControllerTest, SecondaryActivationOfTheVolumeItemTogglesMute)
{
    controller->volumeView().secondaryActivate();
    EXPECT_TRUE(volume.isMuted());
    controller->volumeItem().hostSecondaryActivate(); // the SNI middle click
    EXPECT_FALSE(volume.isMuted());
    controller->brightnessView().secondaryActivate(); // nothing
    controller->brightnessItem().hostSecondaryActivate();
    EXPECT_FALSE(volume.isMuted());
}

TEST_F(StatusItemControllerTest, WithoutAltTheDiagnosticsAreHiddenAndWhereAltCannotBeReadTheyAreAdvanced)
{
    controller->updateBrightness(0.42);
    const std::vector<std::string> plain{
        "Brightness: 42%", "Volume: 50%", "Mute",          "---", "[ ] Automatic Brightness", "---",
        "Icon Style",      "  [x] Pie",   "  [ ] Curtain", "---", "Check for Updates\u2026",  "[ ] Start at Login",
        "Quit Lumvex"};
    EXPECT_EQ(menu(), plain);
    alt = std::nullopt;
    std::vector<std::string> advanced = plain;
    for (const char *line :
         {"---", "Advanced", "  [ ] Show Compensation Debug", "  Calibration\u2026", "    0 content situations learned",
          "    Last 7 days: 0.0 adj/day (baseline 0.0)", "    Today: 0 \u2022 days tracked: 0", "    ---",
          "    [ ] Remember Brightness per Situation", "    Reset all calibration", "    Reset everything", "  ---",
          "  [ ] Record Brightness Data", "  Reveal Data in File Manager"}) {
        advanced.emplace_back(line);
    }
    EXPECT_EQ(menu(), advanced);
}

TEST_F(StatusItemControllerTest, CaptureProblemIsTheFirstLineWhenThereIsOne)
{
    captureProblem = "Screen capture is not possible";
    EXPECT_EQ(menu()[0], "Screen capture is not possible");
    EXPECT_FALSE(controller->buildMenu(Origin::brightness).children[0].enabled);
    captureProblem = "";
    EXPECT_EQ(menu()[0], "Brightness: 100%");
}

TEST_F(StatusItemControllerTest, DebugLineShowsTheLoopsQuantities)
{
    defaults.setBool("showCompensationDebug", true);
    loop.onManualChange(0.42, AdjustmentSource::scroll);
    const std::string line = controller->menu().brightnessLabel(controller->brightnessView().level());
    EXPECT_EQ(line.rfind("B: 42% \u2022 L: 0.50 \u2022 R: ", 0), 0u) << line;
}

TEST_F(StatusItemControllerTest, CalibrationSubmenuCountsAndListsWhatWasLearned)
{
    SituationBucket first{1, 0, 2, std::nullopt, 2};
    calibration.recordCorrection(first, 0.05);
    const auto situations = [&] { return describe(controller->menu().calibrationSubmenu()); };
    const std::vector<std::string> one = situations();
    EXPECT_EQ(one[0], (calibration.situationCount() == 1
                           ? "1 content situation learned"
                           : std::to_string(calibration.situationCount()) + " content situations learned"));
    EXPECT_NE(std::find(one.begin(), one.end(), "Top learned situations:"), one.end());
    EXPECT_EQ(one.back(), "Reset everything");

    CalibrationEntry entry;
    entry.offset = 0.05;
    entry.sampleCount = 12;
    EXPECT_EQ(StatusMenu::situationLabel(first, entry), "dark low / bright none / mean med, evening: +0.05 (12)");
    entry.offset = -0.1;
    EXPECT_EQ(StatusMenu::situationLabel(first, entry), "dark low / bright none / mean med, evening: -0.10 (12)");
    entry.offset = 0.0;
    EXPECT_EQ(StatusMenu::situationLabel({7, 4, 0, 1, 9}, entry), "dark ? / bright max / mean none, ?: +0.00 (12)");

    controller->resetAllCalibration();
    const std::vector<std::string> none = situations();
    EXPECT_EQ(none, (std::vector<std::string>{"0 content situations learned", "Last 7 days: 0.0 adj/day (baseline 0.0)",
                                              "Today: 0 \u2022 days tracked: 0", "---",
                                              "[ ] Remember Brightness per Situation", "Reset all calibration",
                                              "Reset everything"}));
}

TEST_F(StatusItemControllerTest, MenuActionsReachTheirComponents)
{
    alt = true;
    click("Automatic Brightness");
    EXPECT_TRUE(loop.enabled());
    EXPECT_EQ(defaults.boolValue("autoAdjustEnabled"), true);
    EXPECT_EQ(menu()[4], "[x] Automatic Brightness");
    click("Mute");
    EXPECT_TRUE(volume.isMuted());
    click("Show Compensation Debug");
    EXPECT_EQ(defaults.boolValue("showCompensationDebug"), true);
    click("Record Brightness Data");
    EXPECT_TRUE(recorder.recording);
    click("Start at Login");
    EXPECT_TRUE(login.enabled);
    click("Curtain");
    EXPECT_EQ(defaults.stringValue("iconStyle"), "curtain");
    click("Check for Updates\u2026");
    EXPECT_EQ(checks, 1);
    click("Reveal Data in File Manager");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile().toStdString(), (dir / "state/telemetry").string());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "state/telemetry"));
    calibration.recordCorrection({1, 1, 1, std::nullopt, 1}, 0.1);
    click("Reset all calibration");
    EXPECT_EQ(calibration.situationCount(), 0u);
    click("Remember Brightness per Situation");
    EXPECT_EQ(defaults.boolValue("rememberBrightnessPerSituation"), true);
    calibration.recordCorrection({1, 1, 1, std::nullopt, 1}, 0.1);
    loop.onManualChange(0.9, AdjustmentSource::scroll);
    click("Reset everything");
    EXPECT_EQ(calibration.situationCount(), 0u);
    EXPECT_EQ(loop.targetRatio(), CompensationLoop::kInitialTarget);
    click("Quit Lumvex");
    EXPECT_EQ(quits, 1);
}

TEST_F(StatusItemControllerTest, ClickingAnItemPresentsItsMenu)
{
    controller->brightnessView().mouseDown();
    EXPECT_EQ(controller->brightnessItem().menusPresented(), 1);
    controller->volumeView().mouseDown();
    EXPECT_EQ(controller->volumeItem().menusPresented(), 1);
}
