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
#include "output/DisplayLink.h"
#include "output/DisplayRanges.h"
#include "sensing/DisplayRouter.h"
#include "simulated/FakeDisplayServices.h"
#include "simulated/ManualClock.h"
#include "simulated/MemoryDefaults.h"
#include "simulated/SimulatedBrightness.h"
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
        StatusItemController::Services services{brightness,  external,   router,   displays, volume,   loop,
                                                calibration, dailyStats, recorder, login,    defaults, link};
        services.optionKey = [this] { return alt; };
        controller = std::make_unique<StatusItemController>(services);
        QObject::connect(controller.get(), &StatusItemController::revealRequested,
                         [this](const QUrl &url) { opened.push_back(url); });
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
    DisplayRanges ranges{dir / "config"};
    DisplayLink link{{brightness, external, displays, defaults, ranges, {}}};
    FakeVolume volume{0.5};
    FakeRecorder recorder{dir / "state/telemetry"};
    FakeLoginItem login;
    std::optional<bool> alt = false;
    std::unique_ptr<StatusItemController> controller;
    std::vector<QUrl> opened;
    int checks = 0;
};

} // namespace

TEST_F(StatusItemControllerTest, OverAnExternalDisplayTheIconAndTheWheelFollowItWithoutLearning)
{
    EXPECT_EQ(controller->displayKind(), DisplayKind::builtIn);
    pointAt(kMonitor);
    const int before = controller->brightnessView().invalidationCount();
    controller->refreshSilhouette();
    EXPECT_EQ(controller->displayKind(), DisplayKind::external);
    EXPECT_GT(controller->brightnessView().invalidationCount(), before);
    // The poll's built-in level does not change the glyph; a monitor that cannot be read starts from the icon.
    controller->updateBrightness(0.4);
    EXPECT_EQ(controller->displayKind(), DisplayKind::external);
    controller->scrollBrightness(-20);
    ASSERT_EQ(external.writes.size(), 1u);
    EXPECT_DOUBLE_EQ(external.writes.back().second, 0.5);

    external.levels[kMonitor] = 0.02;
    controller->scrollBrightness(+10);
    EXPECT_EQ(external.writes.back(), (std::pair<DisplayId, double>{kMonitor, 0.0}));
    EXPECT_EQ(controller->brightnessView().level(), 0.0);
    EXPECT_EQ(dailyStats.todayCount(), 0);
    EXPECT_FLOAT_EQ(brightness.level(), 0.5f);

    // Linked, the monitor stays within its range and the panel follows as a learned scroll.
    ranges.set("connector DP-2", "", {0.2, 0.6});
    link.setEnabled(true);
    external.levels[kMonitor] = 0.55;
    controller->scrollBrightness(-40);
    EXPECT_EQ(external.writes.back(), (std::pair<DisplayId, double>{kMonitor, 0.6}));
    EXPECT_FLOAT_EQ(brightness.level(), 1.0f);
    EXPECT_EQ(dailyStats.todayCount(), 1);
}

// The host's middle click is seen over the bus; these are the XEmbed icon's.
TEST_F(StatusItemControllerTest, VolumeScrollUnmutesOnlyAboveZeroAndTheMiddleClickMutes)
{
    volume.set(0.0);
    volume.setMuted(true);
    controller->scrollVolume(+10); // stays at 0
    EXPECT_TRUE(volume.isMuted());
    controller->scrollVolume(-10);
    EXPECT_FALSE(volume.isMuted());
    EXPECT_FLOAT_EQ(volume.get(), 0.05f);
    EXPECT_FLOAT_EQ(controller->volumeView().level(), 0.05f);
    controller->volumeView().secondaryActivate();
    EXPECT_TRUE(volume.isMuted());
    // Its click presents the menu.
    controller->brightnessView().mouseDown();
    controller->volumeView().mouseDown();
    EXPECT_EQ(std::pair(controller->brightnessItem().menusPresented(), controller->volumeItem().menusPresented()),
              std::pair(1, 1));
}

TEST_F(StatusItemControllerTest, CalibrationSubmenuListsWhatWasLearned)
{
    SituationBucket first{1, 0, 2, std::nullopt, 2};
    calibration.recordCorrection(first, 0.05);
    const std::vector<std::string> situations = describe(controller->menu().calibrationSubmenu());
    EXPECT_NE(std::find(situations.begin(), situations.end(), "Top learned situations:"), situations.end());

    // Bins from a damaged file are named, not looked up out of range.
    EXPECT_EQ(StatusMenu::situationLabel({7, 4, 0, 1, 9}, CalibrationEntry{-0.1, 12, {}, {}, 0}),
              "dark ? / bright max / mean none, ?: -0.10 (12)");
    // An offset that rounds to nothing carries no minus sign.
    EXPECT_EQ(StatusMenu::situationLabel({0, 0, 0, 1, 0}, CalibrationEntry{-0.001, 3, {}, {}, 0}),
              "dark none / bright none / mean none, morning: +0.00 (3)");
}

// The switches, the icon style, mute and quit are clicked over the bus; these act on the engine and files.
TEST_F(StatusItemControllerTest, MenuActionsReachTheirComponents)
{
    alt = true;
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
}
