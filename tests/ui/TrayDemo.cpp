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
#include "output/SimulatedBrightness.h"
#include "platform/linux/QSettingsDefaults.h"
#include "platform/linux/XdgPaths.h"
#include "sensing/FakeDisplayServices.h"
#include "ui/IconStyle.h"
#include "ui/StatusItemController.h"
#include "ui/TrayItem.h"

#include <QApplication>
#include <QCommandLineParser>

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
    CompensationLoop loop({brightness, calibration, dailyStats, logger, clock, defaults});
    loop.signatureProvider = [] { return std::optional<ContentSignature>(ContentSignature{0.55, 0.1, 0.3}); };
    FakeDisplayServices displays;
    displays.plug(1, {0, 0, 1920, 1080}, true, "eDP-1");
    test::FakeVolume volume(parser.value(volumeLevel).toDouble());
    test::FakeRecorder recorder(xdg::telemetryDir());
    test::FakeLoginItem login;

    StatusItemController controller(brightness, defaults);
    if (parser.isSet(alt)) {
        controller.optionKeyProvider = [] { return true; };
    }
    controller.onCheckForUpdates = [] { std::puts("check for updates"); };
    controller.updateBrightness(brightness.level());
    controller.enableFullFeatures(nullptr, nullptr, displays, &volume, &loop, &calibration, &dailyStats);
    controller.setRecorder(&recorder);
    controller.setLoginItem(&login);
    controller.updateVolume(volume.get());
    std::printf("brightness item: %s\n", controller.brightnessItem().usesStatusNotifier()
                                             ? "StatusNotifierItem"
                                             : (controller.brightnessItem().usesFallback() ? "XEmbed" : "none"));
    std::fflush(stdout);
    return app.exec();
}
