// SPDX-License-Identifier: MIT
#include "LinuxToolContext.h"
#include "SteadyDdcClock.h"

#include <iostream>

int main(int argc, char **argv)
{
    lumvex::ddc::SteadyDdcClock clock;
    lumvex::ddc::ToolContext context = lumvex::ddc::linuxToolContext(clock);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return lumvex::ddc::runTool(args, context, std::cout, std::cerr);
}
