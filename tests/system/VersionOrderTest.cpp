// SPDX-License-Identifier: MIT
#include "system/VersionOrder.h"

#include <gtest/gtest.h>

namespace lumvex {
namespace {

// Each pair: older, newer.
TEST(VersionOrder, NewerVersionsCompareGreater)
{
    const std::pair<const char *, const char *> pairs[] = {
        {"0.1.0", "0.2.0"},
        {"1.9", "1.10"},
        {"1.0", "1.0.1"},
        {"0.9.9", "1"},
        {"0.2.0-rc1", "0.2.0"},
        {"0.2.0-rc9", "0.2.0-rc10"},
        {"1.0b2", "1.0"},
        {"1.0~beta", "1.0"},
        {"1.0-alpha", "1.0-beta"},
        {"1.0-rc1", "1.0.1"},
        {"99999999999999999999", "100000000000000000000"},
    };
    for (const auto &[older, newer] : pairs) {
        EXPECT_TRUE(compareVersions(older, newer) < 0) << older << " < " << newer;
        EXPECT_TRUE(compareVersions(newer, older) > 0) << newer << " > " << older;
    }
}

TEST(VersionOrder, SpellingsOfTheSameVersionAreEqual)
{
    EXPECT_TRUE(compareVersions("1.0", "1.0.0") == 0);
    EXPECT_TRUE(compareVersions("v0.2", "0.2.0") == 0);
    EXPECT_TRUE(compareVersions(" 0.1.0 ", "0.1.0+build.5") == 0);
    EXPECT_TRUE(compareVersions("01.002", "1.2") == 0);
}

} // namespace
} // namespace lumvex
