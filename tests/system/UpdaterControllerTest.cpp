// SPDX-License-Identifier: MIT
#include "system/UpdaterController.h"
#include "LocalFeedServer.h"
#include "engine/Settings.h"
#include "simulated/ManualClock.h"
#include "simulated/MemoryDefaults.h"
#include "support/TempDir.h"

#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumvex {
namespace {

using namespace std::chrono_literals;
using test::LocalFeedServer;
using test::ScopedEnv;
using test::TempDir;
using ::testing::HasSubstr;

QByteArray feedOf(const QByteArray &version)
{
    return test::feed("<item><sparkle:version>" + version +
                      "</sparkle:version><link>https://example.org/lumvex</link></item>");
}

struct RecordingNotifier final : Notifier
{
    void show(const Notice &notice) override { shown.push_back(notice); }
    std::vector<Notice> shown;
};

class UpdaterControllerTest : public ::testing::Test
{
protected:
    UpdaterControllerTest() { make(server.url().toString()); }

    void make(const QString &builtInFeed, std::chrono::milliseconds timeout = 5s,
              std::chrono::milliseconds launchDelay = 0ms)
    {
        updater.reset();
        auto recorder = std::make_unique<RecordingNotifier>();
        notifier = recorder.get();
        updater =
            std::make_unique<UpdaterController>(defaults, clock, std::move(recorder),
                                                UpdaterController::Options{"0.1.0", builtInFeed, timeout, launchDelay});
    }

    // Runs one check to its end, if one started; false when it did not end in time.
    bool check(bool userAsked)
    {
        QSignalSpy finished(updater.get(), &UpdaterController::checkFinished);
        userAsked ? updater->checkForUpdates() : updater->checkAtLaunch();
        return !finished.isEmpty() || !updater->isChecking() || finished.wait(5000);
    }

    // An automatic check as if none had run today; true when it stayed silent.
    bool launchCheckIsSilent()
    {
        defaults.remove(std::string(settings::lastUpdateCheck.name));
        notifier->shown.clear();
        return check(false) && notifier->shown.empty();
    }

    std::string onlyNoticeText() const
    {
        if (notifier->shown.size() != 1) {
            return "<" + std::to_string(notifier->shown.size()) + " notices>";
        }
        return (notifier->shown[0].summary + " | " + notifier->shown[0].body).toStdString();
    }

    TempDir root;
    ScopedEnv home{"HOME", (root / "home").string()};
    ScopedEnv config{"XDG_CONFIG_HOME", (root / "config").string()};
    MemoryDefaults defaults;
    ManualClock clock{Timestamp::fromUnixSeconds(1'800'000'000)};
    LocalFeedServer server;
    RecordingNotifier *notifier = nullptr;
    std::unique_ptr<UpdaterController> updater;
};

// News is told also by automatic checks; that there is none, only to the user who asked.
TEST_F(UpdaterControllerTest, NewerReleaseIsAnnouncedWithItsPageSameOrOlderIsUpToDate)
{
    const QUrl page("https://example.org/lumvex");
    for (const auto &[version, text, link] :
         {std::tuple{"0.2.0",
                     "Lumvex 0.2.0 is available | You have version 0.1.0. Get the new one from its download "
                     "page or your package manager.",
                     page},
          {"0.1", "Lumvex is up to date | Version 0.1.0 is the newest release.", QUrl()},
          {"0.0.9", "Lumvex is up to date | Version 0.1.0 is the newest release.", QUrl()}}) {
        SCOPED_TRACE(version);
        server.serve(feedOf(version));
        notifier->shown.clear();
        ASSERT_TRUE(check(true));
        EXPECT_EQ(onlyNoticeText(), text);
        EXPECT_EQ(notifier->shown[0].link, link);
        EXPECT_EQ(notifier->shown[0].linkLabel, link.isEmpty() ? "" : "Open Download Page");
        EXPECT_EQ(launchCheckIsSilent(), link.isEmpty());
    }
    EXPECT_THAT(server.lastRequest().toStdString(), HasSubstr("Lumvex/0.1.0"));
}

TEST_F(UpdaterControllerTest, EachFailureGivesTheUserOneClearNotice)
{
    const auto serveBig = [this] { server.serve(QByteArray(3 * 1024 * 1024, ' ') + feedOf("0.2.0")); };
    LocalFeedServer closed;
    const QString downAddress = closed.url().toString();
    closed.close();

    struct Case
    {
        const char *name;
        std::function<void()> arrange;
        const char *reason;
    };
    const Case cases[] = {
        {"malformed", [this] { server.serve("<rss><channel><item>"); },
         "is unusable: it is not valid XML (line 1: Premature end of document)."},
        {"web page", [this] { server.serve("<html><body>Sign in</body></html>"); },
         "is unusable: it is not an RSS feed (it begins with <html>)"},
        {"no release",
         [this] {
             server.serve(feedOf("latest").replace("</channel>", "<item><version>9.0</version></item></channel>"));
         },
         "lists no release"},
        {"not found", [this] { server.serve("gone", 404, "Not Found"); },
         "The server 127.0.0.1 answered 404 Not Found."},
        {"too large", serveBig, "is too large to be an update feed"},
        {"server down", [&] { make(downAddress); }, "The server 127.0.0.1 refused the connection."},
        {"timeout",
         [this] {
             make(server.url().toString(), 300ms);
             server.stall();
         },
         "The server 127.0.0.1 did not answer within 0.3 s."},
        {"bad address",
         [this] { defaults.setString(std::string(settings::updateFeedUrl.name), "ftp://example.org/feed"); },
         "The update feed address “ftp://example.org/feed” is not a web address; set updateFeedURL in "},
        // A setting overrides the built-in address; set but empty, it switches checks off.
        {"empty setting", [this] { defaults.setString(std::string(settings::updateFeedUrl.name), ""); },
         "Update feed address is not set | Set updateFeedURL in "},
        {"no address",
         [this] {
             defaults.remove(std::string(settings::updateFeedUrl.name));
             make(QString());
         },
         "Update feed address is not set | Set updateFeedURL in "},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        c.arrange();
        notifier->shown.clear();
        ASSERT_TRUE(check(true));
        const std::string text = onlyNoticeText();
        EXPECT_THAT(text, HasSubstr(c.reason));
        EXPECT_TRUE(text.starts_with("Could not check for updates | ") || text.starts_with("Update feed address"));
        EXPECT_TRUE(launchCheckIsSilent());
    }
}

TEST_F(UpdaterControllerTest, AutomaticCheckRunsWhenNoCheckReadTheFeedForADay)
{
    server.serve("gone", 404, "Not Found");
    ASSERT_TRUE(check(false)); // a failed check holds nothing off
    server.serve(feedOf("0.1.0"));
    const struct
    {
        int advance;
        bool userAsked;
        int requests;
    } steps[] = {
        {0, false, 2},         {23 * 3600, false, 2}, {3600, false, 3},
        {-7200, false, 4},    // the clock was set back: a last check "in the future" holds nothing off
        {12 * 3600, true, 5}, // the user may check whenever, and that counts as well
        {23 * 3600, false, 5},
    };
    for (const auto &step : steps) {
        clock.advance(step.advance);
        ASSERT_TRUE(check(step.userAsked));
        EXPECT_EQ(server.requests(), step.requests) << step.advance;
    }
    EXPECT_EQ(defaults.stringValue(std::string(settings::lastUpdateCheck.name)), "1800122400");
}

TEST_F(UpdaterControllerTest, LaunchCheckWaitsForTheNetworkButAUserCheckStartsNowAndReportsOnce)
{
    make(server.url().toString(), 5s, 10s);
    server.serve(feedOf("0.1.0"));
    updater->checkAtLaunch();
    QTest::qWait(100);
    EXPECT_EQ(server.requests(), 0);
    QSignalSpy finished(updater.get(), &UpdaterController::checkFinished);
    ASSERT_TRUE(check(true));
    QTest::qWait(50);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(server.requests(), 1);
    EXPECT_THAT(onlyNoticeText(), HasSubstr("Lumvex is up to date"));

    // Destroyed in the middle of a check, it stays quiet.
    server.stall();
    updater->checkForUpdates();
    ASSERT_TRUE(QTest::qWaitFor([this] { return server.requests() == 2; }, 5000));
    updater.reset();
    QTest::qWait(50);
}

} // namespace
} // namespace lumvex
