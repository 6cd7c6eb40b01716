#include "platform/linux/ddc/ToolRunner.h"
#include "FakeTool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lumvex;
using namespace std::chrono_literals;
using external::ToolRunner;
using test::FakeTool;

namespace {

QString pathOf(const FakeTool &tool)
{
    return QString::fromStdString(tool.path().string());
}

TEST(ToolRunner, HandsBackTheOutputOfASuccessfulRun)
{
    test::TempDir folder;
    ToolRunner runner;
    const FakeTool echo(folder.path(), "echo", "printf '%s|' \"$@\"");
    EXPECT_EQ(runner.run(pathOf(echo), {"a b", "", "c"}), QByteArray("a b||c|"));
}

TEST(ToolRunner, AHelperThatFillsItsErrorPipeIsNotStalled)
{
    test::TempDir folder;
    ToolRunner runner;
    const FakeTool chatty(folder.path(), "chatty", "head -c 1000000 /dev/zero >&2; echo 42");
    EXPECT_EQ(runner.run(pathOf(chatty), {}), QByteArray("42\n"));
}

TEST(ToolRunner, OverrunningHelpersAreReapedByTheEventLoop)
{
    test::TempDir folder;
    ToolRunner runner(200ms, 100ms);
    const FakeTool stubborn(folder.path(), "stubborn", "trap '' TERM; sleep 5");
    EXPECT_EQ(runner.run(pathOf(stubborn), {}), std::nullopt);
    EXPECT_EQ(runner.stoppingCount(), 1);
    EXPECT_TRUE(test::waitUntil(
        [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return runner.stoppingCount() == 0;
        },
        2s));
}

} // namespace
