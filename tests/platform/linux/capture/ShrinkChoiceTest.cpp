// SPDX-License-Identifier: MIT
#include "platform/linux/x11/capture/ShrinkChoice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

// Frames read the way the choice says, each way taking the given time; 'S' shrunk, 'F' full size.
std::string run(ShrinkChoice &choice, int frames, std::chrono::milliseconds full, std::chrono::milliseconds shrunk)
{
    std::string ways;
    for (int i = 0; i < frames; ++i) {
        const bool shrinks = choice.shrinks();
        choice.note(shrinks, shrinks ? shrunk : full);
        ways += shrinks ? 'S' : 'F';
    }
    return ways;
}

TEST(ShrinkChoiceTest, TimesBothWaysThenKeepsTheCheaperAndLooksAgainNowAndThen)
{
    ShrinkChoice choice;
    EXPECT_EQ(run(choice, 8, 5ms, 1ms), "SFSFSFSS");
    const std::string settled = run(choice, ShrinkChoice::kRetryEvery, 5ms, 1ms);
    EXPECT_EQ(settled.find('F'), static_cast<std::size_t>(ShrinkChoice::kRetryEvery - 4));
    EXPECT_EQ(std::count(settled.begin(), settled.end(), 'F'), 1);

    // The server got slower at shrinking: within a few frames the plain copy takes over.
    const std::string changed = run(choice, 20, 5ms, 20ms);
    EXPECT_EQ(changed.substr(changed.size() - 10), std::string(10, 'F'));
}

} // namespace
