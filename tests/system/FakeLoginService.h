// SPDX-License-Identifier: MIT
#pragma once

#include "system/LoginService.h"

namespace lumvex::test {

// A login service that answers as told and counts the requests it gets.
class FakeLoginService final : public LoginService
{
public:
    LoginItemStatus current = LoginItemStatus::notRegistered;
    // What a successful register leads to.
    LoginItemStatus afterRegister = LoginItemStatus::enabled;
    std::optional<std::string> registerFailure;
    std::optional<std::string> unregisterFailure;
    int registerRequests = 0;
    int unregisterRequests = 0;

    LoginItemStatus status() const override { return current; }

    std::optional<std::string> registerProgram() override
    {
        ++registerRequests;
        if (!registerFailure) {
            current = afterRegister;
        }
        return registerFailure;
    }

    std::optional<std::string> unregisterProgram() override
    {
        ++unregisterRequests;
        if (!unregisterFailure) {
            current = LoginItemStatus::notRegistered;
        }
        return unregisterFailure;
    }
};

} // namespace lumvex::test
