// SPDX-License-Identifier: MIT
#include "system/FreedesktopNotifier.h"

#include "support/FakeServiceControl.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace lumvex {
namespace {

using nlohmann::json;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QUrl kPage("https://example.org/lumvex/download");

// Runs on the private bus of run-with-fake-service.sh with fake_notifications.py, whose fake server
// records what it is sent.
class FreedesktopNotifierTest : public ::testing::Test
{
protected:
    FreedesktopNotifierTest() { control(QStringLiteral("Reset")); }

    static QDBusMessage control(const QString &method, const QVariantList &arguments = {})
    {
        static const test::FakeServiceControl fake("org.lumvex.test.Notifications", "/org/lumvex/test",
                                                   "org.lumvex.test.FakeNotifications");
        return fake.call(method, arguments);
    }

    static std::vector<json> calls()
    {
        std::vector<json> parsed;
        for (const QString &call : control(QStringLiteral("Calls")).arguments().value(0).toStringList()) {
            parsed.push_back(json::parse(call.toStdString()));
        }
        return parsed;
    }

    static bool waitForCalls(std::size_t count)
    {
        return QTest::qWaitFor([count] { return calls().size() >= count; }, 5000);
    }

    std::unique_ptr<FreedesktopNotifier> makeNotifier()
    {
        auto notifier = std::make_unique<FreedesktopNotifier>(QDBusConnection::sessionBus(),
                                                              [this](const QUrl &url) { opened.push_back(url); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return notifier->knowsCapabilities(); }, 5000));
        return notifier;
    }

    static Notice update()
    {
        return {"Lumvex 0.2.0 is available", "You have version 0.1.0.", kPage, "Open Download Page"};
    }

    std::vector<QUrl> opened;
};

TEST_F(FreedesktopNotifierTest, NoticeWithLinkOffersItOpensItWhenPickedAndIsReplacedByANewerOne)
{
    auto notifier = makeNotifier();
    notifier->show({"Lumvex is up to date", "Version 0.1.0 is the newest release.", {}, {}});
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(calls()[0]["actions"], json::array());
    control(QStringLiteral("InvokeAction"), {uint(calls()[0]["id"]), QStringLiteral("default")});

    notifier->show(update());
    ASSERT_TRUE(waitForCalls(2));
    const json call = calls()[1];
    EXPECT_EQ(json({call["app_name"], call["app_icon"], call["summary"], call["body"], call["actions"],
                    call["hints"]["desktop-entry"], call["expire_timeout"]}),
              json({"Lumvex",
                    "lumvex",
                    "Lumvex 0.2.0 is available",
                    "You have version 0.1.0.",
                    {"default", "Open Download Page", "open", "Open Download Page"},
                    "lumvex",
                    -1}));

    // Someone else's notification first: signals arrive in order, so only ours may open anything, once.
    const uint id = call["id"];
    control(QStringLiteral("InvokeAction"), {uint(id + 1000), QStringLiteral("default")});
    control(QStringLiteral("InvokeAction"), {id, QStringLiteral("open")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !opened.empty(); }, 5000));
    QTest::qWait(50);
    EXPECT_THAT(opened, ElementsAre(kPage));

    // A newer notice replaces the one on screen; once that is closed, the next one is new.
    notifier->show(update());
    ASSERT_TRUE(waitForCalls(3));
    QTest::qWait(50); // the reply with the id
    notifier->show(update());
    ASSERT_TRUE(waitForCalls(4));
    EXPECT_EQ(json({calls()[3]["replaces_id"], calls()[3]["id"]}), json({calls()[2]["id"], calls()[2]["id"]}));
    control(QStringLiteral("InvokeAction"), {uint(calls()[3]["id"]), QStringLiteral("default")});
    ASSERT_TRUE(QTest::qWaitFor([this] { return opened.size() == 2; }, 5000));
    QTest::qWait(50);
    notifier->show(update());
    ASSERT_TRUE(waitForCalls(5));
    EXPECT_EQ(calls()[4]["replaces_id"], 0);
}

TEST_F(FreedesktopNotifierTest, TextFollowsWhatTheServerCanShow)
{
    control(QStringLiteral("SetCapabilities"), {QStringList{"body", "body-markup"}});
    auto notifier = makeNotifier();
    notifier->show({"Could not check for updates", "The feed at http://h/a?x=1&y=<2> is unusable.", {}, {}});
    notifier->show(update());
    ASSERT_TRUE(waitForCalls(2));
    // Markup is escaped, and without buttons the link stands in the text.
    EXPECT_EQ(calls()[0]["body"], "The feed at http://h/a?x=1&amp;y=&lt;2&gt; is unusable.");
    EXPECT_EQ(calls()[1]["body"], "You have version 0.1.0.\nhttps://example.org/lumvex/download");
    EXPECT_EQ(calls()[1]["actions"], json::array());
}

TEST_F(FreedesktopNotifierTest, WithoutServerNoticesAreDroppedUntilOneComes)
{
    control(QStringLiteral("SetPresent"), {false});
    FreedesktopNotifier notifier(QDBusConnection::sessionBus(), [this](const QUrl &url) { opened.push_back(url); });
    notifier.show(update());
    QTest::qWait(200);
    EXPECT_FALSE(notifier.knowsCapabilities());

    control(QStringLiteral("SetPresent"), {true});
    notifier.show(update());
    ASSERT_TRUE(waitForCalls(1));
    EXPECT_EQ(calls().size(), 1u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notifier.knowsCapabilities(); }, 5000));
    EXPECT_THAT(opened, IsEmpty());
}

} // namespace
} // namespace lumvex
