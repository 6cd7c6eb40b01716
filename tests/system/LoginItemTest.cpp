// SPDX-License-Identifier: MIT
#include "system/LoginItem.h"
#include "FakeLoginService.h"
#include "simulated/MemoryDefaults.h"
#include "engine/Settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace lumvex {
namespace {

using test::FakeLoginService;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class LoginItemTest : public ::testing::Test
{
protected:
    LoginItemTest()
    {
        auto service = std::make_unique<FakeLoginService>();
        fake = service.get();
        item = std::make_unique<LoginItem>(std::move(service), defaults,
                                           [this](const std::string &line) { log.push_back(line); });
    }

    void secondLaunch(LoginItemStatus status)
    {
        defaults.setBool(std::string(settings::loginItemDefaultApplied.name), true);
        fake->current = status;
        item->configureAtLaunch();
    }

    MemoryDefaults defaults;
    FakeLoginService *fake = nullptr;
    std::vector<std::string> log;
    std::unique_ptr<LoginItem> item;
};

TEST_F(LoginItemTest, FirstLaunchRegistersOnceAndLogsTheOutcome)
{
    fake->afterRegister = LoginItemStatus::requiresApproval;
    item->configureAtLaunch();

    EXPECT_EQ(defaults.boolValue(std::string(settings::loginItemDefaultApplied.name)), true);
    EXPECT_EQ(fake->registerRequests, 1);
    EXPECT_THAT(log, ElementsAre("Lumvex: first-run login-item default applied; status=requiresApproval"));
    EXPECT_FALSE(item->isEnabled());

    // Approval still pending at the next launch: left alone.
    item->configureAtLaunch();
    EXPECT_EQ(fake->registerRequests, 1);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(LoginItemTest, FailedFirstRegistrationIsMarkedLoggedAndNotRetried)
{
    fake->registerFailure = "cannot write /x/lumvex.desktop: Read-only file system";
    item->configureAtLaunch();

    EXPECT_EQ(defaults.boolValue(std::string(settings::loginItemDefaultApplied.name)), true);
    EXPECT_THAT(log, ElementsAre("Lumvex: login-item register failed: cannot write /x/lumvex.desktop: Read-only "
                                 "file system",
                                 "Lumvex: first-run login-item default applied; status=notRegistered"));
    item->configureAtLaunch();
    EXPECT_EQ(fake->registerRequests, 1);
}

TEST_F(LoginItemTest, LaterLaunchesRenewOnlyAnEnabledRegistration)
{
    secondLaunch(LoginItemStatus::enabled);
    EXPECT_EQ(fake->registerRequests, 1);
    EXPECT_THAT(log, IsEmpty());

    for (const auto status :
         {LoginItemStatus::notRegistered, LoginItemStatus::requiresApproval, LoginItemStatus::notFound}) {
        fake->registerRequests = 0;
        secondLaunch(status);
        EXPECT_EQ(fake->registerRequests, 0) << statusDescription(status);
    }
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(LoginItemTest, SwitchingOffTouchesOnlyAnEnabledRegistration)
{
    for (const auto status : {LoginItemStatus::requiresApproval, LoginItemStatus::notFound}) {
        fake->current = status;
        EXPECT_TRUE(item->setEnabled(false));
    }
    EXPECT_EQ(fake->unregisterRequests, 0);

    fake->current = LoginItemStatus::enabled;
    EXPECT_TRUE(item->setEnabled(false));
    EXPECT_EQ(fake->unregisterRequests, 1);
    EXPECT_EQ(item->status(), LoginItemStatus::notRegistered);
}

TEST_F(LoginItemTest, ToggleRegistersUnlessEnabled)
{
    // Pending approval counts as off: asks again.
    fake->current = LoginItemStatus::requiresApproval;
    EXPECT_TRUE(item->toggle());
    EXPECT_EQ(fake->registerRequests, 1);
    EXPECT_TRUE(item->isEnabled());

    EXPECT_TRUE(item->toggle());
    EXPECT_EQ(fake->unregisterRequests, 1);
    EXPECT_FALSE(item->isEnabled());
}

TEST_F(LoginItemTest, RefusedRequestsAreLoggedAndReportedAsFailure)
{
    fake->current = LoginItemStatus::enabled;
    fake->unregisterFailure = "cannot remove /x/lumvex.desktop: Permission denied";
    EXPECT_FALSE(item->toggle());
    EXPECT_TRUE(item->isEnabled());

    fake->current = LoginItemStatus::notFound;
    fake->registerFailure = "the program's own path could not be determined";
    EXPECT_FALSE(item->toggle());

    EXPECT_THAT(log, ElementsAre("Lumvex: login-item unregister failed: cannot remove /x/lumvex.desktop: Permission "
                                 "denied",
                                 "Lumvex: login-item register failed: the program's own path could not be determined"));
}

} // namespace
} // namespace lumvex
