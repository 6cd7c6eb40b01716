// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace lumvex::sim {

// `lumvex simulate [options]`: the whole main job on a simulated clock, without a desktop. Returns the
// process exit status: 0 on success, 2 for bad input (one line on `err`, nothing written).
// `defaultOutRoot` is where a run without --out gets its own new folder.
int runSimulateCommand(const std::vector<std::string> &args, const std::filesystem::path &defaultOutRoot,
                       std::ostream &out, std::ostream &err, bool interactive);

} // namespace lumvex::sim
