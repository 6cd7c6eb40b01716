// SPDX-License-Identifier: MIT
#include "platform/linux/x11/WindowClass.h"

#include <gtest/gtest.h>

using namespace lumvex::x11;
using namespace std::string_literals;

TEST(WindowClassTest, TakesTheClassElseTheInstance)
{
    EXPECT_EQ(windowClassName("navigator\0firefox"s), "firefox"); // without the last terminator
    EXPECT_EQ(windowClassName("xterm\0\0"s), "xterm");
    EXPECT_EQ(windowClassName("xterm"s), "xterm");
    EXPECT_EQ(windowClassName("\0\0"s), std::nullopt);
    EXPECT_EQ(windowClassName(""), std::nullopt);
}

TEST(WindowClassTest, ReadsLatin1UnlessTheTextIsAlreadyUtf8)
{
    EXPECT_EQ(textFromLatin1("Caf\xc3\xa9"), "Caf\xc3\xa9");
    EXPECT_TRUE(isValidUtf8("\xf0\x9f\x98\x80 plain"));
    for (const char *bad : {"\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82", "\x80", "\xff"}) {
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
    }
}
