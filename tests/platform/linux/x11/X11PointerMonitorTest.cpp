// SPDX-License-Identifier: MIT
#include "platform/linux/x11/X11PointerMonitor.h"
#include "XServerControl.h"
#include "platform/linux/x11/X11DisplayServices.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace lumvex;
using namespace std::chrono_literals;

namespace {

TEST(X11PointerMonitor, ReportsMovesFoldingBurstsAndEndingWithTheLastPosition)
{
    test::XServerControl control;
    X11DisplayServices displays;
    int reports = 0;
    std::optional<Point> reportedAt;
    X11PointerMonitor monitor(
        [&] {
            ++reports;
            reportedAt = displays.pointerLocation();
        },
        50ms);
    ASSERT_TRUE(monitor.isActive());

    for (int i = 1; i <= 10; ++i) {
        control.movePointer(100 + i * 10, 500);
    }
    // At the pixel's centre, in desktop coordinates that grow upwards from the layout's bottom.
    EXPECT_TRUE(QTest::qWaitFor([&] { return reportedAt && reportedAt->x == 200.5 && reportedAt->y == 579.5; }));
    QTest::qWait(200);
    EXPECT_LT(reports, 10);

    // A warp is no device movement and reports nothing.
    const int before = reports;
    control.warpPointer(700, 500);
    QTest::qWait(200);
    EXPECT_EQ(reports, before);
}

} // namespace
