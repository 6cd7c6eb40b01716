// SPDX-License-Identifier: MIT
#include "telemetry/qt/QtRepeatingTimer.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

using namespace lumvex;
using namespace std::chrono_literals;

TEST(QtRepeatingTimerTest, RepeatsUntilStoppedEvenFromItsOwnAction)
{
    QtRepeatingTimer timer;
    int fired = 0;
    timer.start(10ms, [&] {
        if (++fired == 3) {
            timer.stop();
        }
    });
    EXPECT_TRUE(timer.isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fired == 3; }, 2000));
    EXPECT_FALSE(timer.isActive());
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 3);

    // Starting again replaces the action.
    int other = 0;
    timer.start(10ms, [&] { ++other; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return other >= 2; }, 2000));
    EXPECT_EQ(fired, 3);
}
