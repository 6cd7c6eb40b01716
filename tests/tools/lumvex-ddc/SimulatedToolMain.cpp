// SPDX-License-Identifier: MIT
#include "LinuxToolContext.h"
#include "simulated/ddc/SimulatedMonitor.h"
#include "SteadyDdcClock.h"
#include "base/Files.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>

using namespace lumvex;
using namespace lumvex::ddc;

// lumvex-ddc with a simulated monitor in place of /dev/i2c-N and everything else real: the command
// line, the X and sysfs lookup, the lock files, DDC/CI's pauses and the bus's 100 kHz. The monitor's
// state lives in $LUMVEX_DDC_SIMULATED_STATE as "current maximum writes" between runs.
int main(int argc, char **argv)
{
    const char *stateFile = std::getenv("LUMVEX_DDC_SIMULATED_STATE");
    if (stateFile == nullptr || *stateFile == '\0') {
        std::cerr << "lumvex-ddc-simulated: set LUMVEX_DDC_SIMULATED_STATE to the monitor's state file\n";
        return 2;
    }
    unsigned current = 50;
    unsigned maximum = 100;
    int writes = 0;
    if (const std::optional<std::string> text = files::readAll(stateFile)) {
        std::istringstream(*text) >> current >> maximum >> writes;
    }

    SteadyDdcClock clock;
    SimulatedMonitor monitor(clock, {static_cast<std::uint16_t>(current), static_cast<std::uint16_t>(maximum)});
    monitor.setByteTime(std::chrono::microseconds(90));
    ToolContext context = linuxToolContext(clock);
    context.openBus = [&](const std::filesystem::path &) { return OpenedBus{monitor.connect(), {}, false}; };

    const int status = runTool(std::vector<std::string>(argv + 1, argv + argc), context, std::cout, std::cerr);
    const VcpValue after = monitor.brightness();
    // A plain write: flushing to disk would be most of a run's time.
    std::ofstream(stateFile) << after.current << ' ' << after.maximum << ' ' << writes + monitor.writesApplied()
                             << '\n';
    return status;
}
