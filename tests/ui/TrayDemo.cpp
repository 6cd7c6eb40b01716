// lumvex-tray-demo: the two status items and their menus over simulated devices, for trying panels by
// hand and for the README's screenshot. Scrolls and clicks act on the simulated backlight and volume and
// teach the real loop, whose files go to the usual XDG folders (point them elsewhere to keep yours clean).
//
//   lumvex-tray-demo [--alt] [--level 0.62] [--volume 0.4] [--curtain]
//
// --alt shows the diagnostic entries without holding Alt (some panels take Alt+click for themselves).
#include "Doubles.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "engine/SystemClock.h"
#include "simulated/SimulatedBrightness.h"
#include "platform/linux/QSettingsDefaults.h"
#include "platform/linux/XdgPaths.h"
#include "sensing/DisplayRouter.h"
#include "simulated/FakeDisplayServices.h"
#include "support/LoopSurroundings.h"
#include "ui/IconStyle.h"
#include "ui/StatusItemController.h"
#include "ui/TrayItem.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDesktopServices>

#include <cstdio>

using namespace lumvex;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("lumvex-tray-demo"));
    app.setQuitOnLastWindowClosed(false);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption alt(QStringLiteral("alt"), QStringLiteral("Show the entries of the Alt key."));
    const QCommandLineOption level(QStringLiteral("level"), QStringLiteral("Brightness 0...1."), QStringLiteral("B"),
                                   QStringLiteral("0.62"));
    const QCommandLineOption volumeLevel(QStringLiteral("volume"), QStringLiteral("Volume 0...1."), QStringLiteral("V"),
                                         QStringLiteral("0.4"));
    const QCommandLineOption curtain(QStringLiteral("curtain"), QStringLiteral("Use the curtain icon style."));
    parser.addOptions({alt, level, volumeLevel, curtain});
    parser.process(app);

    SystemClock clock;
    QSettingsDefaults defaults(xdg::settingsFile());
    if (parser.isSet(curtain)) {
        iconStyle::setCurrent(defaults, IconStyle::curtain);
    }
    SimulatedBrightness brightness(parser.value(level).toDouble());
    CalibrationModel calibration(xdg::dataDir(), clock);
    DailyStats dailyStats(xdg::dataDir(), clock);
    AdjustmentLogger logger(xdg::stateDir(), clock);
    test::LoopSurroundings surroundings;
    surroundings.signature = [] { return std::optional<ContentSignature>(ContentSignature{0.55, 0.1, 0.3}); };
    CompensationLoop loop(
        {brightness, calibration, dailyStats, logger, clock, defaults, surroundings, surroundings, surroundings});
    FakeDisplayServices displays;
    displays.plug(1, {0, 0, 1920, 1080}, true, "eDP-1");
    test::FakeVolume volume(parser.value(volumeLevel).toDouble());
    test::FakeRecorder recorder(xdg::telemetryDir());
    test::FakeLoginItem login;
    test::FakeExternalBrightness external;
    DisplayRouter router(displays, clock);

    StatusItemController::Services services{brightness,  external,   router,   displays, volume,  loop,
                                            calibration, dailyStats, recorder, login,    defaults};
    if (parser.isSet(alt)) {
        services.optionKey = [] { return true; };
    }
    StatusItemController controller(services);
    QObject::connect(&controller, &StatusItemController::quitRequested, &app, &QCoreApplication::quit);
    QObject::connect(&controller, &StatusItemController::checkForUpdatesRequested,
                     [] { std::puts("check for updates"); });
    QObject::connect(&controller, &StatusItemController::revealRequested,
                     [](const QUrl &folder) { QDesktopServices::openUrl(folder); });
    controller.updateBrightness(brightness.level());
    controller.updateVolume(volume.get());
    std::printf("brightness item: %s\n", controller.brightnessItem().usesStatusNotifier()
                                             ? "StatusNotifierItem"
                                             : (controller.brightnessItem().usesFallback() ? "XEmbed" : "none"));
    std::fflush(stdout);
    return app.exec();
}
