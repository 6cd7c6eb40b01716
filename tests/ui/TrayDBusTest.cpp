// The tray items on a private session bus, seen by a test StatusNotifierWatcher and host: registration,
// properties, Scroll/Activate/SecondaryActivate, the exported menu and clicks on it. Behind the items:
// the real backlight driver on a fake sysfs tree, the real loop, calibration model and statistics in a
// temporary folder, settings in the real INI file under $XDG_CONFIG_HOME; doubles for the rest.
#include "Doubles.h"
#include "SniTestHost.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "base/Files.h"
#include "simulated/ManualClock.h"
#include "platform/linux/QSettingsDefaults.h"
#include "platform/linux/XdgPaths.h"
#include "platform/linux/backlight/SysfsBacklight.h"
#include "sensing/DisplayRouter.h"
#include "simulated/FakeDisplayServices.h"
#include "support/LoopSurroundings.h"
#include "support/TempDir.h"
#include "ui/DBusMenuExporter.h"
#include "ui/StatusItemController.h"
#include "ui/TrayItem.h"

#include <QCoreApplication>
#include <QDBusMetaType>
#include <QProcess>

#include <gtest/gtest.h>

#include <thread>
#include <tuple>
#include <vector>

using namespace lumvex;
using namespace lumvex::test;
namespace fs = std::filesystem;

namespace {

constexpr DisplayId kPanel = 11;
constexpr DisplayId kMonitor = 22;

bool spinUntil(const std::function<bool()> &condition, std::chrono::milliseconds deadline = std::chrono::seconds(5))
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

fs::path addBacklight(const fs::path &root, long brightness, long maxBrightness)
{
    const fs::path folder = root / "sys/class/backlight/intel_backlight";
    fs::create_directories(folder);
    files::writeAtomically(folder / "type", "raw\n");
    files::writeAtomically(folder / "brightness", std::to_string(brightness) + "\n");
    files::writeAtomically(folder / "max_brightness", std::to_string(maxBrightness) + "\n");
    files::writeAtomically(folder / "actual_brightness", std::to_string(brightness) + "\n");
    return folder;
}

long rawBrightness(const fs::path &device)
{
    return std::stol(files::readAll(device / "brightness").value_or("-1"));
}

// Everything the real program would hand the controller, built in a fresh folder.
struct Machine
{
    explicit Machine(const fs::path &root)
        : device(addBacklight(root / "sysfs", 500, 1000))
        , backlight(root / "sysfs")
        , calibration(xdg::dataDir(), clock)
        , dailyStats(xdg::dataDir(), clock)
        , logger(xdg::stateDir(), clock)
        , loop({backlight, calibration, dailyStats, logger, clock, defaults, surroundings, surroundings, surroundings})
        , recorder(xdg::telemetryDir())
    {
        displays.plug(kPanel, {0, 0, 1920, 1080}, true, "eDP-1");
        displays.plug(kMonitor, {1920, 0, 2560, 1440}, false, "DP-2");
        displays.setPointer(Point{400, 400});
        services.optionKey = [this] { return alt; };
        // A steady picture, so that corrections have a situation to be learned for.
        surroundings.signature = [] { return std::optional<ContentSignature>(ContentSignature{0.6, 0.1, 0.3}); };
    }

    fs::path device;
    SysfsBacklight backlight;
    QSettingsDefaults defaults{xdg::settingsFile()};
    ManualClock clock{Timestamp::fromUnixSeconds(1'780'000'000)};
    CalibrationModel calibration;
    DailyStats dailyStats;
    AdjustmentLogger logger;
    LoopSurroundings surroundings;
    CompensationLoop loop;
    FakeDisplayServices displays;
    DisplayRouter router{displays, clock};
    FakeExternalBrightness external;
    FakeVolume volume{0.5};
    FakeRecorder recorder;
    FakeLoginItem login;
    bool alt = false;
    StatusItemController::Services services{backlight,   external,   router,   displays, volume,  loop,
                                            calibration, dailyStats, recorder, login,    defaults};
};

class TrayDBusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Settings and data of earlier tests must not leak in.
        std::error_code ignored;
        fs::remove_all(xdg::configHome() / "lumvex", ignored);
        fs::remove_all(xdg::dataDir(), ignored);
        fs::remove_all(xdg::stateDir(), ignored);
        ASSERT_TRUE(watcher.start());
        machine = std::make_unique<Machine>(dir.path());
        controller = std::make_unique<StatusItemController>(machine->services);
        QObject::connect(controller.get(), &StatusItemController::quitRequested, [this] { ++quits; });
        controller->updateBrightness(machine->backlight.get().value());
        auto found = host.waitForItem(QStringLiteral("lumvex-brightness"));
        ASSERT_TRUE(found) << "the brightness item did not register; items: "
                           << host.items().join(QLatin1Char(' ')).toStdString();
        brightnessItem = *found;
        found = host.waitForItem(QStringLiteral("lumvex-volume"));
        ASSERT_TRUE(found);
        volumeItem = *found;
    }

    void TearDown() override
    {
        controller.reset();
        machine.reset();
    }

    // The entry's id in the menu the host sees now.
    int entryId(const QString &item, const QString &label)
    {
        const auto entry = findEntry(host.menuLayout(item), label);
        EXPECT_TRUE(entry) << label.toStdString() << " not in "
                           << describeMenu(host.menuLayout(item)).join(QStringLiteral(" | ")).toStdString();
        return entry ? entry->id : -1;
    }

    void click(const QString &item, const QString &label)
    {
        const QDBusMessage reply = host.clickMenuEntry(item, entryId(item, label));
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    }

    TempDir dir;
    FakeStatusNotifierWatcher watcher;
    SniTestHost host;
    std::unique_ptr<Machine> machine;
    std::unique_ptr<StatusItemController> controller;
    QString brightnessItem;
    QString volumeItem;
    int quits = 0;
};

} // namespace

TEST_F(TrayDBusTest, ItemRegistersWithItsProperties)
{
    EXPECT_EQ(host.stringProperty(brightnessItem, QStringLiteral("Id")), QStringLiteral("lumvex-brightness"));
    EXPECT_EQ(host.stringProperty(brightnessItem, QStringLiteral("Category")), QStringLiteral("Hardware"));
    EXPECT_EQ(host.stringProperty(brightnessItem, QStringLiteral("Status")), QStringLiteral("Active"));
    EXPECT_EQ(host.stringProperty(brightnessItem, QStringLiteral("Title")), QStringLiteral("Brightness 50%"));
    EXPECT_TRUE(host.property(brightnessItem, QStringLiteral("ItemIsMenu")).toBool());
    EXPECT_EQ(host.stringProperty(brightnessItem, QStringLiteral("IconAccessibleDesc")),
              QStringLiteral("Brightness 50%"));
    // Hosts read every property and fail on a missing one, used or not.
    for (const char *name :
         {"WindowId", "IconThemePath", "IconName", "OverlayIconName", "OverlayIconPixmap", "AttentionIconName",
          "AttentionIconPixmap", "AttentionMovieName", "AttentionAccessibleDesc"}) {
        EXPECT_TRUE(host.property(brightnessItem, QString::fromLatin1(name)).isValid()) << name;
    }
    EXPECT_EQ(host.stringProperty(brightnessItem, QStringLiteral("Menu")), QStringLiteral("/MenuBar"));
    const SniToolTip tip = host.toolTip(brightnessItem);
    EXPECT_EQ(tip.title, QStringLiteral("Brightness"));
    EXPECT_EQ(tip.description, QStringLiteral("50%"));
    EXPECT_EQ(host.iconPixmapSizes(brightnessItem),
              (QList<QSize>{{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}, {64, 64}}));
    // Light on dark panels by default: the pie's left half is drawn in the light label colour.
    const QImage icon = host.iconPixmap(brightnessItem, 64);
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixel(6, 32), qRgba(0xf2, 0xf2, 0xf2, 0xff));
    EXPECT_EQ(qAlpha(icon.pixel(1, 1)), 0);
    EXPECT_EQ(host.items().size(), 2);
    EXPECT_EQ(host.stringProperty(volumeItem, QStringLiteral("Title")), QStringLiteral("Volume 50%"));
}

TEST_F(TrayDBusTest, IconColourSettingIsObeyed)
{
    machine->defaults.setString("iconColor", "#ff0000");
    controller->brightnessView().redraw();
    const QImage icon = host.iconPixmap(brightnessItem, 64);
    EXPECT_EQ(icon.pixel(6, 32), qRgba(0xff, 0, 0, 0xff));
}

TEST_F(TrayDBusTest, ScrollMovesTheBacklightFivePercentPerNotchAndTeachesTheLoop)
{
    host.clearSignals();
    // A Qt-based host: +120 per notch, up positive.
    EXPECT_EQ(host.scroll(brightnessItem, 120).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(rawBrightness(machine->device), 550);
    EXPECT_EQ(host.scroll(brightnessItem, -240).type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(rawBrightness(machine->device), 450);
    // Horizontal scrolls are not ours.
    host.scroll(brightnessItem, 120, QStringLiteral("horizontal"));
    EXPECT_EQ(rawBrightness(machine->device), 450);

    // xfce4-panel: -1 for wheel up.
    controller->brightnessItem().scrollHost = [](const QString &) { return scrollRules::HostScroll{1, false, true}; };
    host.scroll(brightnessItem, -1);
    EXPECT_EQ(rawBrightness(machine->device), 500);
    host.scroll(brightnessItem, 1);
    host.scroll(brightnessItem, 1);
    EXPECT_EQ(rawBrightness(machine->device), 400);

    // Every one was a manual correction: counted, logged and learned.
    EXPECT_EQ(machine->dailyStats.todayCount(), 5);
    EXPECT_EQ(machine->calibration.situationCount() >= 1, true);
    EXPECT_FLOAT_EQ(machine->loop.manualBrightness(), 0.4f);
    const std::string log = files::readAll(machine->logger.filePath()).value_or("");
    std::size_t rows = 0;
    for (std::size_t at = log.find(",scroll,"); at != std::string::npos; at = log.find(",scroll,", at + 1)) {
        ++rows;
    }
    EXPECT_EQ(rows, 5u);

    // The host hears of the new level.
    EXPECT_TRUE(spinUntil([&] { return host.signalCount(QStringLiteral("NewIcon")) > 0; }));
    EXPECT_TRUE(spinUntil([&] { return host.signalCount(QStringLiteral("NewToolTip")) > 0; }));
    EXPECT_EQ(host.stringProperty(brightnessItem, QStringLiteral("Title")), QStringLiteral("Brightness 40%"));
}

TEST_F(TrayDBusTest, InvertScrollSettingFlipsTheWheel)
{
    machine->defaults.setBool("invertScroll", true);
    host.scroll(brightnessItem, 120);
    EXPECT_EQ(rawBrightness(machine->device), 450);
}

TEST_F(TrayDBusTest, EachHostIsKnownByItsProcessAndCountedInItsUnit)
{
    machine->defaults.setBool("invertScroll", true); // for unknown hosts only
    const auto [service, path] = splitItem(brightnessItem);
    const auto scrollAs = [&](const char *program, int delta) {
        const QString call = QStringLiteral("exec -a %1 dbus-send --session --print-reply --dest=%2 %3 "
                                            "org.kde.StatusNotifierItem.Scroll int32:%4 string:vertical")
                                 .arg(QLatin1String(program), service, path)
                                 .arg(delta);
        QProcess sender;
        sender.start(QStringLiteral("bash"), {QStringLiteral("-c"), call});
        EXPECT_TRUE(spinUntil([&] { return sender.state() == QProcess::NotRunning; }));
        return rawBrightness(machine->device);
    };
    // A notch up is 5 %; a small step its share of a notch, never a notch of its own.
    EXPECT_EQ(scrollAs("waybar", -2), 550);
    EXPECT_EQ(scrollAs("waybar", -1), 575);
    EXPECT_EQ(scrollAs("/usr/bin/gnome-shell", 1), 525);
    EXPECT_EQ(scrollAs("plasmashell", 120), 575);
    EXPECT_EQ(scrollAs("plasmashell", -15), 569);
    EXPECT_EQ(scrollAs("xfce4-panel", -1), 619);
    // Unknown: 120ths up positive, here inverted by the setting.
    EXPECT_EQ(scrollAs("tray-host", 120), 569);
}

TEST_F(TrayDBusTest, ScrollOverTheVolumeItemMovesTheVolume)
{
    host.scroll(volumeItem, 120);
    EXPECT_FLOAT_EQ(machine->volume.get(), 0.55f);
    EXPECT_EQ(rawBrightness(machine->device), 500);
}

TEST_F(TrayDBusTest, ActivateLeavesTheMenuToTheHostAndMiddleClickMutes)
{
    // The item is a menu: Activate says it has no action of its own (hosts then show the exported menu)
    // and shows no window; the click's position is handed on, so the next menu can follow it.
    std::vector<std::pair<int, int>> positions;
    QObject::connect(controller.get(), &StatusItemController::hostClickedAt,
                     [&](QPoint position) { positions.emplace_back(position.x(), position.y()); });
    const QDBusMessage activated = host.activate(brightnessItem, 10, 20);
    EXPECT_EQ(activated.errorName(), QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod"));
    host.activate(volumeItem, 1900, 5);
    EXPECT_EQ(controller->brightnessItem().menusPresented(), 0);
    EXPECT_EQ(positions, (std::vector<std::pair<int, int>>{{10, 20}, {1900, 5}}));
    EXPECT_EQ(host.secondaryActivate(volumeItem).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(machine->volume.isMuted());
    EXPECT_EQ(host.secondaryActivate(brightnessItem).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(machine->volume.isMuted());
    host.secondaryActivate(volumeItem);
    EXPECT_FALSE(machine->volume.isMuted());
    host.callItem(brightnessItem, QStringLiteral("ContextMenu"), {0, 0});
    // Hosts that know no position send (0, 0): no guess is made from it.
    EXPECT_EQ(positions.size(), 2u);
}

TEST_F(TrayDBusTest, MenuOrderAndTitlesWithEverythingAndAlt)
{
    EXPECT_EQ(describeMenu(host.menuLayout(brightnessItem)),
              (QStringList{"Brightness: 50%", "Volume: 50%", "Mute", "---", "Automatic Brightness", "---", "Icon Style",
                           "  Pie", "  Curtain", "---", QStringLiteral("Check for Updates\u2026"), "Start at Login",
                           "Quit Lumvex"}));
    machine->alt = true;
    EXPECT_EQ(describeMenu(host.menuLayout(brightnessItem)),
              (QStringList{"Brightness: 50%",
                           "Volume: 50%",
                           "Mute",
                           "---",
                           "Automatic Brightness",
                           "Show Compensation Debug",
                           QStringLiteral("Calibration\u2026"),
                           "  0 content situations learned",
                           "  Last 7 days: 0.0 adj/day (baseline 0.0)",
                           QStringLiteral("  Today: 0 \u2022 days tracked: 0"),
                           "  ---",
                           "  Remember Brightness per Situation",
                           "  Reset all calibration",
                           "  Reset everything",
                           "---",
                           "Record Brightness Data",
                           "Reveal Data in File Manager",
                           "---",
                           "Icon Style",
                           "  Pie",
                           "  Curtain",
                           "---",
                           QStringLiteral("Check for Updates\u2026"),
                           "Start at Login",
                           "Quit Lumvex"}));
    // A click on the volume item puts its line first.
    const QStringList volumeMenu = describeMenu(host.menuLayout(volumeItem));
    EXPECT_EQ(volumeMenu.mid(0, 3), (QStringList{"Volume: 50%", "Brightness: 50%", "Mute"}));
}

TEST_F(TrayDBusTest, MenuPropertiesSpeakDbusmenu)
{
    const DBusMenuLayoutItem layout = host.menuLayout(brightnessItem);
    const auto status = findEntry(layout, QStringLiteral("Brightness: 50%"));
    ASSERT_TRUE(status);
    EXPECT_FALSE(status->properties.value(QStringLiteral("enabled")).toBool());
    const auto toggle = findEntry(layout, QStringLiteral("Automatic Brightness"));
    ASSERT_TRUE(toggle);
    EXPECT_EQ(toggle->properties.value(QStringLiteral("toggle-type")).toString(), QStringLiteral("checkmark"));
    EXPECT_EQ(toggle->properties.value(QStringLiteral("toggle-state")).toInt(), 0);
    EXPECT_TRUE(toggle->properties.value(QStringLiteral("enabled")).toBool());
    const auto style = findEntry(layout, QStringLiteral("Icon Style"));
    ASSERT_TRUE(style);
    EXPECT_EQ(style->properties.value(QStringLiteral("children-display")).toString(), QStringLiteral("submenu"));
    EXPECT_EQ(findEntry(layout, QStringLiteral("Pie"))->properties.value(QStringLiteral("toggle-state")).toInt(), 1);
    const auto quit = findEntry(layout, QStringLiteral("Quit Lumvex"));
    ASSERT_TRUE(quit);
    // The shortcut goes as aas: [["Control", "q"]].
    const QDBusMessage shortcut =
        host.callMenu(brightnessItem, QStringLiteral("GetProperty"), {quit->id, QStringLiteral("shortcut")});
    ASSERT_EQ(shortcut.type(), QDBusMessage::ReplyMessage);
    const QDBusArgument shortcutArgument =
        qvariant_cast<QDBusArgument>(qvariant_cast<QDBusVariant>(shortcut.arguments().at(0)).variant());
    EXPECT_EQ(shortcutArgument.currentSignature(), QStringLiteral("aas"));
    QList<QStringList> keys;
    shortcutArgument >> keys;
    EXPECT_EQ(keys, (QList<QStringList>{{QStringLiteral("Control"), QStringLiteral("q")}}));

    // Group calls answer for several entries at once; unknown ids are reported.
    const QDBusMessage group =
        host.callMenu(brightnessItem, QStringLiteral("GetGroupProperties"),
                      {QVariant::fromValue(QList<int>{toggle->id, quit->id}), QStringList{QStringLiteral("label")}});
    ASSERT_EQ(group.type(), QDBusMessage::ReplyMessage);
    DBusMenuItemPropertiesList properties;
    qvariant_cast<QDBusArgument>(group.arguments().at(0)) >> properties;
    ASSERT_EQ(properties.size(), 2);
    EXPECT_EQ(properties[1].properties.value(QStringLiteral("label")).toString(), QStringLiteral("Quit Lumvex"));
    EXPECT_EQ(properties[1].properties.size(), 1);
    const QDBusMessage shows =
        host.callMenu(brightnessItem, QStringLiteral("AboutToShowGroup"), {QVariant::fromValue(QList<int>{0, 9999})});
    ASSERT_EQ(shows.type(), QDBusMessage::ReplyMessage);
    EXPECT_EQ(qdbus_cast<QList<int>>(shows.arguments().at(1)), QList<int>{9999});
    const QDBusMessage bad =
        host.callMenu(brightnessItem, QStringLiteral("Event"),
                      {9999, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(QString())), 0u});
    EXPECT_EQ(bad.type(), QDBusMessage::ErrorMessage);
}

TEST_F(TrayDBusTest, ClicksCarryOutTheActionsAndTogglesPersist)
{
    machine->alt = true;
    click(brightnessItem, QStringLiteral("Automatic Brightness"));
    EXPECT_TRUE(machine->loop.enabled());
    click(brightnessItem, QStringLiteral("Show Compensation Debug"));
    click(brightnessItem, QStringLiteral("Curtain"));
    click(brightnessItem, QStringLiteral("Start at Login"));
    click(brightnessItem, QStringLiteral("Record Brightness Data"));
    click(volumeItem, QStringLiteral("Mute"));
    EXPECT_TRUE(machine->login.enabled);
    EXPECT_TRUE(machine->recorder.recording);
    EXPECT_TRUE(machine->volume.isMuted());

    // The next menu shows the new states.
    const DBusMenuLayoutItem layout = host.menuLayout(brightnessItem);
    EXPECT_EQ(findEntry(layout, QStringLiteral("Automatic Brightness"))->properties.value("toggle-state").toInt(), 1);
    EXPECT_EQ(findEntry(layout, QStringLiteral("Curtain"))->properties.value("toggle-state").toInt(), 1);
    EXPECT_EQ(findEntry(layout, QStringLiteral("Pie"))->properties.value("toggle-state").toInt(), 0);
    EXPECT_TRUE(findEntry(layout, QStringLiteral("Unmute")));
    // With the debug switch on, the first line tells the loop's quantities.
    EXPECT_TRUE(describeMenu(layout).first().startsWith(QStringLiteral("B: 50% \u2022 L: ")))
        << describeMenu(layout).first().toStdString();

    // The settings are in the file, for the next start.
    QSettingsDefaults reread(xdg::settingsFile());
    EXPECT_EQ(reread.boolValue("autoAdjustEnabled"), true);
    EXPECT_EQ(reread.boolValue("showCompensationDebug"), true);
    EXPECT_EQ(reread.stringValue("iconStyle"), "curtain");

    click(brightnessItem, QStringLiteral("Quit Lumvex"));
    EXPECT_EQ(quits, 1);
}

TEST_F(TrayDBusTest, HostsThatKeepTheMenuHearOfChanges)
{
    host.menuLayout(brightnessItem);
    host.callMenu(brightnessItem, QStringLiteral("Event"),
                  {0, QStringLiteral("closed"), QVariant::fromValue(QDBusVariant(QString())), 0u});
    host.clearSignals();
    // A new label is a property; Alt's entries are a new structure. Both items' menus show the brightness.
    controller->updateBrightness(0.7);
    EXPECT_TRUE(spinUntil([&] { return host.signalCount(QStringLiteral("ItemsPropertiesUpdated")) == 2; }));
    EXPECT_EQ(host.signalCount(QStringLiteral("LayoutUpdated")), 0);
    machine->alt = true;
    controller->refreshMenus();
    EXPECT_TRUE(spinUntil([&] { return host.signalCount(QStringLiteral("LayoutUpdated")) == 2; }));
    EXPECT_EQ(describeMenu(host.menuLayout(brightnessItem)).first(), QStringLiteral("Brightness: 70%"));
    // An unchanged menu gives no new revision.
    const uint revision = controller->brightnessItem().menuExporter()->revision();
    host.menuLayout(brightnessItem);
    EXPECT_EQ(controller->brightnessItem().menuExporter()->revision(), revision);
}

TEST_F(TrayDBusTest, ItemsRegisterAgainWhenTheWatcherComesBack)
{
    const int before = watcher.registrationCalls();
    watcher.stop();
    EXPECT_TRUE(host.items().isEmpty());
    ASSERT_TRUE(watcher.start());
    EXPECT_TRUE(spinUntil([&] { return watcher.registeredItems().size() == 2; }));
    EXPECT_EQ(watcher.registrationCalls(), before + 2);
    EXPECT_TRUE(host.waitForItem(QStringLiteral("lumvex-brightness")));
    EXPECT_TRUE(host.waitForItem(QStringLiteral("lumvex-volume")));
}

TEST(TrayWithoutWatcher, ItemWaitsForAWatcherThatComesLater)
{
    TempDir dir;
    Machine machine(dir.path());
    StatusItemController controller(machine.services);
    // No XEmbed tray either (no display): no fallback icon, but the item is exported and waits.
    EXPECT_FALSE(controller.brightnessItem().usesFallback());
    EXPECT_TRUE(controller.brightnessItem().usesStatusNotifier());
    EXPECT_EQ(controller.brightnessItem().watcherRegistrations(), 0);
    FakeStatusNotifierWatcher watcher(QStringLiteral("late-watcher"));
    ASSERT_TRUE(watcher.start());
    EXPECT_TRUE(spinUntil([&] { return controller.brightnessItem().watcherRegistrations() == 1; }));
    SniTestHost host(QStringLiteral("late-host"));
    EXPECT_TRUE(host.waitForItem(QStringLiteral("lumvex-brightness")));
}
