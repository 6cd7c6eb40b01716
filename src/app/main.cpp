#include "app/simulation/SimulateCommand.h"
#include "platform/linux/XdgPaths.h"

#include <cstring>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char *kUsage = R"(Usage: lumvex [command]

Keeps the light you perceive from the laptop's display steady while the screen content changes,
and learns from every manual brightness change.

Commands:
  (none)      run in the tray
  simulate    run the brightness loop on simulated days without a desktop (see lumvex simulate --help)

Options:
  -h, --help     show this help
  -V, --version  show the version
)";

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "simulate") {
        return lumvex::sim::runSimulateCommand({args.begin() + 1, args.end()}, lumvex::xdg::stateDir() / "simulations",
                                               std::cout, std::cerr, ::isatty(STDOUT_FILENO) == 1);
    }
    if (!args.empty() && (args[0] == "-h" || args[0] == "--help")) {
        std::cout << kUsage;
        return 0;
    }
    if (!args.empty() && (args[0] == "-V" || args[0] == "--version")) {
        std::cout << "lumvex " << LUMVEX_VERSION << '\n';
        return 0;
    }
    if (!args.empty()) {
        std::cerr << "lumvex: unknown command \"" << args[0] << "\" (see lumvex --help)\n";
        return 2;
    }
    std::cerr << "lumvex: the tray program is not part of this build yet; try lumvex simulate\n";
    return 1;
}
