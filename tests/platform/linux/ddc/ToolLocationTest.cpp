// SPDX-License-Identifier: MIT
#include "platform/linux/ddc/ToolLocation.h"
#include "base/Files.h"
#include "support/TempDir.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace lumvex;
using namespace lumvex::external;

namespace {

TEST(ToolLocation, TheToolIsLookedForBesideTheProgramUnlessTheEnvironmentNamesOne)
{
    test::TempDir folder;
    const std::filesystem::path program = folder / "lumvex";
    files::writeAtomically(folder / "lumvex-ddc", "#!/bin/sh\n");
    EXPECT_EQ(toolBeside(program), std::nullopt); // not executable
    ::chmod((folder / "lumvex-ddc").c_str(), 0755);
    EXPECT_EQ(toolBeside(program), folder / "lumvex-ddc");

    test::TempDir other;
    std::filesystem::create_directory(other / "lumvex-ddc");
    EXPECT_EQ(toolBeside(other / "lumvex"), std::nullopt);

    const test::ScopedEnv tool("LUMVEX_DDC_TOOL", "/opt/fake/lumvex-ddc");
    EXPECT_EQ(locateTool(), std::filesystem::path("/opt/fake/lumvex-ddc"));
}

} // namespace
