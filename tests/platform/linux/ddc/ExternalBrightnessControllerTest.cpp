// SPDX-License-Identifier: MIT
#include "platform/linux/ddc/ExternalBrightnessController.h"
#include "FakeTool.h"
#include "support/TempDir.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumvex;
using namespace std::chrono_literals;
using test::FakeTool;

namespace {

constexpr DisplayId kDisplay = 415;
constexpr DisplayId kOther = 416;

class ExternalBrightnessControllerTest : public testing::Test
{
protected:
    FakeTool tool(const std::string &name, const std::string &body) { return FakeTool(folder.path(), name, body); }

    // A controller on a clock that moves only when the test says so; what it reports lands in `known`.
    std::unique_ptr<ExternalBrightnessController> controllerFor(const FakeTool &fake)
    {
        auto controller = std::make_unique<ExternalBrightnessController>(fake.path(), [this] { return now; });
        controller->onLevelKnown = [this](DisplayId display, double level) { known.emplace_back(display, level); };
        return controller;
    }

    test::TempDir folder;
    double now = 1000.0;
    std::vector<std::pair<DisplayId, double>> known;
};

// Reading, and the spacing of writes, through the real tool are seen in SimulatedToolTest.
TEST_F(ExternalBrightnessControllerTest, AFailingOrMissingToolGivesNoLevel)
{
    const FakeTool failing = tool("failing", "echo 50; exit 1");
    const auto controller = controllerFor(failing);
    EXPECT_EQ(controller->get(kDisplay), std::nullopt);
    ASSERT_TRUE(QTest::qWaitFor([&] { return failing.calls().size() == 1; }, 2000));
    QTest::qWait(100);
    EXPECT_TRUE(known.empty());
    EXPECT_EQ(controller->get(kDisplay), std::nullopt);

    ExternalBrightnessController missing(std::nullopt, [this] { return now; });
    EXPECT_FALSE(missing.set(kDisplay, 0.5));
    EXPECT_EQ(missing.get(kDisplay), std::nullopt);
}

TEST_F(ExternalBrightnessControllerTest, AHungToolNeverHoldsUpTheCallerAndOnlyTheLatestValueWaits)
{
    const FakeTool fake = tool("hung", "trap '' TERM; sleep 5");
    const auto controller = controllerFor(fake);
    const auto started = std::chrono::steady_clock::now();
    for (int notch = 1; notch <= 10; ++notch) { // a flick of the wheel
        EXPECT_TRUE(controller->set(kDisplay, 0.5 + notch * 0.05));
        now += 0.01;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, 500ms); // far below the 1 s a run may take
    EXPECT_DOUBLE_EQ(controller->get(kDisplay).value(), 1.0);     // scrolls step from the latest wish
    EXPECT_TRUE(controller->set(kOther, 0.3));                    // another display is not held back

    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.calls().size() == 2; }, 1000));
    // The first run is stopped after its second; only then the latest value goes, the ones between never.
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.calls().size() == 3; }, 2000));
    std::vector<std::string> calls = fake.calls();
    std::sort(calls.begin(), calls.begin() + 2); // the two displays' runs start together
    EXPECT_EQ(calls, (std::vector<std::string>{"display id=415 set luminance 55", "display id=416 set luminance 30",
                                               "display id=415 set luminance 100"}));
    EXPECT_TRUE(known.empty()); // no level the monitor never took
}

TEST_F(ExternalBrightnessControllerTest, PendingValuesDieWithTheController)
{
    const FakeTool fake = tool("writes", "true");
    auto controller = controllerFor(fake);
    controller->set(kDisplay, 0.1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.calls().size() == 1; }, 1000));
    controller->set(kDisplay, 0.2);
    controller.reset();
    QTest::qWait(250);
    EXPECT_EQ(fake.calls().size(), 1u);
}

} // namespace
