// SPDX-License-Identifier: MIT
#include "LinuxToolContext.h"
#include "SteadyDdcClock.h"
#include "base/Files.h"
#include "simulated/ddc/SimulatedMonitor.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <thread>

using namespace lumvex;
using namespace lumvex::ddc;

// lumvex-ddc with a simulated monitor in place of /dev/i2c-N and everything else real: the command
// line, the X and sysfs lookup, the lock files, DDC/CI's pauses and the bus's 100 kHz. The monitor's
// state lives in $LUMVEX_DDC_SIMULATED_STATE as "current maximum writes [fault]" between runs; when that
// names a folder, each bus has a monitor of its own in the file i2c-N there, and a bus without one has
// nothing on it. Faults: "refuses" (no brightness control), "slow" (a second before every answer) and
// "vanishes" (gone during its next setting, and for good).
int main(int argc, char **argv)
{
    const char *stateFile = std::getenv("LUMVEX_DDC_SIMULATED_STATE");
    if (stateFile == nullptr || *stateFile == '\0') {
        std::cerr << "lumvex-ddc-simulated: set LUMVEX_DDC_SIMULATED_STATE to the monitor's state file\n";
        return 2;
    }
    const std::vector<std::string> args(argv + 1, argv + argc);
    SteadyDdcClock clock;
    std::optional<SimulatedMonitor> monitor;
    std::filesystem::path state;
    int writes = 0;
    std::string fault;
    const auto load = [&](const std::filesystem::path &file) {
        const std::optional<std::string> text = files::readAll(file);
        if (!text && std::filesystem::is_directory(stateFile)) {
            return false;
        }
        unsigned current = 50;
        unsigned maximum = 100;
        std::istringstream(text.value_or("")) >> current >> maximum >> writes >> fault;
        state = file;
        monitor.emplace(clock, VcpValue{static_cast<std::uint16_t>(current), static_cast<std::uint16_t>(maximum)});
        monitor->setByteTime(std::chrono::microseconds(90));
        monitor->setSupportsBrightness(fault != "refuses");
        if (fault == "slow") {
            std::this_thread::sleep_for(std::chrono::seconds(1));
        }
        if (fault == "vanishes" && args.size() > 2 && args[2] == "set") {
            std::filesystem::remove(file);
            monitor->nakNext(1000);
            state.clear();
        }
        return true;
    };
    ToolContext context = linuxToolContext(clock);
    context.openBus = [&](const std::filesystem::path &device) {
        const std::filesystem::path file =
            std::filesystem::is_directory(stateFile) ? std::filesystem::path(stateFile) / device.filename() : stateFile;
        if (!load(file)) {
            return OpenedBus{nullptr, std::make_error_code(std::errc::no_such_device), false};
        }
        return OpenedBus{monitor->connect(), {}, false};
    };

    const int status = runTool(args, context, std::cout, std::cerr);
    if (monitor && !state.empty()) {
        const VcpValue after = monitor->brightness();
        // Renamed into place, so that a test reading meanwhile never sees it empty; not flushed to disk,
        // which would be most of a run's time.
        const std::filesystem::path next = state.string() + ".next";
        std::ofstream(next) << after.current << ' ' << after.maximum << ' ' << writes + monitor->writesApplied()
                            << (fault.empty() ? "" : " " + fault) << '\n';
        std::filesystem::rename(next, state);
    }
    return status;
}
