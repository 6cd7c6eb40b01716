// SPDX-License-Identifier: MIT
#include "platform/linux/portal/ScreenCastSession.h"
#include "FakePortal.h"
#include "engine/Settings.h"
#include "simulated/MemoryDefaults.h"
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace lumvex {
namespace {

const std::string kTokenKey(settings::screenCastRestoreToken.name);

// A session with what it reports.
struct Observed
{
    explicit Observed(Defaults &defaults)
        : session(std::make_unique<ScreenCastSession>(defaults))
    {
        session->onStarted = [this](const QDBusUnixFileDescriptor &fd, const std::vector<ScreenCastStream> &got) {
            ++starts;
            pipeWire = fd;
            streams = got;
        };
        session->onUnavailable = [this](const QString &why) { reasons.push_back(why.toStdString()); };
    }

    // Until the session has started `count` times in all, or reports something.
    bool waitStarted(int count = 1)
    {
        const std::size_t before = reasons.size();
        (void)QTest::qWaitFor([&] { return starts >= count || reasons.size() > before; });
        return starts >= count;
    }
    bool waitReason(std::size_t count = 1)
    {
        return QTest::qWaitFor([&] { return reasons.size() >= count; });
    }

    std::unique_ptr<ScreenCastSession> session;
    int starts = 0;
    QDBusUnixFileDescriptor pipeWire;
    std::vector<ScreenCastStream> streams;
    std::vector<std::string> reasons;
};

QJsonObject options(const QJsonArray &calls, int index = 0)
{
    return calls.at(index).toObject().value(QStringLiteral("options")).toObject();
}

class ScreenCastSessionTest : public ::testing::Test
{
protected:
    test::FakePortal portal;
    MemoryDefaults defaults;
};

// The fake answers every request before its call returns, so this also shows that no early answer is lost.
TEST_F(ScreenCastSessionTest, FirstSessionAsksForOneMonitorWithoutCursorAndKeepsTheToken)
{
    Observed observed(defaults);
    observed.session->start();
    ASSERT_TRUE(observed.waitStarted()) << (observed.reasons.empty() ? "" : observed.reasons.front());

    EXPECT_EQ(portal.calls().size(), 4);
    QJsonObject select = options(portal.calls("SelectSources"));
    select.remove("handle_token");
    EXPECT_EQ(select, (QJsonObject{{"types", 1}, {"multiple", false}, {"cursor_mode", 1}, {"persist_mode", 2}}));

    EXPECT_TRUE(observed.pipeWire.isValid());
    EXPECT_TRUE(observed.streams.size() == 1 && observed.streams[0].area == QRect(0, 0, 1920, 1080));
    EXPECT_EQ(defaults.stringValue(kTokenKey), "token-1");

    // Asked once only.
    observed.session->start();
    QTest::qWait(200);
    EXPECT_EQ(portal.calls("Start").size(), 1);
    EXPECT_TRUE(observed.reasons.empty());
}

// The stored token is offered, and replaced or, when the portal hands out no new one, dropped as spent;
// older portals are not asked for what they lack.
TEST_F(ScreenCastSessionTest, TheStoredTokenIsOfferedWhereThePortalTakesOne)
{
    const struct
    {
        const char *scenario;
        std::optional<std::string> offered, kept;
        bool cursorMode;
    } cases[] = {{"{}", "stored", "token-1", true},
                 {R"({"restoreToken": false})", "stored", std::nullopt, true},
                 {R"({"version": 3, "cursorModes": 2})", std::nullopt, "stored", false}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].scenario);
        portal.configure(cases[i].scenario);
        defaults.setString(kTokenKey, "stored");
        Observed observed(defaults);
        observed.session->start();
        ASSERT_TRUE(observed.waitStarted());
        const QJsonObject select = options(portal.calls("SelectSources"), static_cast<int>(i));
        EXPECT_EQ(select.contains("persist_mode"), cases[i].kept != "stored");
        EXPECT_EQ(select.contains("cursor_mode"), cases[i].cursorMode);
        EXPECT_EQ(select.contains("restore_token"), cases[i].offered.has_value());
        EXPECT_EQ(select["restore_token"].toString().toStdString(), cases[i].offered.value_or(""));
        EXPECT_EQ(defaults.stringValue(kTokenKey), cases[i].kept);
    }
}

TEST(ScreenCastRefusalTest, IsReportedOnceWithAReasonAndNeverRetried)
{
    const struct
    {
        const char *scenario;
        bool portalAbsent;
        const char *reasonPart;
        int startCalls;
    } refusals[] = {{R"({"responses": {"Start": 2}})", false, "sharing dialog", 1},
                    {R"({"responses": {"SelectSources": 1}})", false, "declined", 0},
                    {R"({"responses": {"CreateSession": 2}})", false, "could not start", 0},
                    {R"({"streams": []})", false, "shared no screen", 1},
                    {R"({"screenCast": false})", false, "cannot share the screen", 0},
                    {R"({"sourceTypes": 2})", false, "whole monitor", 0},
                    {"{}", true, "not running", 0}};
    for (const auto &refusal : refusals) {
        SCOPED_TRACE(refusal.scenario);
        test::FakePortal portal; // afresh
        MemoryDefaults defaults;
        portal.configure(refusal.scenario);
        if (refusal.portalAbsent) {
            portal.vanish();
        }
        defaults.setString(kTokenKey, "stale");
        Observed observed(defaults);
        observed.session->start();
        ASSERT_TRUE(observed.waitReason());
        QTest::qWait(200);

        EXPECT_EQ(observed.starts, 0);
        ASSERT_EQ(observed.reasons.size(), 1u);
        EXPECT_NE(observed.reasons[0].find(refusal.reasonPart), std::string::npos) << observed.reasons[0];
        EXPECT_EQ(observed.reasons[0].find('\n'), std::string::npos);
        EXPECT_EQ(portal.calls("Start").size(), refusal.startCalls);
        // The token was spent on a refused start; a session that was made is closed.
        EXPECT_EQ(defaults.stringValue(kTokenKey).has_value(), refusal.startCalls == 0);
        if (refusal.startCalls > 0) {
            EXPECT_EQ(portal.calls("Session.Close").size(), 1);
        }
    }
}

// Closing a session that was made is seen through the capture.
TEST_F(ScreenCastSessionTest, ClosingTakesAnOpenQuestionAwayAndARestartedPortalIsSharedAgainOnlyWithAToken)
{
    portal.configure(R"({"respond": "never"})");
    {
        Observed asking(defaults);
        asking.session->start();
        ASSERT_TRUE(QTest::qWaitFor([&] { return portal.calls("CreateSession").size() == 1; }));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return portal.calls("Request.Close").size() == 1; }));

    // A portal that restarts is shared again only with a token.
    portal.configure(R"({"respond": "early"})");
    Observed withToken(defaults);
    withToken.session->start();
    ASSERT_TRUE(withToken.waitStarted());
    portal.vanish();
    ASSERT_TRUE(withToken.waitReason());
    EXPECT_NE(withToken.reasons[0].find("once the portal is back"), std::string::npos);
    portal.comeBack();
    ASSERT_TRUE(withToken.waitStarted(2));
    EXPECT_EQ(options(portal.calls("SelectSources"), 1)["restore_token"], "token-1");
    EXPECT_EQ(withToken.session->startRequests(), 2);
    withToken.session.reset();

    portal.configure(R"({"restoreToken": false})");
    defaults.remove(kTokenKey);
    Observed withoutToken(defaults);
    withoutToken.session->start();
    ASSERT_TRUE(withoutToken.waitStarted());
    portal.vanish();
    ASSERT_TRUE(withoutToken.waitReason());
    EXPECT_NE(withoutToken.reasons[0].find("restart Lumvex"), std::string::npos);
    const int calls = portal.calls().size();
    portal.comeBack();
    QTest::qWait(300);
    EXPECT_EQ(portal.calls().size(), calls);
    EXPECT_EQ(withoutToken.starts, 1);
}

} // namespace
} // namespace lumvex
