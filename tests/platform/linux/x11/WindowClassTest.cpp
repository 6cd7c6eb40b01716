// SPDX-License-Identifier: MIT
#include "platform/linux/x11/WindowClass.h"

#include <gtest/gtest.h>

using namespace lumvex::x11;

// Class names are read in the front application's test; the forms of broken UTF-8 are listed here.
TEST(WindowClassTest, Utf8MustBeWellFormed)
{
    EXPECT_TRUE(isValidUtf8("\xf0\x9f\x98\x80 plain"));
    for (const char *bad : {"\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82", "\x80", "\xff"}) {
        EXPECT_FALSE(isValidUtf8(bad)) << bad;
    }
}
