#include "telemetry/qt/QtRepeatingTimer.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

// Runs the event loop until the condition holds or two seconds passed.
bool spinUntil(const std::function<bool()> &condition)
{
    QElapsedTimer clock;
    clock.start();
    while (!condition() && clock.elapsed() < 2000) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return condition();
}

} // namespace

TEST(QtRepeatingTimerTest, RepeatsUntilStoppedEvenFromItsOwnAction)
{
    int argc = 1;
    char name[] = "telemetry_qt_tests";
    char *argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);

    QtRepeatingTimer timer;
    int fired = 0;
    timer.start(10ms, [&] {
        if (++fired == 3) {
            timer.stop();
        }
    });
    EXPECT_TRUE(timer.isActive());
    ASSERT_TRUE(spinUntil([&] { return fired == 3; }));
    EXPECT_FALSE(timer.isActive());
    QCoreApplication::processEvents();
    EXPECT_EQ(fired, 3);

    // Starting again replaces the action.
    int other = 0;
    timer.start(10ms, [&] { ++other; });
    ASSERT_TRUE(spinUntil([&] { return other >= 2; }));
    EXPECT_EQ(fired, 3);
}
