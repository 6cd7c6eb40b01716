// SPDX-License-Identifier: MIT
#include "output/DisplayRanges.h"
#include "base/Files.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumvex;

// A broken or hostile ranges file costs only its bad entries; the next write keeps the file as it was read.
TEST(DisplayRanges, BadEntriesAreLeftOutAndTheOthersKept)
{
    test::TempDir dir;
    const std::string hostile = R"({"ACM-0001-00000005": {"low": 0.2, "high": 0.6, "name": "Tall"},
        "inverted": {"low": 0.8, "high": 0.2}, "beyond": {"low": 0.1, "high": 1.5}, "narrow": {"low": 0.5, "high": 0.5},
        "text": {"low": "0.1", "high": 0.9}, "list": [0.1, 0.9], ")" +
                                std::string(300, 'x') + R"(": {"low": 0, "high": 1}})";
    ASSERT_TRUE(files::writeAtomically(dir / "display_ranges.json", hostile));
    DisplayRanges ranges(dir.path());
    EXPECT_EQ(ranges.entries().size(), 1u);
    EXPECT_EQ(ranges.range("ACM-0001-00000005"), (DisplayRange{0.2, 0.6}));
    EXPECT_EQ(ranges.range("unknown"), DisplayRange{});
    EXPECT_FALSE(ranges.set("ACM-0001-00000006", "", {0.7, 0.3}));
    EXPECT_TRUE(ranges.set("ACM-0001-00000006", "", {0.1, 0.9}));
    EXPECT_EQ(DisplayRanges(dir.path()).entries().size(), 2u);
    std::vector<std::string> kept;
    for (const auto &entry : std::filesystem::directory_iterator(dir.path())) {
        if (entry.path().filename().string().starts_with("display_ranges.json.unreadable-")) {
            kept.push_back(files::readAll(entry.path()).value_or(""));
        }
    }
    EXPECT_EQ(kept, std::vector<std::string>{hostile});
}
