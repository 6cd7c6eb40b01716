// SPDX-License-Identifier: MIT
#include "platform/linux/ddc/ToolOutput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace lumvex;
using namespace lumvex::external;

namespace {

// Wayland's display ids use all 32 bits.
TEST(ToolOutput, CommandLinesNameTheDisplayInUnsignedDecimal)
{
    EXPECT_EQ(readArguments(4294967295u), (std::vector<std::string>{"display", "id=4294967295", "get", "luminance"}));
}

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

TEST(ToolOutput, TrimsUnicodeWhiteSpaceAndLineBreaksAtBothEnds)
{
    // No-break and ideographic space, next line, paragraph separator; a zero-width space is no white space.
    for (const auto &[text, trimmed] : std::vector<std::pair<std::string, std::string>>{{"\t\r\n73\v\f", "73"},
                                                                                        {"\xC2\xA0"
                                                                                         "73\xE3\x80\x80",
                                                                                         "73"},
                                                                                        {"\xC2\x85"
                                                                                         "73\xE2\x80\xA9",
                                                                                         "73"},
                                                                                        {" 7 3 ", "7 3"},
                                                                                        {"\xE2\x80\x8B"
                                                                                         "73",
                                                                                         "\xE2\x80\x8B"
                                                                                         "73"},
                                                                                        {" \n ", ""}}) {
        EXPECT_EQ(trimWhitespace(text), trimmed) << text;
    }
}

TEST(ToolOutput, IntegersAreStrict)
{
    EXPECT_EQ(parseInteger("+73"), 73);
    EXPECT_EQ(parseInteger("-5"), -5);
    EXPECT_EQ(parseInteger("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());

    for (const char *text : {"", "+", "-", "+-5", "--5", " 5", "5 ", "70%", "7.0", "1e2", "0x10", "\xD9\xA3",
                             "9223372036854775808", "-9223372036854775809"}) {
        EXPECT_EQ(parseInteger(text), std::nullopt) << text;
    }
}

TEST(ToolOutput, ReadOutputBecomesABrightness)
{
    EXPECT_DOUBLE_EQ(brightnessFromOutput("150").value(), 1.0);
    EXPECT_DOUBLE_EQ(brightnessFromOutput("-5").value(), 0.0);
    EXPECT_EQ(brightnessFromOutput("70%"), std::nullopt);
    EXPECT_EQ(brightnessFromOutput("\n"), std::nullopt);
    EXPECT_EQ(brightnessFromOutput("73\n74\n"), std::nullopt);
}

TEST(ToolOutput, PercentagesRoundHalvesAwayFromZero)
{
    EXPECT_EQ(percentForBrightness(0.735), 74); // 0.125 and 0.734 are seen through the controller
    EXPECT_EQ(percentForBrightness(1.2), 100);
    EXPECT_EQ(percentForBrightness(-0.3), 0);
    EXPECT_EQ(percentForBrightness(std::numeric_limits<double>::infinity()), 100);
    EXPECT_EQ(percentForBrightness(std::nan("")), std::nullopt);
}

} // namespace
