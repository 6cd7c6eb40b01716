// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>

namespace lumvex::external {

// The DDC tool: $LUMVEX_DDC_TOOL when set and not empty, else lumvex-ddc beside the running
// executable when it is an executable file there; nothing otherwise.
std::optional<std::filesystem::path> locateTool();

// lumvex-ddc in the folder of `executable`, when it is an executable file.
std::optional<std::filesystem::path> toolBeside(const std::filesystem::path &executable);

} // namespace lumvex::external
