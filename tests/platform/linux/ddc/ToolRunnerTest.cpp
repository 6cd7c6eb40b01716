// SPDX-License-Identifier: MIT
#include "platform/linux/ddc/ToolRunner.h"
#include "FakeTool.h"
#include "support/TempDir.h"

#include <QTest>

#include <gtest/gtest.h>

using namespace lumvex;
using namespace std::chrono_literals;
using external::ToolRunner;
using test::FakeTool;

namespace {

// Starts the tool and runs the event loop until its result comes.
std::optional<QByteArray> runToEnd(ToolRunner &runner, const FakeTool &tool, const QStringList &arguments = {})
{
    bool done = false;
    std::optional<QByteArray> result;
    runner.start(QString::fromStdString(tool.path().string()), arguments, [&](std::optional<QByteArray> output) {
        done = true;
        result = std::move(output);
    });
    EXPECT_FALSE(done); // never from inside start()
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 3000));
    return result;
}

TEST(ToolRunner, HandsBackTheOutputOfASuccessfulRunOnly)
{
    test::TempDir folder;
    ToolRunner runner;
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "echo", "printf '%s|' \"$@\""), {"a b", "", "c"}),
              QByteArray("a b||c|"));
    // A helper that fills its error pipe is not stalled.
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "chatty", "head -c 1000000 /dev/zero >&2; echo 42")),
              QByteArray("42\n"));
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "crashes", "echo 50; kill -SEGV $$")), std::nullopt);
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "floods", "head -c 100000 /dev/zero; echo 50")), std::nullopt);
    bool called = false;
    runner.start(QString::fromStdString((folder / "missing").string()), {}, [&](auto output) {
        called = true;
        EXPECT_EQ(output, std::nullopt);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return called; }, 2000));
}

TEST(ToolRunner, OverrunningHelpersAreStoppedAndReapedByTheEventLoop)
{
    test::TempDir folder;
    ToolRunner runner(200ms, 100ms);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(runToEnd(runner, FakeTool(folder.path(), "stubborn", "trap '' TERM; sleep 5")), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - started, 600ms);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return runner.stoppingCount() == 0;
        },
        2000));
}

} // namespace
