// SPDX-License-Identifier: MIT
#include "ToolLocation.h"

#include <cstdlib>
#include <unistd.h>

namespace lumvex::external {

namespace fs = std::filesystem;

std::optional<fs::path> locateTool()
{
    if (const char *overridden = std::getenv("LUMVEX_DDC_TOOL"); overridden && *overridden) {
        return fs::path(overridden);
    }
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? std::nullopt : toolBeside(executable);
}

std::optional<fs::path> toolBeside(const fs::path &executable)
{
    const fs::path tool = executable.parent_path() / "lumvex-ddc";
    std::error_code error;
    if (!fs::is_regular_file(tool, error) || ::access(tool.c_str(), X_OK) != 0) {
        return std::nullopt;
    }
    return tool;
}

} // namespace lumvex::external
