#include "platform/linux/ddc/ExternalBrightnessController.h"
#include "FakeTool.h"
#include "support/TempDir.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

using namespace lumvex;
using namespace std::chrono_literals;
using test::FakeTool;
using test::waitUntil;

namespace {

constexpr DisplayId kDisplay = 415;
constexpr DisplayId kOther = 416;

class ExternalBrightnessControllerTest : public testing::Test
{
protected:
    FakeTool tool(const std::string &name, const std::string &body) { return FakeTool(folder.path(), name, body); }

    // A controller on a clock that moves only when the test says so.
    std::unique_ptr<ExternalBrightnessController> controllerFor(const FakeTool &fake)
    {
        return std::make_unique<ExternalBrightnessController>(fake.path(), [this] { return now; });
    }

    std::optional<double> readWith(const std::string &body)
    {
        return controllerFor(tool("reads", body))->get(kDisplay);
    }

    test::TempDir folder;
    double now = 1000.0;
};

TEST_F(ExternalBrightnessControllerTest, ReadsRunTheToolAndParseWhatItPrints)
{
    const FakeTool fake = tool("reads", "printf ' 73\\n'");
    const auto controller = controllerFor(fake);
    EXPECT_TRUE(controller->isAvailable());
    EXPECT_DOUBLE_EQ(controller->get(kDisplay).value(), 0.73);
    EXPECT_EQ(fake.calls(), std::vector<std::string>{"display id=415 get luminance"});

    EXPECT_DOUBLE_EQ(readWith("printf 150").value(), 1.0);
    EXPECT_DOUBLE_EQ(readWith("printf -- -5").value(), 0.0);
    EXPECT_DOUBLE_EQ(readWith("printf '\\302\\24042\\342\\200\\250'").value(), 0.42); // Unicode white space
    EXPECT_DOUBLE_EQ(readWith("echo 'talking to /dev/i2c-5' >&2; echo 42").value(), 0.42);
}

TEST_F(ExternalBrightnessControllerTest, AnyFailureReadsAsNothing)
{
    EXPECT_EQ(readWith("printf '70%%'"), std::nullopt);
    EXPECT_EQ(readWith("true"), std::nullopt);
    EXPECT_EQ(readWith("echo 50; exit 1"), std::nullopt);
    EXPECT_EQ(readWith("printf '5\\3770'"), std::nullopt);
    EXPECT_EQ(readWith("echo 50; kill -SEGV $$"), std::nullopt);
    // Far more output than any reading: not taken for one.
    EXPECT_EQ(readWith("head -c 100000 /dev/zero | tr '\\0' ' '; echo 50"), std::nullopt);
}

TEST_F(ExternalBrightnessControllerTest, AProbeOnlyAsksWhetherTheReadRuns)
{
    EXPECT_TRUE(controllerFor(tool("empty", "true"))->probe(kDisplay));
    EXPECT_TRUE(controllerFor(tool("words", "echo unknown"))->probe(kDisplay));
    EXPECT_FALSE(controllerFor(tool("failing", "exit 3"))->probe(kDisplay));
    EXPECT_FALSE(controllerFor(tool("binary", "printf '\\377'"))->probe(kDisplay));
}

TEST_F(ExternalBrightnessControllerTest, WithoutTheToolNothingRuns)
{
    ExternalBrightnessController missing(std::nullopt, [this] { return now; });
    EXPECT_FALSE(missing.isAvailable());
    EXPECT_EQ(missing.get(kDisplay), std::nullopt);
    EXPECT_FALSE(missing.probe(kDisplay));
    EXPECT_FALSE(missing.set(kDisplay, 0.5));

    ExternalBrightnessController vanished(folder / "no-such-tool", [this] { return now; });
    EXPECT_TRUE(vanished.isAvailable());
    EXPECT_EQ(vanished.get(kDisplay), std::nullopt);
}

TEST_F(ExternalBrightnessControllerTest, AToolThatOverrunsIsStoppedAndDoesNotHoldUpTheCaller)
{
    const FakeTool fake = tool("slow", "sleep 2 & echo $! > '" + (folder / "sleep.pid").string() + "'; wait; echo 50");
    const auto controller = controllerFor(fake);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(controller->get(kDisplay), std::nullopt);
    const auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited, 990ms);
    EXPECT_LT(waited, 1300ms);
    // Asked to stop, with whatever it started.
    const int sleeper = test::readPid(folder / "sleep.pid");
    EXPECT_TRUE(waitUntil([&] { return test::processGone(sleeper); }, 400ms));
}

TEST_F(ExternalBrightnessControllerTest, AToolThatIgnoresTheRequestToStopIsKilled)
{
    const FakeTool fake = tool("stubborn", "trap '' TERM; echo $$ > '" + (folder / "tool.pid").string() + "'; sleep 5");
    const auto controller = controllerFor(fake);
    EXPECT_FALSE(controller->set(kDisplay, 0.5));
    const int pid = test::readPid(folder / "tool.pid");
    QCoreApplication::processEvents();
    EXPECT_FALSE(test::processGone(pid));
    EXPECT_TRUE(waitUntil([&] { return test::processGone(pid); }, 1500ms));
}

TEST_F(ExternalBrightnessControllerTest, WritesSendRoundedPercentages)
{
    const FakeTool fake = tool("writes", "true");
    const auto controller = controllerFor(fake);
    for (const double brightness : {0.125, 0.734, 1.2, -0.3}) {
        EXPECT_TRUE(controller->set(kDisplay, brightness));
        now += 1.0;
    }
    EXPECT_FALSE(controller->set(kDisplay, std::nan("")));
    EXPECT_EQ(fake.calls(), (std::vector<std::string>{
                                "display id=415 set luminance 13",
                                "display id=415 set luminance 73",
                                "display id=415 set luminance 100",
                                "display id=415 set luminance 0",
                            }));
    EXPECT_FALSE(controllerFor(tool("refusing", "exit 1"))->set(kDisplay, 0.5));
}

TEST_F(ExternalBrightnessControllerTest, ABurstWritesItsFirstAndItsLastValue)
{
    const FakeTool fake = tool("writes", "true");
    const auto controller = controllerFor(fake);
    EXPECT_TRUE(controller->set(kDisplay, 0.1));
    now += 0.02;
    EXPECT_FALSE(controller->set(kDisplay, 0.2));
    now += 0.01;
    EXPECT_FALSE(controller->set(kDisplay, 0.3));
    now += 0.01;
    EXPECT_FALSE(controller->set(kDisplay, 0.4));
    EXPECT_TRUE(controller->set(kOther, 0.9)); // another display is not held back
    EXPECT_EQ(fake.calls().size(), 2u);

    now += 0.06;
    ASSERT_TRUE(waitUntil([&] { return fake.calls().size() == 3; }, 1s));
    EXPECT_EQ(fake.calls().back(), "display id=415 set luminance 40");
    waitUntil([] { return false; }, 200ms);
    EXPECT_EQ(fake.calls().size(), 3u);
}

TEST_F(ExternalBrightnessControllerTest, TheDeferredWriteRunsInsideAMenusEventLoop)
{
    const FakeTool fake = tool("writes", "true");
    const auto controller = controllerFor(fake);
    controller->set(kDisplay, 0.1);
    now += 0.05;
    controller->set(kDisplay, 0.6);
    // An open menu runs an event loop of its own until it closes.
    QEventLoop menu;
    std::size_t writesWhileOpen = 0;
    QTimer::singleShot(300ms, &menu, [&] {
        writesWhileOpen = fake.calls().size();
        menu.quit();
    });
    menu.exec();
    EXPECT_EQ(writesWhileOpen, 2u);
    EXPECT_EQ(fake.calls().back(), "display id=415 set luminance 60");
}

TEST_F(ExternalBrightnessControllerTest, AFailedWriteStillCountsForTheInterval)
{
    const FakeTool fake = tool("refusing", "exit 1");
    const auto controller = controllerFor(fake);
    EXPECT_FALSE(controller->set(kDisplay, 0.1));
    now += 0.05;
    EXPECT_FALSE(controller->set(kDisplay, 0.2));
    EXPECT_EQ(fake.calls().size(), 1u);
    EXPECT_TRUE(waitUntil([&] { return fake.calls().size() == 2; }, 1s));
}

TEST_F(ExternalBrightnessControllerTest, PendingValuesDieWithTheController)
{
    const FakeTool fake = tool("writes", "true");
    auto controller = controllerFor(fake);
    controller->set(kDisplay, 0.1);
    now += 0.01;
    controller->set(kDisplay, 0.2);
    controller.reset();
    waitUntil([] { return false; }, 250ms);
    EXPECT_EQ(fake.calls().size(), 1u);
}

TEST_F(ExternalBrightnessControllerTest, ALateTimerDoesNotWriteTwice)
{
    const FakeTool fake = tool("writes", "true");
    const auto controller = controllerFor(fake);
    controller->set(kDisplay, 0.1);
    now += 0.05;
    controller->set(kDisplay, 0.2); // arms the timer for 50 ms
    now += 0.1;                     // the event loop was busy meanwhile
    EXPECT_TRUE(controller->set(kDisplay, 0.3));
    waitUntil([] { return false; }, 200ms);
    EXPECT_EQ(fake.calls(),
              (std::vector<std::string>{"display id=415 set luminance 10", "display id=415 set luminance 30"}));
}

} // namespace
