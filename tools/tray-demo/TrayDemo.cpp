// SPDX-License-Identifier: MIT
// lumvex-tray-demo: the two status items and their menus over simulated devices, for trying panels by
// hand and for the README's screenshot. Scrolls and clicks act on the simulated backlight and volume and
// teach the real loop, whose files go to the usual XDG folders (point them elsewhere to keep yours clean).
//
//   lumvex-tray-demo [--alt] [--level 0.62] [--volume 0.4] [--curtain]
//   lumvex-tray-demo --icons FOLDER
//
// --alt shows the diagnostic entries without holding Alt (some panels take Alt+click for themselves).
// --icons writes every icon variant as PNG, and all of them on one sheet (docs/icons.png), and exits.
#include "Doubles.h"
#include "engine/AdjustmentLogger.h"
#include "engine/CalibrationModel.h"
#include "engine/CompensationLoop.h"
#include "engine/DailyStats.h"
#include "engine/SystemClock.h"
#include "output/DisplayLink.h"
#include "output/DisplayRanges.h"
#include "platform/linux/QSettingsDefaults.h"
#include "platform/linux/XdgPaths.h"
#include "platform/linux/i18n/Translations.h"
#include "sensing/DisplayRouter.h"
#include "simulated/FakeDisplayServices.h"
#include "simulated/SimulatedBrightness.h"
#include "support/LoopSurroundings.h"
#include "ui/IconRenderer.h"
#include "ui/IconStyle.h"
#include "ui/ScrollableStatusView.h"
#include "ui/StatusItemController.h"
#include "ui/TrayItem.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDesktopServices>
#include <QDir>
#include <QPainter>

#include <cstdio>

using namespace lumvex;

namespace {

bool writeIcons(const QString &folder)
{
    if (!QDir().mkpath(folder)) {
        return false;
    }
    const std::vector<double> levels{0.0, 0.25, 0.5, 0.75, 1.0};
    const QColor label(0xf2, 0xf2, 0xf2);
    constexpr int cell = 64;
    QImage sheet(cell * static_cast<int>(levels.size() + 2), cell * 6, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x2b, 0x2b, 0x2b));
    QPainter sheetPainter(&sheet);
    int row = 0;
    bool written = true;
    const auto place = [&](const IconImage &icon, int column, const QString &name) {
        ScrollableStatusView view([icon](double) { return icon; });
        sheetPainter.drawImage(column * cell, row * cell, view.draw(cell, label));
        written = icon.toImage(cell).save(folder + QLatin1Char('/') + name + QStringLiteral(".png")) && written;
    };
    for (IconStyle style : iconStyle::allCases) {
        const QString styleName = QString::fromStdString(iconStyle::rawValue(style));
        for (DisplayKind kind : {DisplayKind::builtIn, DisplayKind::external}) {
            const QString kindName =
                kind == DisplayKind::builtIn ? QStringLiteral("laptop") : QStringLiteral("monitor");
            for (std::size_t i = 0; i < levels.size(); ++i) {
                place(IconRenderer::brightnessImage(levels[i], kind, style), static_cast<int>(i),
                      QStringLiteral("brightness-%1-%2-%3").arg(styleName, kindName).arg(qRound(levels[i] * 100)));
            }
            ++row;
        }
        for (std::size_t i = 0; i < levels.size(); ++i) {
            place(IconRenderer::volumeImage(std::max(levels[i], 0.01), false, style, QIcon()), static_cast<int>(i),
                  QStringLiteral("volume-%1-%2").arg(styleName).arg(qRound(levels[i] * 100)));
        }
        place(IconRenderer::volumeImage(0.5, true, style, QIcon()), static_cast<int>(levels.size()),
              QStringLiteral("volume-%1-muted-drawn").arg(styleName));
        place(IconRenderer::volumeImage(0.5, true, style), static_cast<int>(levels.size() + 1),
              QStringLiteral("volume-%1-muted-theme").arg(styleName));
        ++row;
    }
    sheetPainter.end();
    return sheet.save(folder + QStringLiteral("/all-icons.png")) && written;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("lumvex-tray-demo"));
    app.setQuitOnLastWindowClosed(false);
    // The program's catalogues, for its texts and their plural forms, as the tray program finds them.
    lumvex::i18n::installTranslations(QStringLiteral(LUMVEX_DEMO_TRANSLATIONS));
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption alt(QStringLiteral("alt"), QStringLiteral("Show the entries of the Alt key."));
    const QCommandLineOption level(QStringLiteral("level"), QStringLiteral("Brightness 0...1."), QStringLiteral("B"),
                                   QStringLiteral("0.62"));
    const QCommandLineOption volumeLevel(QStringLiteral("volume"), QStringLiteral("Volume 0...1."), QStringLiteral("V"),
                                         QStringLiteral("0.4"));
    const QCommandLineOption curtain(QStringLiteral("curtain"), QStringLiteral("Use the curtain icon style."));
    const QCommandLineOption icons(QStringLiteral("icons"), QStringLiteral("Write every icon as PNG and exit."),
                                   QStringLiteral("FOLDER"));
    parser.addOptions({alt, level, volumeLevel, curtain, icons});
    parser.process(app);
    if (parser.isSet(icons)) {
        if (!writeIcons(parser.value(icons))) {
            std::fprintf(stderr, "lumvex-tray-demo: cannot write the icons to %s\n", qPrintable(parser.value(icons)));
            return 1;
        }
        return 0;
    }

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
    DisplayRanges ranges(xdg::settingsFile().parent_path());
    DisplayLink link({brightness, external, displays, defaults, ranges, {}});

    StatusItemController::Services services{brightness,  external,   router,   displays, volume,   loop,
                                            calibration, dailyStats, recorder, login,    defaults, link};
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
