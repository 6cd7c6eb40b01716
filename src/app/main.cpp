// SPDX-License-Identifier: MIT
#include "app/control/CtlCommand.h"
#include "app/shell/AppShell.h"
#include "app/shell/QuitOnSignal.h"
#include "app/shell/SingleInstance.h"
#include "app/simulation/SimulateCommand.h"
#include "base/Files.h"
#include "base/Translation.h"
#include "engine/SystemClock.h"
#include "platform/linux/Logging.h"
#include "platform/linux/QSettingsDefaults.h"
#include "platform/linux/XdgPaths.h"
#include "platform/linux/desktop/SessionEnvironment.h"
#include "platform/linux/i18n/Translations.h"
#include "telemetry/report/ReportCommand.h"

#include <QApplication>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char *kUsage = QT_TRANSLATE_NOOP("Usage", R"(Usage: lumvex [command]

Keeps the light you perceive from the laptop's display steady while the screen content changes,
and learns from every manual brightness change.

Commands:
  (none)      run in the tray
  simulate    run the brightness loop on simulated days without a desktop (see lumvex simulate --help)
  report      plot recorded telemetry and the adjustment log as a web page (see lumvex report --help)
  ctl         drive the running Lumvex: brightness up or down, pause, status (see lumvex ctl --help)

Options:
  -h, --help     show this help
  -V, --version  show the version
)");

// Texts in the user's language from here on; the files written keep their decimal points whatever it is.
void useLanguage()
{
    std::setlocale(LC_NUMERIC, "C");
    lumvex::i18n::installTranslations(QStringLiteral(LUMVEX_TRANSLATIONS_FROM_PROGRAM));
}

// A line on stderr before the tray's own application exists, in the user's language.
void sayBeforeStart(const char *source, std::initializer_list<std::string_view> values = {})
{
    int argc = 1;
    char name[] = "lumvex";
    char *argv[] = {name, nullptr};
    const QCoreApplication app(argc, argv);
    useLanguage();
    std::cerr << lumvex::i18n::arg(lumvex::i18n::translate("Tray", source), values) << '\n';
}

bool hasVariable(const char *name)
{
    const char *value = std::getenv(name);
    return value && *value;
}

// Where the single-instance lock lives: the runtime folder, else a folder in /tmp that only this user
// controls. Anyone may make that name first, so one owned by another user or open to others is
// refused for the private state folder, lest another user keep Lumvex from starting.
std::filesystem::path lockFolder()
{
    if (const char *dir = std::getenv("XDG_RUNTIME_DIR"); dir && *dir) {
        return dir;
    }
    std::error_code error;
    const auto shared = std::filesystem::temp_directory_path(error) / ("lumvex-" + std::to_string(::getuid()));
    lumvex::files::makePrivateDirectories(shared);
    struct stat info
    {};
    if (::lstat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid() &&
        (info.st_mode & 077) == 0) {
        return shared;
    }
    const auto fallback = lumvex::xdg::stateDir();
    sayBeforeStart(
        QT_TRANSLATE_NOOP("Tray", "lumvex: %1 belongs to another user or is open to others; the lock goes to %2"),
        {shared.string(), fallback.string()});
    lumvex::files::makePrivateDirectories(fallback);
    return fallback;
}

// In a Wayland session the tray needs no compositor connection of Qt's own: its items and menus live on
// D-Bus and it shows no window. The X server beside the compositor still serves the XEmbed fallback and
// the keyboard's state; without one, Qt's offscreen platform. Qt's Wayland plugin is never chosen, so the
// program is the same whether that plugin is installed or not.
const char *qtPlatformForWayland()
{
    return hasVariable("DISPLAY") ? "xcb" : "offscreen";
}

int runTray(int argc, char **argv)
{
    using namespace lumvex;
    if (!hasVariable("DISPLAY") && !hasVariable("WAYLAND_DISPLAY")) {
        sayBeforeStart(QT_TRANSLATE_NOOP("Tray", "lumvex: no graphical session (neither DISPLAY nor WAYLAND_DISPLAY is "
                                                 "set); lumvex simulate runs the loop without one"));
        return 1;
    }
    const SingleInstance instance(lockFolder() / "lumvex.lock");
    if (!instance.isFirst()) {
        // Started again from the menu, most likely because nothing seemed to happen: the one that runs shows
        // itself. Whether it could or not, this start has done its part.
        sayBeforeStart(QT_TRANSLATE_NOOP("Tray", "lumvex: already running for this user; it shows where it is"));
        std::ostringstream ignored;
        runCtlCommand({"show"}, ignored, ignored);
        return 0;
    }

    // Named on the command line rather than in the environment, so that programs Lumvex starts (the file
    // manager, the DDC tool) keep the session's own platform.
    std::vector<char *> qtArgs(argv, argv + argc);
    std::string platformOption = "-platform";
    std::string platform;
    if (!hasVariable("QT_QPA_PLATFORM") && displayProtocol(SessionEnvironment::current()) == DisplayProtocol::wayland) {
        platform = qtPlatformForWayland();
        qtArgs.insert(qtArgs.begin() + 1, {platformOption.data(), platform.data()});
    }
    int qtArgc = static_cast<int>(qtArgs.size());
    qtArgs.push_back(nullptr);
    QApplication app(qtArgc, qtArgs.data());
    QApplication::setApplicationName(QStringLiteral("lumvex"));
    QApplication::setApplicationVersion(QStringLiteral(LUMVEX_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);
    useLanguage();
    QuitOnSignal quitOnSignal;

    SystemClock clock;
    QSettingsDefaults defaults(xdg::settingsFile());
    // Units of systemd (the user service, and the session's autostart entries where systemd runs them) carry an
    // invocation id; gnome-session gives the programs it starts an autostart id.
    const bool startedAtLogin = hasVariable("INVOCATION_ID") || hasVariable("DESKTOP_AUTOSTART_ID");
    AppShell shell(clock, defaults, startedAtLogin);
    shell.launch();
    if (!shell.hasBacklight()) {
        std::cerr << i18n::translate("Tray", "lumvex: no backlight found under /sys/class/backlight; the built-in "
                                             "display's brightness cannot be adjusted (external monitors and volume "
                                             "still work)")
                  << '\n';
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char **argv)
{
    lumvex::files::setWarningSink([](const std::string &line) { qCWarning(lcFiles, "%s", line.c_str()); });
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "ctl") {
        return lumvex::runCtlCommand({args.begin() + 1, args.end()}, std::cout, std::cerr,
                                     LUMVEX_TRANSLATIONS_FROM_PROGRAM);
    }
    if (!args.empty() && (args[0] == "-V" || args[0] == "--version")) {
        std::cout << "lumvex " << LUMVEX_VERSION << '\n';
        return 0;
    }
    if (args.empty()) {
        return runTray(argc, argv);
    }
    const QCoreApplication app(argc, argv);
    useLanguage();
    if (args[0] == "simulate") {
        return lumvex::sim::runSimulateCommand({args.begin() + 1, args.end()}, lumvex::xdg::stateDir() / "simulations",
                                               std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1);
    }
    if (args[0] == "report") {
        const lumvex::SystemClock clock;
        return lumvex::report::runReportCommand(
            {args.begin() + 1, args.end()},
            {lumvex::xdg::telemetryDir(), lumvex::xdg::stateDir() / "adjustments.csv", ::isatty(STDERR_FILENO) == 1},
            clock, std::cout, std::cerr);
    }
    if (args[0] == "-h" || args[0] == "--help") {
        std::cout << QCoreApplication::translate("Usage", kUsage).toStdString();
        return 0;
    }
    std::cerr << lumvex::i18n::arg(lumvex::i18n::translate("Tray", "lumvex: unknown command %1 (see lumvex --help)"),
                                   {lumvex::files::quoted(args[0])})
              << '\n';
    return 2;
}
