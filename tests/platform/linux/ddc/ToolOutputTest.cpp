// SPDX-License-Identifier: MIT
#include "platform/linux/ddc/ToolOutput.h"
#include "base/Files.h"
#include "platform/linux/ddc/ToolLocation.h"
#include "support/TempDir.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lumvex;
using namespace lumvex::external;

namespace {

TEST(ToolOutput, Utf8MustBeWellFormed)
{
    for (const char *text : {"", "73\n", "\xE2\x80\xA8 \xF0\x9F\x92\xA1", "\xF4\x8F\xBF\xBF"}) {
        EXPECT_TRUE(isValidUtf8(text)) << text;
    }
    // A lone or cut-short sequence, overlong forms, a surrogate, past U+10FFFF.
    for (const char *text :
         {"\xFF", "7\x80", "\xC3", "\xC0\xB7", "\xE0\x80\xB7", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xE2\x28\xA1"}) {
        EXPECT_FALSE(isValidUtf8(text)) << text;
    }
}

// The integer between any white space, Unicode's too, limited to 0...100; anything else is no reading.
TEST(ToolOutput, ReadOutputBecomesABrightness)
{
    // No-break and ideographic space, next line, paragraph separator; a zero-width space is no white space.
    // In octal, so that no digit after an escape is taken into it.
    for (const auto &[text, brightness] :
         std::initializer_list<std::pair<const char *, double>>{{"\t\r\n73\v\f", 0.73},
                                                                {"\302\24073\343\200\200", 0.73},
                                                                {"\302\20573\342\200\251", 0.73},
                                                                {"+73", 0.73},
                                                                {"150", 1.0},
                                                                {"-5", 0.0},
                                                                {"-9223372036854775808", 0.0}}) {
        EXPECT_EQ(brightnessFromOutput(text), brightness) << text;
    }
    for (const char *text : {"\342\200\21373", " 7 3 ", " \n ", "", "+", "-", "+-5", "--5", "70%", "7.0", "1e2", "0x10",
                             "\xD9\xA3", "9223372036854775808", "-9223372036854775809", "73\n74\n"}) {
        EXPECT_EQ(brightnessFromOutput(text), std::nullopt) << text;
    }
}

// Percentages at the edges; 0.125 and 0.734 are seen through the controller. Wayland's display ids
// use all 32 bits.
TEST(ToolOutput, LevelsAndDisplayIdsAtTheirEdges)
{
    EXPECT_EQ(readArguments(4294967295u), (std::vector<std::string>{"display", "id=4294967295", "get", "luminance"}));
    for (const auto &[level, percent] : std::initializer_list<std::pair<double, std::optional<int>>>{
             {0.735, 74}, {1.2, 100}, {-0.3, 0}, {std::numeric_limits<double>::infinity(), 100}, {std::nan(""), {}}}) {
        EXPECT_EQ(percentForBrightness(level), percent) << level;
    }
}

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
