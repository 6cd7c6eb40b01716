// SPDX-License-Identifier: MIT
#pragma once

#include "LoginItemControl.h"

#include <optional>
#include <string>

namespace lumvex {

// The desktop's way of starting a program at login, as the login item uses it: a state, and requests
// to register and unregister this program that either succeed or say why not.
class LoginService
{
public:
    virtual ~LoginService() = default;

    virtual LoginItemStatus status() const = 0;
    // Nothing on success, else a readable reason.
    virtual std::optional<std::string> registerProgram() = 0;
    virtual std::optional<std::string> unregisterProgram() = 0;
};

} // namespace lumvex
